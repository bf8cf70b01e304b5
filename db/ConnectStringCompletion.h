#pragma once
// The session's connection strings, completed by the driver manager when the session connects.

#include <string>

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
