#pragma once
// The process-wide ODBC connect string with which every recordset opens its own connection.
// A function-local object, so that static objects of other translation units may use it
// while they are constructed or destroyed.

#include <optional>
#include <string>

// Starts as "ODBC;DSN=Veltrane"; the session replaces it when it connects.
std::string& connectString();

// `text` without a leading "ODBC;", which is ours and not the driver manager's.
std::string WithoutOdbcPrefix(const std::string& text);

// The value of the string's "Database" attribute (any case, without its braces), if it has one.
std::optional<std::string> DatabaseAttribute(const std::string& connectionString);
