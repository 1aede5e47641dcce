#include "platform/text_encoding.h"

#include <cstdint>

namespace tobrisk {

namespace {

// A fixed table rather than a codec: the conversion must not depend on what the system's
// converters hold, and only 0x80..0x9F differ from Latin-1.
constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Length of a well-formed UTF-8 sequence starting at s[i] and its code point; 0 when the bytes
// there do not start one (overlong forms, surrogates and values past U+10FFFF included).
std::size_t decodeOne(const std::string& s, std::size_t i, char32_t& code) {
    const auto b0 = static_cast<std::uint8_t>(s[i]);
    std::size_t len;
    char32_t min;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2, code = b0 & 0x1F, min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3, code = b0 & 0x0F, min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4, code = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (s.size() - i < len) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<std::uint8_t>(s[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        code = (code << 6) | (b & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return len;
}

// True when the bytes from i to the end begin a sequence that the end cuts short.
bool truncatedAtEnd(const std::string& s, std::size_t i) {
    const auto b0 = static_cast<std::uint8_t>(s[i]);
    const std::size_t len = b0 >= 0xF0 && b0 <= 0xF4 ? 4 : b0 >= 0xE0 ? 3 : b0 >= 0xC2 ? 2 : 0;
    if (len == 0 || s.size() - i >= len) return false;
    for (std::size_t k = i + 1; k < s.size(); ++k)
        if ((static_cast<std::uint8_t>(s[k]) & 0xC0) != 0x80) return false;
    return true;
}

}  // namespace

char32_t cp1252ToUnicode(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
}

char unicodeToCp1252(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == code) return static_cast<char>(0x80 + i);
    return '?';
}

std::string cp1252ToUtf8(const std::string& cp1252) {
    std::string out;
    out.reserve(cp1252.size() + cp1252.size() / 2);
    for (unsigned char c : cp1252) appendUtf8(out, cp1252ToUnicode(c));
    return out;
}

std::string utf8ToCp1252(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        if (static_cast<std::uint8_t>(utf8[i]) < 0x80) {
            out += utf8[i++];
            continue;
        }
        char32_t code = 0;
        const std::size_t len = decodeOne(utf8, i, code);
        if (len == 0) {
            // As the windows' decoder: one '?' per malformed byte, one for a sequence cut
            // short by the end of the text.
            out += '?';
            i = truncatedAtEnd(utf8, i) ? utf8.size() : i + 1;
            continue;
        }
        if (code > 0xFFFF) out += '?';  // a surrogate pair in the windows' UTF-16
        out += unicodeToCp1252(code);
        i += len;
    }
    return out;
}

}  // namespace tobrisk
