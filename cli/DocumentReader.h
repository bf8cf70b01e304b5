#pragma once
// Reads the documents import takes into a ConfigDocument: the JSON export writes, and, for
// accounts alone, a JSON array of accounts or CSV. A document that cannot be read throws
// CliError (kExitRefused) saying where.
//
// An account's fields: name, home, quota, permissions (a number, or letters as --permissions
// takes them), vserver (an address) with computer (optional), and either digest (the stored
// password digest) or password (digested here).

#include <string>

#include "db/ConfigDocument.h"

// The format's name and version in an exported document.
inline constexpr const char* kDocumentFormat = "veltrane-configuration";
inline constexpr int kDocumentVersion = 1;

// A whole exported configuration.
ConfigDocument ReadConfigDocument(const std::string& text);
// Accounts alone: an exported document (its accounts), a JSON array of accounts, or CSV with a
// header line naming the columns.
ConfigDocument ReadAccountDocument(const std::string& text);
