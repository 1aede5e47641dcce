#include "platform/text_encoding.h"

#include <gtest/gtest.h>

namespace tobrisk {
namespace {

TEST(TextEncoding, EveryByteSurvivesTheWayThroughUtf8) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

TEST(TextEncoding, TerminalTextToTheCodePage) {
    struct {
        const char* utf8;
        const char* cp1252;
    } const cases[] = {
        {"plain 1+2", "plain 1+2"},
        {"\u20AC 5", "\x80 5"},                // euro sign
        {"\u201Cx\u201D", "\x93x\x94"},        // curly quotes of note texts
        {"caf\u00E9 \u00E7", "caf\xE9 \xE7"},  // Latin-1 letters
        {"\u0081\u009D", "\x81\x9D"},          // unassigned bytes keep C1 points
        {"\u4E2D=1", "?=1"},                   // not in the code page
        {"\U0001F600", "??"},                  // beyond U+FFFF: two UTF-16 units
        // Malformed UTF-8: one '?' a byte, one for a sequence that the end cuts short.
        {"a\xFF!", "a?!"},
        {"a\xE2\x82!", "a?\?!"},
        {"a\xC3", "a?"},
        {"\xC0\xAF", "??"},       // overlong slash
        {"\xED\xA0\x80", "???"},  // a lone surrogate
    };
    for (const auto& c : cases) EXPECT_EQ(utf8ToCp1252(c.utf8), c.cp1252) << c.utf8;
}

}  // namespace
}  // namespace tobrisk
