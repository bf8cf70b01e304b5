#include "db/Transaction.h"

#include <sqlext.h>

#include <exception>

#include "db/ConnectionPool.h"
#include "db/OdbcCheck.h"
#include "db/OdbcConnection.h"

namespace {

void SetConnectionValue(SQLHDBC handle, SQLINTEGER attribute, SQLULEN value) {
  CheckOdbc(SQLSetConnectAttr(handle, attribute, reinterpret_cast<SQLPOINTER>(value), SQL_IS_UINTEGER),
            SQL_HANDLE_DBC, handle);
}

SQLULEN IsolationOf(SQLHDBC handle) {
  SQLUINTEGER isolation = 0;
  CheckOdbc(SQLGetConnectAttr(handle, SQL_ATTR_TXN_ISOLATION, &isolation, SQL_IS_UINTEGER, nullptr),
            SQL_HANDLE_DBC, handle);
  return isolation;
}

}  // namespace

Transaction::Transaction(ConnectionLease& lease, Isolation isolation) : m_lease(lease) {
  const SQLHDBC handle = m_lease.Connection().Handle();
  // The level is set while no transaction is open, before autocommit goes off.
  if (isolation == Isolation::serializable && IsolationOf(handle) != SQL_TXN_SERIALIZABLE) {
    m_previousIsolation = IsolationOf(handle);
    SetConnectionValue(handle, SQL_ATTR_TXN_ISOLATION, SQL_TXN_SERIALIZABLE);
  }
  try {
    SetConnectionValue(handle, SQL_ATTR_AUTOCOMMIT, SQL_AUTOCOMMIT_OFF);
  } catch (...) {
    m_lease.Discard();
    throw;
  }
}

Transaction::~Transaction() {
  if (m_ended) return;
  try {
    End(SQL_ROLLBACK);
  } catch (...) {
    // End has already kept the connection from being lent again.
  }
}

void Transaction::Commit() { End(SQL_COMMIT); }

void Transaction::End(short completion) {
  m_ended = true;
  const SQLHDBC handle = m_lease.Connection().Handle();
  std::exception_ptr failure;
  try {
    const auto end = [&] {
      CheckOdbc(SQLEndTran(SQL_HANDLE_DBC, handle, completion), SQL_HANDLE_DBC, handle);
    };
    if (completion == SQL_COMMIT)
      RunCommitting(m_lease.Connection(), end);
    else
      end();
  } catch (...) {
    failure = std::current_exception();
  }
  // Back to autocommit whatever happened; a connection in an unknown state is not lent again.
  bool restored = SQL_SUCCEEDED(SQLSetConnectAttr(
      handle, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), SQL_IS_UINTEGER));
  if (m_previousIsolation != 0)
    restored = restored && SQL_SUCCEEDED(SQLSetConnectAttr(handle, SQL_ATTR_TXN_ISOLATION,
                                                           reinterpret_cast<SQLPOINTER>(m_previousIsolation),
                                                           SQL_IS_UINTEGER));
  if (failure || !restored) m_lease.Discard();
  if (failure) std::rethrow_exception(failure);
}
