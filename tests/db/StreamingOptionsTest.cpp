// The streaming options the session adds to a connection string, and a data source that names
// none of them connecting with them while the registry keeps the string as written.

#include "db/StreamingOptions.h"

#include <gtest/gtest.h>

#include <vector>

#include "db/ConfigDatabase.h"
#include "db/ConnectString.h"
#include "tests/db/TestHelpers.h"
#include "tests/support/DatabaseTest.h"

namespace {

struct OptionCase {
  const char* connectionString;
  const char* given;
  const char* engine;
  const char* expected;
};

TEST(StreamingOptionsTest, AddedOnlyWhereTheUsersStringDoesNotSetThem) {
  const OptionCase cases[] = {
      {"Driver=SQLite3;Database=/a.db", "Driver=SQLite3;Database=/a.db", "SQLite",
       "Driver=SQLite3;Database=/a.db;StepAPI=1;"},
      // a completion's empty or default value is replaced where it stands
      {"DSN=;Database=/a.db;StepAPI=;Timeout=", "Driver=SQLite3;Database=/a.db", "SQLite",
       "DSN=;Database=/a.db;StepAPI=1;Timeout=;"},
      {"DSN=pg;UseDeclareFetch=0;Fetch=100", "DSN=pg", "PostgreSQL 15.4",
       "DSN=pg;UseDeclareFetch=1;Fetch=1000;"},
      // what the user set stays, in any case of the key
      {"DSN=x;stepapi=0", "DSN=x;stepapi=0", "SQLite", "DSN=x;stepapi=0"},
      {"DSN=pg;usedeclarefetch=0", "DSN=pg;usedeclarefetch=0", "PostgreSQL",
       "DSN=pg;usedeclarefetch=0;Fetch=1000;"},
      // a braced value may hold semicolons and equals signs
      {"Driver={PostgreSQL Unicode};Pwd={a;b=c}", "Driver={PostgreSQL Unicode};Pwd={a;b=c}", "PostgreSQL",
       "Driver={PostgreSQL Unicode};Pwd={a;b=c};UseDeclareFetch=1;Fetch=1000;"},
      {"DSN=x", "DSN=x", "Oracle", "DSN=x"},
  };
  for (const OptionCase& c : cases)
    EXPECT_EQ(WithStreamingOptions(c.connectionString, c.given, c.engine), c.expected) << c.connectionString;
  // Stored, a completion keeps only the options the user set.
  EXPECT_EQ(WithoutFilledStreamingOptions("DSN=pg;UseDeclareFetch=0;Fetch=100;Port=5", "DSN=pg;fetch=100",
                                          "PostgreSQL"),
            "DSN=pg;Fetch=100;Port=5;");
  EXPECT_EQ(WithoutFilledStreamingOptions("DSN=x;Timeout=", "DSN=x", "SQLite"), "DSN=x;Timeout=");
}

class OldDataSourceTest : public DatabaseTest {};
VELTRANE_ON_ALL_ENGINES(OldDataSourceTest);

std::string Erased(std::string text, const std::string& part) {
  const size_t at = text.find(part);
  return at == std::string::npos ? text : text.erase(at, part.size());
}

TEST_P(OldDataSourceTest, TheSessionStreamsAndTheRegistryKeepsTheStringWithoutTheOptions) {
  const std::string old =
      Erased(Erased(Erased(Db().ConnectionString(), "StepAPI=1;"), ";UseDeclareFetch=1"), ";Fetch=1000");
  SetRegistryValue("ConnectionString", old);
  const bool sqlite = GetParam() == Engine::SQLite;
  // The second log-in reads what the first stored: the driver's completion, which must not
  // carry its own defaults for these options as if the user had chosen them.
  for (int logIn = 0; logIn < 2; ++logIn) {
    ConfigDatabase session;
    ASSERT_EQ(session.Connect(0, "admin", "brelk"), 1);
    const std::string stored = RegistryValue("ConnectionString");
    for (const char* option :
         sqlite ? std::vector<const char*>{"StepAPI"} : std::vector<const char*>{"UseDeclareFetch", "Fetch="})
      EXPECT_EQ(stored.find(option), std::string::npos) << stored;
    for (const char* option : sqlite ? std::vector<const char*>{";StepAPI=1;"}
                                     : std::vector<const char*>{";UseDeclareFetch=1;", ";Fetch=1000;"})
      EXPECT_NE(connectString().find(option), std::string::npos)
          << "log-in " << logIn << ": " << connectString();
    session.LoadUsers("", ConfigDatabase::kAll);
    EXPECT_EQ(session.users.size(), 2u);
  }
}

}  // namespace
