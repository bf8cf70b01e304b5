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

struct SessionConnectStrings {
  std::string stored;  // what the registry keeps: the user's string, or its completion
  std::string used;    // what the session connects with: `stored` asking for streamed results
};

// Connects with `text` (never prompting). The stored string is the completed connection
// string the driver manager hands back, without the streaming options `text` does not set,
// or `text` itself (without "ODBC;") when the completed string does not connect again. The used one adds the
// streaming options of the engine where `text` does not set them, unless that string does not connect. Throws
// DatabaseError when `text` does not connect.
SessionConnectStrings CompleteConnectString(const std::string& text);

// The value of the string's "Database" attribute (any case), if it has one.
std::optional<std::string> DatabaseAttribute(const std::string& connectionString);
