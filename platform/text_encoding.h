#pragma once
// Windows-1252 (the data record's code page) to and from UTF-8 terminals, without a toolkit.
// Characters that Windows-1252 cannot hold become '?', as in the windows' conversion: a
// character beyond U+FFFF gives two, one per UTF-16 unit, and each malformed UTF-8 byte one.

#include <string>

namespace tobrisk {

// The Unicode code point of one Windows-1252 byte (the five unassigned bytes keep their C1
// code points, so every byte survives a round trip).
char32_t cp1252ToUnicode(unsigned char byte);
// The Windows-1252 byte of a code point, or '?' when the code page has none.
char unicodeToCp1252(char32_t code);

std::string cp1252ToUtf8(const std::string& cp1252);
std::string utf8ToCp1252(const std::string& utf8);

}  // namespace tobrisk
