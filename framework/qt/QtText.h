#pragma once
// Text in UTF-8 to and from the toolkit's strings.

#include <QString>
#include <string>

QString ToQString(const std::string& text);
std::string FromQString(const QString& text);
