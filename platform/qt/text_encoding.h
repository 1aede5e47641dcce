#pragma once
// Windows-1252 (the data record's code page) at the boundary to Qt. The UTF-8 conversions
// for terminals are in platform/text_encoding.h, shared with the command line.
// Characters that Windows-1252 cannot hold become '?'.

#include <QString>
#include <string>

#include "platform/text_encoding.h"

namespace tobrisk {

QString toQString(const std::string& cp1252);
std::string fromQString(const QString& text);

}  // namespace tobrisk
