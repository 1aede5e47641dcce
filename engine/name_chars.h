#pragma once
// Which bytes make up a name of the expression language (Windows-1252 text): a name starts with
// an ASCII letter and goes on over ASCII letters, digits, '_' and a few accented small letters.
// Shared by the lexer and the definition check so both read a name the same way.

#include <string>

namespace tobrisk {

inline bool isDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}
inline bool isDigit(char c) {
    return isDigit(static_cast<unsigned char>(c));
}
inline bool isAsciiLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// à á ã ä ç è é ê í ó ô õ ö ú ü
inline bool isAcceptedAccented(unsigned char c) {
    static constexpr unsigned char kAccepted[] = {0xE0, 0xE1, 0xE3, 0xE4, 0xE7, 0xE8, 0xE9, 0xEA,
                                                  0xED, 0xF3, 0xF4, 0xF5, 0xF6, 0xFA, 0xFC};
    for (unsigned char a : kAccepted) {
        if (a == c) return true;
    }
    return false;
}

inline bool isNameChar(unsigned char c) {
    return isAsciiLetter(c) || isDigit(c) || c == '_' || isAcceptedAccented(c);
}

// Lower case for names. Windows-1252 capitals fold to their small letters as the code page's
// own case mapping does (0xC0..0xDE except 0xD7 fold by +0x20).
inline void lowerInPlace(std::string& s) {
    for (char& ch : s) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c >= 'A' && c <= 'Z') {
            ch = static_cast<char>(c + 32);
        } else if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
            ch = static_cast<char>(c + 32);
        }
    }
}
inline std::string lowerName(std::string s) {
    lowerInPlace(s);
    return s;
}

}  // namespace tobrisk
