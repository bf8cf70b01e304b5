#pragma once
// The rule for text typed into a field that is stored in a text column: at most 255
// characters, counted as the engines count them. PostgreSQL (a UTF8 database) counts the
// characters of VARCHAR(255) and refuses more; SQLite stores any length, and the applet reads
// back only the first 255 characters. Characters are therefore UTF-8 characters, not bytes, on
// both engines (db/TextLimit.h does the counting). A NUL character is refused too: PostgreSQL
// cannot store it, and no field can show it. Such a text is refused before anything is
// written, so that nothing is stored that reads back changed.

#include <string>

class CWnd;

// True when `text` fits a text column. Otherwise shows, owned by `owner`, a box captioned
// "Invalid Value" that names the field (`fieldName`, e.g. "Welcome Message") and what is wrong,
// and returns false.
bool TextFitsColumn(CWnd* owner, const std::string& text, const std::string& fieldName);
