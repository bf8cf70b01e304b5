#include "db/ConnectionStringRules.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "db/ConnectionAttributes.h"
#include "db/DatabaseError.h"
#include "db/OdbcConnection.h"

namespace {

bool Refused(const std::string& connectionString) {
  try {
    RefuseNamedPathsForRoot(connectionString);
    return false;
  } catch (const DatabaseError&) {
    return true;
  }
}

TEST(ConnectionStringRulesTest, RootRefusesWhatNamesAFileForTheDriverManagerOrTheDriver) {
  if (geteuid() != 0) GTEST_SKIP() << "the rule is root's";
  const std::pair<const char*, bool> cases[] = {
      {"Driver=/tmp/x/evil.so;Database=/tmp/a.db", true},
      {"DSN=;driver = {./evil.so};", true},
      {"FILEDSN=/tmp/x.dsn", true},
      {"Driver=SQLite3;SaveFile=/etc/nologin", true},
      {"Driver=SQLite3;Database=/var/lib/veltrane/veltrane.db;LoadExt=/tmp/e.so", true},
      {"Driver=SQLite3;Database=/var/lib/veltrane/veltrane.db;NoCreat=1", false},
      {"Driver={PostgreSQL Unicode};Server=db;Pwd={a/b;c}", false},
      {"DSN=Veltrane;", false},
  };
  for (const auto& [connectionString, refused] : cases)
    EXPECT_EQ(Refused(connectionString), refused) << connectionString;
  // Refused before the driver manager sees it, and allowed when the administrator says so.
  EXPECT_THROW(OdbcConnection().Open("Driver=/nonexistent/evil.so"), DatabaseError);
  setenv("VELTRANE_ROOT_LOADS_DRIVER_PATHS", "1", 1);
  EXPECT_FALSE(Refused("Driver=/tmp/x/evil.so"));
  unsetenv("VELTRANE_ROOT_LOADS_DRIVER_PATHS");
}

TEST(ConnectionStringRulesTest, AMissingDriverNamesItsPackage) {
  const std::string cantOpen = "[unixODBC][Driver Manager]Can't open lib 'SQLite3' : file not found";
  EXPECT_EQ(
      WithMissingDriverHint("Driver=SQLite3;Database=/x.db", cantOpen),
      cantOpen + " (the driver comes with the package libsqliteodbc: sudo apt-get install libsqliteodbc)");
  EXPECT_NE(WithMissingDriverHint("Driver={PostgreSQL Unicode};Server=db", cantOpen).find("odbc-postgresql"),
            std::string::npos);
  EXPECT_EQ(WithMissingDriverHint("DSN=Veltrane", cantOpen), cantOpen);
  EXPECT_EQ(WithMissingDriverHint("Driver=SQLite3", "[SQLite]connect failed"), "[SQLite]connect failed");
}

TEST(ConnectionAttributesTest, AValueIsReplacedInPlaceAndEveryOtherByteStaysAsWritten) {
  const auto masked = [](const std::string& text) {
    return WithValuesReplaced(text, [](const ConnectionAttribute& attribute) -> std::optional<std::string> {
      if (attribute.Is("PWD")) return "***";
      return std::nullopt;
    });
  };
  for (const auto& [text, expected] :
       {std::pair<std::string, std::string>{"DSN=x;pwd=secret", "DSN=x;pwd=***"},
        {" Driver = {A B} ; PWD = {a;b=c} ;Uid=u", " Driver = {A B} ; PWD =***;Uid=u"},
        {"PWD;Pwd=", "PWD;Pwd=***"},
        {"DSN=x", "DSN=x"}})
    EXPECT_EQ(masked(text), expected) << text;
}

}  // namespace
