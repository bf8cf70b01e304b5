#pragma once
// Text in UTF-8 to and from the toolkit's strings, and a template's text as shown.

#include <QString>
#include <string>
#include <string_view>

QString ToQString(std::string_view text);
std::string FromQString(const QString& text);

// A label's or button's text as shown: "&&" shows "&", a single "&" only marks the mnemonic.
QString WithoutMnemonics(const QString& text);
