#include "tests/support/DatabaseTest.h"

#include <cstdlib>

#include "db/ConnectString.h"
#include "db/ConnectionPool.h"

void DatabaseTest::SetUp() {
  if (!IsAvailable(GetParam())) GTEST_SKIP() << "VELTRANE_TEST_PG names no PostgreSQL server";
  setenv("VELTRANE_REGISTRY_ROOT", m_registryRoot.Path().c_str(), 1);
  m_database = std::make_unique<TestDatabase>(GetParam());
  connectString() = "ODBC;" + m_database->ConnectionString();
}

void DatabaseTest::TearDown() {
  CloseIdleConnections();  // none may outlive the database it is open on
  connectString() = "ODBC;DSN=Veltrane";
  m_database.reset();
}
