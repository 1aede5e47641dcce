#include "engine/lexer.h"

#include <gtest/gtest.h>

#include "front_fixture.h"

namespace tobrisk {
namespace {

class LexerTest : public FrontFixture, public ::testing::Test {};

struct LexCase {
    const char* line;
    const char* tokens;
    const char* kinds;
    const char* message;
};

TEST_F(LexerTest, SplitsLines) {
    const LexCase cases[] = {
        {"", "", "", ""},
        {"   ", "", "", ""},
        {"2x+3", "2 * x + 3", "9*a+9", ""},
        {"2(1+1)", "2 * ( 1 + 1 )", "9*(9+9)", ""},
        {"x(2)", "x ( 2 )", "a(9)", ""},
        {"(2)3", "( 2 ) 3", "(9)9", ""},
        {"1.5e-3", "1.5e-3", "9", ""},
        {"1.5E+3*.5", "1.5E+3 * .5", "9*9", ""},
        {"2e3e4", "2e3 * e4", "9*a", ""},
        {";;2;;3", "2 ; 3", "9;9", ""},
        {"2;", "2 ;", "9;", ""},
        {"x = 2*pi; x^2", "x = 2 * pi ; x ^ 2", "a=9*a;a^9", ""},
        {"ABC + D\xE9j\xE0", "abc + d\xE9j\xE0", "a+a", ""},
        {"\xC0x", "x", "a", "\xC0: invalid character"},
        {"a_1b\xE7\xE3o", "a_1b\xE7\xE3o", "a", ""},
        {"1.5e", "1.5e", "9", "number 1.5e: lacks exponent"},
        {"3e+", "3e+", "9", "number 3e+: lacks exponent"},
        {"1.2.3", "1.23", "9", "invalid value"},
        {"2.e3", "2.e3", "9", "invalid number format"},
        {".", ".", "9", "invalid number format"},
        {"1 # 2", "1 2", "99", "#: invalid character"},
        {"1.2.3 + \t", "1.23 +", "9+", "\t: invalid character"},
        {"abcdefghijklmnopqrstuvwxyzabcde+1", "abcdefghijklmnopqrstuvwxyzabcde + 1", "a+9",
         "abcdefghijklmnopqrstuvwxyzabcde: name with more than 30 characters"},
        {"abcdefghijklmnopqrstuvwxyzabcd", "abcdefghijklmnopqrstuvwxyzabcd", "a", ""},
    };
    for (const LexCase& c : cases) {
        SCOPED_TRACE(c.line);
        lex(c.line);
        EXPECT_EQ(tokens(), c.tokens);
        EXPECT_EQ(kinds(), c.kinds);
        EXPECT_EQ(ctx.message, c.message);
        EXPECT_EQ(ctx.tokens.at(0).kind, ';');
        EXPECT_EQ(ctx.tokens.at(ctx.tokens.count + 1).kind, ' ');
        EXPECT_EQ(ctx.tokens.at(ctx.tokens.count + 1).text, " ");
    }
}

TEST_F(LexerTest, Positions) {
    lex("abc + 12.5 *(x)");
    ASSERT_EQ(ctx.tokens.count, 7);
    const int expected[] = {1, 5, 10, 12, 13, 14, 15};
    for (int k = 1; k <= 7; ++k) EXPECT_EQ(ctx.tokens.at(k).position, expected[k - 1]) << k;
}

TEST_F(LexerTest, TokenLimit) {
    std::string line = "1";
    for (int k = 0; k < 39; ++k) line += "+1";  // 79 tokens
    lex(line);
    EXPECT_EQ(ctx.tokens.count, 79);
    EXPECT_EQ(ctx.message, "");
    lex(line + "+");
    EXPECT_EQ(ctx.message, "token overflow (too complex expression)");
    EXPECT_EQ(ctx.tokens.count, 79);
    // Implicit "*" counts too.
    lex(line.substr(0, line.size() - 2) + "+2x");
    EXPECT_EQ(ctx.message, "token overflow (too complex expression)");
}

TEST_F(LexerTest, DefinitionStoresAndCalculatesTheBody) {
    lex("f = \"x^2\"");
    EXPECT_EQ(ctx.message, "");
    const int f = store.find("f");
    ASSERT_GT(f, 0);
    EXPECT_EQ(record.kind(f), EntryKind::UserFunction);
    EXPECT_EQ(record.body(f), "x^2");
    EXPECT_EQ(ctx.entryLine, "x^2");
    EXPECT_EQ(tokens(), "x ^ 2");
    EXPECT_EQ(store.listing().back(), "f(x) = x^2");

    lex("a; g = \"y*2\"; 3");
    EXPECT_EQ(ctx.entryLine, "a; y*2; 3");
    EXPECT_EQ(tokens(), "a ; y * 2 ; 3");
}

TEST_F(LexerTest, TypographicQuotes) {
    lex("f = \x93x+1\x94");
    EXPECT_EQ(ctx.message, "");
    EXPECT_EQ(record.body(store.find("f")), "x+1");
    lex("g = \x94y\"");
    EXPECT_EQ(record.body(store.find("g")), "y");
    // An opening typographic quote does not close a body.
    lex("h = \"a\x93z\"");
    EXPECT_EQ(record.body(store.find("h")), "a\x93z");
}

TEST_F(LexerTest, DefinitionMessages) {
    const LexCase cases[] = {
        {"\"x\"", "", "", "quotes not preceded by \"name =\""},
        {"= \"x\"", "=", "=", "quotes not preceded by \"name =\""},
        {"2+3 \"x\"", "2 + 3", "9+9", "quotes not preceded by \"name =\""},
        {"f = \"x", "f =", "a=", "quotes not closed"},
        {"1.2.3; f = \"x\"", "1.23 ; f =", "9;a=", "invalid value"},
        {"sin = \"x\"", "sin =", "a=", "function \"sin\" refused: name of native function"},
        {"f = \"f+1\"", "f =", "a=", "function \"f\" refused: auto-reference"},
    };
    for (const LexCase& c : cases) {
        SCOPED_TRACE(c.line);
        lex(c.line);
        EXPECT_EQ(tokens(), c.tokens);
        EXPECT_EQ(ctx.message, c.message);
        EXPECT_EQ(store.count(), 3);
    }
}

TEST_F(LexerTest, ConstantDefinitionLeavesItsNotice) {
    lex("c = \"42\"");
    EXPECT_EQ(ctx.message, "constant-value function, accepted");
    EXPECT_EQ(ctx.entryLine, "42");
}

TEST_F(LexerTest, DefinitionIntoAFullStoreIsRefused) {
    while (store.count() < 60) {
        const int i = store.append();
        record.setName(i, "v" + std::to_string(i));
    }
    const auto before = record.bytes();
    lex("f = \"x+1\"");
    EXPECT_EQ(ctx.message, "more than 60 variables/events");
    EXPECT_TRUE(record.bytes() == before);
}

TEST_F(LexerTest, BareUserFunctionNamesExpand) {
    lex("f = \"x+1\"");
    lex("f");
    EXPECT_EQ(ctx.entryLine, "(x+1)");
    EXPECT_EQ(tokens(), "( x + 1 )");
    lex("2f*F");
    EXPECT_EQ(ctx.entryLine, "2(x+1)*(x+1)");
    EXPECT_EQ(tokens(), "2 * ( x + 1 ) * ( x + 1 )");
    // A call keeps the name; a name before "=" is not expanded.
    lex("f(3)");
    EXPECT_EQ(tokens(), "f ( 3 )");
    lex("f = 3");
    EXPECT_EQ(tokens(), "f = 3");
}

TEST_F(LexerTest, MutuallyExpandingFunctionsEndInOverflow) {
    lex("f = \"g\"");
    lex("g = \"f\"");
    lex("f");
    EXPECT_EQ(ctx.message, "token overflow (too complex expression)");
}

TEST_F(LexerTest, FractionLiteralsFold) {
    struct Case {
        const char* line;
        const char* tokens;
    } cases[] = {
        {"1/2+3/4", "1(2) + 3(4)"},  {"3/4*2", "3(4) * 2"},      {"1/2/3", "1(2) / 3"},
        {"1/2/3/4", "1(2) / 3 / 4"}, {"6/2^2", "6 / 2 ^ 2"},     {"2^3/4", "2 ^ 3 / 4"},
        {"(1/2)^3", "( 1(2) ) ^ 3"}, {"1/2*3/4", "1(2) * 3(4)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        lex(c.line, true);
        EXPECT_EQ(ctx.message, "");
        EXPECT_EQ(tokens(), c.tokens);
        for (int k = 1; k <= ctx.tokens.count; ++k)
            EXPECT_FALSE(ctx.tokens.at(k).denominator.empty());
        EXPECT_EQ(ctx.tokens.at(ctx.tokens.count + 1).kind, ' ');
    }
}

TEST_F(LexerTest, FractionModeRefusesNamesAndDecimals) {
    for (const char* line : {"x+1", "1.5", "2e3", "sqrt(4)"}) {
        lex(line, true);
        EXPECT_EQ(ctx.message, "expression invalid for the fraction mode") << line;
    }
}

}  // namespace
}  // namespace tobrisk
