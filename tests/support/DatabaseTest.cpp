#include "tests/support/DatabaseTest.h"

#include <cstdlib>

#include "db/ConnectString.h"
#include "db/ConnectionPool.h"

void DatabaseTest::SetUp() {
  if (!IsAvailable(GetParam())) GTEST_SKIP() << "VELTRANE_TEST_PG names no PostgreSQL server";
  setenv("VELTRANE_REGISTRY_ROOT", registryRoot_.Path().c_str(), 1);
  database_ = std::make_unique<TestDatabase>(GetParam());
  connectString() = "ODBC;" + database_->ConnectionString();
}

void DatabaseTest::TearDown() {
  CloseIdleConnections();  // none may outlive the database it is open on
  connectString() = "ODBC;DSN=Veltrane";
  database_.reset();
}
