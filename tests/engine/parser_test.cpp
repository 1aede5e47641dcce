#include "engine/parser.h"

#include <gtest/gtest.h>

#include "front_fixture.h"

namespace tobrisk {
namespace {

class ParserTest : public FrontFixture, public ::testing::Test {};

struct ParseCase {
    const char* line;
    const char* items;  // only checked when the message is empty
    const char* message;
};

TEST_F(ParserTest, PostfixItems) {
    const ParseCase cases[] = {
        {"2+3*4", "2 3 4 *2 +2", ""},
        {"(2+3)*4", "2 3 +2 4 *2", ""},
        {"-2^2", "2 -1 2 ^2", ""},
        {"2^3^2", "2 3 ^2 2 ^2", ""},
        {"2*-3", "2 3 -1 *2", ""},
        {"2^-1", "2 1 -1 ^2", ""},
        {"+5", "5 +1", ""},
        {"2+-3", "2 3 -1 +2", ""},
        {"x=5; x*2", "x(nome=) 5 =2 eoc x 2 *2", ""},
        {"log(8,2)", "8 2 #02log", ""},
        {"sin(x)+cos(2*y)", "x #01sin 2 y *2 #01cos +2", ""},
        {"f(1,2,3,4,5,6,7,8,9,10)", "1 2 3 4 5 6 7 8 9 10 #10f", ""},
        {"2;", "2 eoc", ""},
        {"10-4-3", "10 4 -2 3 -2", ""},
        {"8/4/2", "8 4 /2 2 /2", ""},
        {"y = -(1+2)", "y(nome=) 1 2 +2 -1 =2", ""},
        {"2 3", "", "incomplete expression"},
        {"(2)3", "", "incomplete expression"},
        {"(2 3)", "", "unexpected 3 symbol"},
        {"x+1=3", "", "invalid assignment"},
        {"x=y=3", "", "invalid assignment"},
        {"=3", "", "invalid assignment"},
        {"--3", "", "two immediate unaries"},
        {"2+--3", "", "two immediate unaries"},
        {"2*--3", "", "two immediate unaries"},
        {"2+", "", "unexpected expression end"},
        {"sin()", "", "unexpected ) symbol"},
        {"(1+2", "", "unpaired parenthesis"},
        {"(1;2)", "", "unpaired parenthesis"},
        {"1+2)", "", "unexpected parenthesis close"},
        {"*2", "", "unexpected * symbol"},
        {"2,3", "", "incomplete expression"},
        {"f(1,2", "", "unpaired parenthesis"},
        {"-", "", "unexpected expression end"},
        {"x=", "", "unexpected expression end"},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.line);
        lexParse(c.line);
        EXPECT_EQ(ctx.message, c.message);
        if (*c.message == '\0') {
            EXPECT_EQ(items(), c.items);
        }
    }
}

TEST_F(ParserTest, ParsingTwiceGivesTheSameList) {
    lexParse("x=5; y=x*2");
    const std::string first = items();
    parser.parse();
    EXPECT_EQ(ctx.message, "");
    EXPECT_EQ(items(), first);
}

TEST_F(ParserTest, CallsNeedAClosingParenthesis) {
    // The check pass balances parentheses, so only an argument list broken inside gets here.
    lexParse("f((1)2)");
    EXPECT_EQ(ctx.message, "sintax error func");
}

TEST_F(ParserTest, Trace) {
    lexParse("x=2+3*4");
    EXPECT_EQ(ctx.postfixTrace(), " x 2 3 4 * + =");
    lexParse("-log(8,2)^2; +y");
    EXPECT_EQ(ctx.postfixTrace(), " 8 2 log -u 2 ^ ; y +u");
}

TEST_F(ParserTest, CallRecordsInnerFirst) {
    lexParse("sin(cos(1)) + log(2, 3)");
    ASSERT_EQ(ctx.calls.count, 3);
    EXPECT_EQ(ctx.calls.records[0].name, "cos");
    EXPECT_EQ(ctx.calls.records[0].nameIndex, 3);
    EXPECT_EQ(ctx.calls.records[0].closeIndex, 6);
    EXPECT_EQ(ctx.calls.records[1].name, "sin");
    EXPECT_EQ(ctx.calls.records[1].nameIndex, 1);
    EXPECT_EQ(ctx.calls.records[1].closeIndex, 7);
    EXPECT_EQ(ctx.calls.records[2].name, "log");
    EXPECT_EQ(ctx.tokens.at(ctx.calls.records[2].closeIndex).text, ")");
}

TEST_F(ParserTest, ElevenCallsAreTooMany) {
    std::string line = "f(1)";
    for (int k = 0; k < 9; ++k) line += "+f(1)";
    lexParse(line);
    EXPECT_EQ(ctx.message, "");
    lexParse(line + "+f(1)");
    EXPECT_EQ(ctx.message, "more than 10 functions in a line");
    EXPECT_EQ(ctx.calls.count, 10);
}

TEST_F(ParserTest, IntegerExactMark) {
    struct Case {
        const char* number;
        bool exact;
    } cases[] = {
        {"123", true},
        {"0", true},
        {"1E5", false},
        {"1e5", false},
        {"1.0", false},
        {".5", false},
        {"9223372036854775807", false},
        {"9223372036854774784", true},
        {"99999999999999999999999", false},
    };
    for (const auto& c : cases) {
        lexParse(c.number);
        ASSERT_EQ(ctx.message, "") << c.number;
        ASSERT_EQ(ctx.postfix.count, 1);
        EXPECT_EQ(ctx.postfix.items[0].exact, c.exact) << c.number;
        EXPECT_EQ(ctx.postfix.items[0].kind, ItemKind::Number);
    }
}

TEST_F(ParserTest, ItemKinds) {
    lexParse("a = -b + sin(+2); 3");
    const char* kinds[] = {"nome=",  "nome",     "minus unário", "número", "plus unário",
                           "função", "op aritm", "assgn",        "eoc",    "número"};
    ASSERT_EQ(ctx.message, "");
    ASSERT_EQ(ctx.postfix.count, 10);
    for (int k = 0; k < 10; ++k) EXPECT_STREQ(kindText(ctx.postfix.items[k].kind), kinds[k]) << k;
}

TEST_F(ParserTest, FractionMode) {
    lexParse("1/2+3/4", true);
    EXPECT_EQ(ctx.message, "");
    EXPECT_EQ(items(), "1 3 +2");
    EXPECT_EQ(ctx.postfix.items[0].denominator, "2");
    EXPECT_EQ(ctx.postfix.items[1].denominator, "4");
    lexParse("-1/2", true);
    EXPECT_EQ(ctx.message, "unary operator with fraction");
}

TEST_F(ParserTest, TooManyItems) {
    // 30 numbers and 29 operators fill 59 items; the 60th overflows.
    std::string line = "1";
    for (int k = 0; k < 29; ++k) line += "+1";
    lexParse(line);
    EXPECT_EQ(ctx.message, "");
    EXPECT_EQ(ctx.postfix.count, 59);
    lexParse(line + "+-1");
    EXPECT_EQ(ctx.message, "RPN stack overflow (too complex expression)");
    // The refused items still show in the trace.
    std::string trace = " 1";
    for (int k = 0; k < 29; ++k) trace += " 1 +";
    EXPECT_EQ(ctx.postfixTrace(), trace + " 1 -u +");
}

TEST_F(ParserTest, DeepNestingStaysBounded) {
    lexParse(std::string(40, '(') + "1" + std::string(38, ')'));
    EXPECT_EQ(ctx.message, "unpaired parenthesis");
    lexParse(std::string(39, '(') + "1" + std::string(39, ')'));
    EXPECT_EQ(ctx.message, "");
    EXPECT_EQ(items(), "1");
}

}  // namespace
}  // namespace tobrisk
