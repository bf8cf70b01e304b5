#include "db/Transaction.h"

#include <sqlext.h>

#include <exception>

#include "db/ConnectionPool.h"
#include "db/OdbcCheck.h"
#include "db/OdbcConnection.h"

namespace {

void SetAutocommit(SQLHDBC handle, SQLULEN value) {
  CheckOdbc(SQLSetConnectAttr(handle, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(value), SQL_IS_UINTEGER),
            SQL_HANDLE_DBC, handle);
}

}  // namespace

Transaction::Transaction(ConnectionLease& lease) : lease_(lease) {
  SetAutocommit(lease_.Connection().Handle(), SQL_AUTOCOMMIT_OFF);
}

Transaction::~Transaction() {
  if (ended_) return;
  try {
    End(SQL_ROLLBACK);
  } catch (...) {
    // End has already kept the connection from being lent again.
  }
}

void Transaction::Commit() { End(SQL_COMMIT); }

void Transaction::End(short completion) {
  ended_ = true;
  const SQLHDBC handle = lease_.Connection().Handle();
  std::exception_ptr failure;
  try {
    CheckOdbc(SQLEndTran(SQL_HANDLE_DBC, handle, completion), SQL_HANDLE_DBC, handle);
  } catch (...) {
    failure = std::current_exception();
  }
  // Back to autocommit whatever happened; a connection in an unknown state is not lent again.
  const SQLRETURN restored = SQLSetConnectAttr(handle, SQL_ATTR_AUTOCOMMIT,
                                               reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), SQL_IS_UINTEGER);
  if (failure || !SQL_SUCCEEDED(restored)) lease_.Discard();
  if (failure) std::rethrow_exception(failure);
}
