// The line calculation's dealings with its window: colours, sounds, history, entry line,
// continuation with its timer, fraction mode for one line, and Factor Integer.

#include "engine/line_calculation.h"

#include <gtest/gtest.h>

#include "tests/engine/engine_fixture.h"

namespace tobrisk {
namespace {

using test::Engine;
using Alerts = std::vector<AlertKind>;

TEST(LineCalculation, SuccessAndFailureLook) {
    Engine e;
    e.view.entry = "1+2";
    EXPECT_TRUE(e.calc.calculateLine());
    EXPECT_EQ(e.view.result, "3");
    EXPECT_EQ(e.view.colour, ResultColour::Normal);
    EXPECT_EQ(e.view.selectAlls, 1);
    EXPECT_TRUE(e.view.alerts.empty());

    e.view.entry = "1/0";
    EXPECT_FALSE(e.calc.calculateLine());
    EXPECT_EQ(e.view.result, "division by zero");
    EXPECT_EQ(e.view.colour, ResultColour::Notice);
    EXPECT_EQ(e.view.alerts, Alerts{AlertKind::Asterisk});
    EXPECT_EQ(e.view.entry, "1/0");

    // An empty line: empty result line, no sound, not a success.
    e.view.alerts.clear();
    e.view.entry = "";
    EXPECT_FALSE(e.calc.calculateLine());
    EXPECT_EQ(e.view.result, "");
    EXPECT_TRUE(e.view.alerts.empty());
}

TEST(LineCalculation, HistoryRules) {
    Engine e;
    e.enter("1+1");
    e.enter("1+1");  // the same line twice is kept once
    e.enter("1/0");  // failed in evaluation: kept
    e.enter("(1");   // refused by the parser: not kept
    e.enter("2$");   // refused by the lexer: not kept
    e.enter("");
    EXPECT_EQ(e.view.history, (std::vector<std::string>{"1+1", "1/0"}));
    EXPECT_EQ(e.view.entry, "");
}

TEST(LineCalculation, ContinuationWithTheOptionOff) {
    Engine e;
    e.enter("7");
    EXPECT_EQ(e.enter("2^"), "49");  // rewritten, but continuation is not entered
    EXPECT_EQ(e.view.interval, LineCalculation::kNormalInterval);
    EXPECT_EQ(e.enter("+1"), "1");
    EXPECT_EQ(e.enter("4"), "4");
    EXPECT_EQ(e.view.history.back(), "4");
}

TEST(LineCalculation, ContinuationWithTheOptionOn) {
    Engine e;
    e.view.soma = true;
    e.enter("7");
    EXPECT_EQ(e.enter("2^"), "49");
    EXPECT_EQ(e.view.alerts, Alerts{AlertKind::Exclamation});
    EXPECT_EQ(e.view.interval, LineCalculation::kBlinkInterval);
    EXPECT_EQ(e.enter("+1"), "50");
    EXPECT_TRUE(e.view.alerts.empty());
    EXPECT_EQ(e.enter("4"), "54");
    EXPECT_EQ(e.view.history.back(), "4   54");
    // A failed continuation keeps the last good result: "+5" goes on from 54, not from 0.
    EXPECT_EQ(e.enter("/0"), "division by zero");
    EXPECT_EQ(e.enter("+5"), "59");
    // Any other line ends continuation with the warning sound and the normal timer.
    EXPECT_EQ(e.enter("1+1"), "2");
    EXPECT_EQ(e.view.alerts, Alerts{AlertKind::Exclamation});
    EXPECT_EQ(e.view.interval, LineCalculation::kNormalInterval);
    EXPECT_EQ(e.view.history.back(), "1+1");
}

TEST(LineCalculation, RpnCallsNeverContinue) {
    Engine e;
    e.enter("10");
    e.view.entry = "5*";
    EXPECT_FALSE(e.calc.calculateLine(false));
    EXPECT_EQ(e.view.result, "unexpected expression end");
}

TEST(LineCalculation, FractionModeLastsOneLine) {
    Engine e;
    EXPECT_EQ(e.fraction("1/2+1/3"), "5/6");
    EXPECT_FALSE(e.ctx.fractionMode);
    EXPECT_EQ(e.enter("1/2+1/3"), "0.833333333333333");
    // Refused lines clear it too.
    EXPECT_EQ(e.fraction("x+1"), "expression invalid for the fraction mode");
    EXPECT_FALSE(e.ctx.fractionMode);
}

TEST(LineCalculation, FactorInteger) {
    struct Case {
        const char* entry;
        const char* result;
        bool asterisk;
        ResultColour colour;
    } cases[] = {
        {"360", "2^3 x 3^2 x 5^1", false, ResultColour::Normal},
        {"  97 ", "97^1", false, ResultColour::Normal},
        {"-7", "factoring of -7 refused", true, ResultColour::Normal},
        {"abc", "invalid input to factor", true, ResultColour::Notice},
        {"100000000000001", "Number to factor has more than 14 digits", true, ResultColour::Normal},
    };
    for (const Case& c : cases) {
        Engine e;
        e.view.entry = c.entry;
        e.calc.factorInteger();
        EXPECT_EQ(e.view.result, c.result) << c.entry;
        EXPECT_EQ(e.view.colour, c.colour) << c.entry;
        EXPECT_EQ(e.view.alerts, c.asterisk ? Alerts{AlertKind::Asterisk} : Alerts{}) << c.entry;
        EXPECT_EQ(e.view.entry, c.entry);  // the command leaves the entry line and history alone
        EXPECT_TRUE(e.view.history.empty());
        if (std::string(c.entry) != "abc") {
            EXPECT_EQ(e.view.repaints, std::vector<std::string>{"Factoring..."});
        }
    }
    Engine e;
    e.calc.setFactorBig(true);
    e.view.entry = "2305843009213693951";
    e.calc.factorInteger();
    EXPECT_EQ(e.view.result, "2305843009213693951^1");
}

TEST(LineCalculation, CommandHookSeesTheLineFirst) {
    struct Hook : CommandHook {
        explicit Hook(CalcContext& c) : ctx(c) {}
        bool handleCommand(const std::string& line) override {
            if (line.rfind("note", 0) != 0) return false;
            ctx.message = "reminder set";
            return true;
        }
        CalcContext& ctx;
    };
    Engine e;
    Hook hook(e.ctx);
    e.calc.setCommandHook(hook);
    EXPECT_EQ(e.enter("note 10:00 tea"), "reminder set");
    EXPECT_EQ(e.view.colour, ResultColour::Notice);
    EXPECT_EQ(e.view.alerts, Alerts{AlertKind::Asterisk});
    EXPECT_TRUE(e.view.history.empty());
    EXPECT_EQ(e.enter("2+2"), "4");
}

TEST(LineCalculation, TraceIsTheLastParse) {
    // Lines that never reach the parser (lexer refusals, empty lines) leave the trace alone;
    // a line the parser refused shows what it had produced, if anything.
    Engine e;
    const auto line = [&](const char* text) {
        e.view.entry = text;
        e.calc.calculateLine();
        return e.ctx.postfixTrace();
    };
    EXPECT_EQ(line("x = 2+3*4"), " x 2 3 4 * + =");
    EXPECT_EQ(line("2 # 3"), " x 2 3 4 * + =");
    EXPECT_EQ(line(""), " x 2 3 4 * + =");
    EXPECT_EQ(line("sin(x)^2; -x"), " x sin 2 ^ ; x -u");
    EXPECT_EQ(line("1+2+"), " 1 2 + +");
    EXPECT_EQ(line("(1+2"), "");  // refused before any item
}

}  // namespace
}  // namespace tobrisk
