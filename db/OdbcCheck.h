#pragma once
// Turns a failed ODBC call into a DatabaseError carrying the handle's diagnostic records.

#include <sql.h>

// Returns when `result` is SQL_SUCCESS, SQL_SUCCESS_WITH_INFO or SQL_NO_DATA; throws
// DatabaseError with the diagnostics of `handle` otherwise.
void CheckOdbc(SQLRETURN result, SQLSMALLINT handleType, SQLHANDLE handle);
