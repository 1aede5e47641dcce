#pragma once
// Windows-1252 (the data record's code page) at the boundary to Qt and to UTF-8 terminals.
// Characters that Windows-1252 cannot hold become '?'.

#include <QString>
#include <string>

namespace tobrisk {

QString toQString(const std::string& cp1252);
std::string fromQString(const QString& text);
std::string cp1252ToUtf8(const std::string& cp1252);
std::string utf8ToCp1252(const std::string& utf8);

}  // namespace tobrisk
