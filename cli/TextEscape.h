#pragma once
// Stored text made safe to print. The database may hold any bytes: control characters (an
// escape sequence would recolour the terminal, a newline would split a row) and bytes that
// are not UTF-8 (SQLite stores whatever it is given).

#include <string>

// For a terminal: C0 controls as \e, \n, \r, \t or \xNN, DEL as \x7f, C1 controls as \u0080
// to \u009f, and each byte that is not part of valid UTF-8 as \xNN. A backslash stays as it
// is (home folders like c:\ are common).
std::string EscapedForTerminal(const std::string& text);
// Whether every byte of the text belongs to a valid UTF-8 sequence.
bool IsUtf8(const std::string& text);
// The text escaped as above, in double quotes: how a message names a computer or an account.
std::string Quoted(const std::string& text);

// Appends `text` as a JSON string, quotes included: '"', '\' and controls escaped, and each
// byte that is not part of valid UTF-8 written as \u00XX, its value taken as a Latin-1
// character, so the document is always valid.
void AppendJsonString(std::string& out, const std::string& text);
