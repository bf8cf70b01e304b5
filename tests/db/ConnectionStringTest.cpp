// Connection strings: the attributes as the driver manager reads them, root's refusal of named
// paths, a missing driver's package, and the streaming options the session adds.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <tuple>

#include "db/ConnectString.h"
#include "db/ConnectionAttributes.h"
#include "db/ConnectionStringRules.h"
#include "db/DatabaseError.h"
#include "db/OdbcConnection.h"
#include "db/StreamingOptions.h"
#include "tests/db/TestHelpers.h"

namespace {

TEST(ConnectionStringRulesTest, RootRefusesWhatNamesAFileForTheDriverManagerOrTheDriver) {
  if (geteuid() != 0) GTEST_SKIP() << "the rule is root's";
  for (const char* refused : {"Driver=/tmp/x/evil.so;Database=/tmp/a.db", "DSN=;driver = {./evil.so};",
                              "FILEDSN=/tmp/x.dsn", "Driver=SQLite3;SaveFile=/etc/nologin",
                              "Driver=SQLite3;Database=/var/lib/veltrane/veltrane.db;LoadExt=/tmp/e.so"})
    EXPECT_THROW(RefuseNamedPathsForRoot(refused), DatabaseError) << refused;
  for (const char* allowed : {"Driver=SQLite3;Database=/var/lib/veltrane/veltrane.db;NoCreat=1",
                              "Driver={PostgreSQL Unicode};Server=db;Pwd={a/b;c}", "DSN=Veltrane;"})
    EXPECT_NO_THROW(RefuseNamedPathsForRoot(allowed)) << allowed;
  // Refused before the driver manager sees it, and allowed when the administrator says so.
  EXPECT_THROW(OdbcConnection().Open("Driver=/nonexistent/evil.so"), DatabaseError);
  setenv("VELTRANE_ROOT_LOADS_DRIVER_PATHS", "1", 1);
  EXPECT_NO_THROW(RefuseNamedPathsForRoot("Driver=/tmp/x/evil.so"));
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
    return WithValuesReplaced(text, [](const ConnectionAttribute& attribute) {
      return attribute.Is("PWD") ? std::optional<std::string>("***") : std::nullopt;
    });
  };
  for (const auto& [text, expected] :
       {std::pair<std::string, std::string>{"DSN=x;pwd=secret", "DSN=x;pwd=***"},
        {" Driver = {A B} ; PWD = {a;b=c} ;Uid=u", " Driver = {A B} ; PWD =***;Uid=u"},
        {"PWD;Pwd=", "PWD;Pwd=***"},
        // a "}" inside braces is written "}}": the value goes on past it
        {"PWD={a}};b=c};Uid=u", "PWD=***;Uid=u"},
        {"DSN=x", "DSN=x"}})
    EXPECT_EQ(masked(text), expected) << text;
  EXPECT_EQ(ParseConnectionAttributes(" Pwd = {a}};b} ")[0].Plain(), "a};b");
}

TEST(StreamingOptionsTest, AddedOnlyWhereTheUsersStringDoesNotSetThem) {
  // The completed string, the string given, the engine, and the string used.
  const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
      // a completion's empty or default value is replaced where it stands
      {"DSN=;Database=/a.db;StepAPI=;Timeout=", "Driver=SQLite3;Database=/a.db", "SQLite",
       "DSN=;Database=/a.db;StepAPI=1;Timeout=;"},
      // what the user set stays, in any case of the key
      {"DSN=x;stepapi=0", "DSN=x;stepapi=0", "SQLite", "DSN=x;stepapi=0"},
      {"DSN=pg;usedeclarefetch=0", "DSN=pg;usedeclarefetch=0", "PostgreSQL",
       "DSN=pg;usedeclarefetch=0;Fetch=1000;"},
      // a braced value may hold semicolons and equals signs
      {"Driver={PostgreSQL Unicode};Pwd={a;b=c}", "Driver={PostgreSQL Unicode};Pwd={a;b=c}", "PostgreSQL",
       "Driver={PostgreSQL Unicode};Pwd={a;b=c};UseDeclareFetch=1;Fetch=1000;"},
      {"DSN=x", "DSN=x", "Oracle", "DSN=x"},
  };
  for (const auto& [completed, given, engine, used] : cases)
    EXPECT_EQ(WithStreamingOptions(completed, given, engine), used) << completed;
  // Stored, a completion keeps only the options the user set.
  EXPECT_EQ(WithoutFilledStreamingOptions("DSN=pg;UseDeclareFetch=0;Fetch=100;Port=5", "DSN=pg;fetch=100",
                                          "PostgreSQL"),
            "DSN=pg;Fetch=100;Port=5;");
  EXPECT_EQ(WithoutFilledStreamingOptions("DSN=x;Timeout=", "DSN=x", "SQLite"), "DSN=x;Timeout=");
}

}  // namespace
