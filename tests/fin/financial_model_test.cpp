// The solve of each field, the mode changes and the messages, through a plain view.

#include "fin/financial_model.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/fin/fake_financial_view.h"

namespace tobrisk {
namespace {

using testing::FinancialFixture;
using Mode = FinancialModel::Mode;

constexpr int kConsumer = 0, kGeneric = 1, kStart = 0, kEnd = 1;

TEST(FinancialModel, ConsumerCreditPaymentAndTotal) {
    FinancialFixture f(kConsumer, kEnd, 1);
    f.type(0, "1200");
    f.type(4, "200");
    f.type(1, "2");
    f.type(2, "12");
    f.model.solve(3);
    EXPECT_EQ(f.text(3), "94.56");
    EXPECT_EQ(f.text(2), "12.00");
    EXPECT_EQ(f.text(5), "1334.72");
    EXPECT_EQ(f.view.focus, 1);
    EXPECT_TRUE(f.view.messages.empty());
}

TEST(FinancialModel, GenericFormulaPaymentIsNegative) {
    FinancialFixture f(kGeneric, kEnd, 1);
    f.type(0, "1000");
    f.type(1, "2");
    f.type(2, "12");
    f.model.solve(3);
    EXPECT_EQ(f.text(3), "-94.56");
    EXPECT_EQ(f.text(5), "");  // the future value is not a payments total here
}

TEST(FinancialModel, EveryTargetFromTheOtherFour) {
    // One solution of the equation: 5000 at 1 % over 24 periods leaves -1000 after payments of
    // -198.29388889305866. Each field is solved from the other four.
    const char* exact[6] = {"5000", "1", "24", "-198.29388889305866", "", "-1000"};
    const char* shown[6] = {"5000.00", "1.000", "24.00", "-198.29", "", "-1000.00"};
    const int focus[6] = {0, 3, 0, 1, -1, 1};
    for (int target : {0, 1, 2, 3, 5}) {
        SCOPED_TRACE(target);
        FinancialFixture f(kGeneric, kEnd, 1);
        for (int k : {0, 1, 2, 3, 5}) {
            if (k != target) f.type(k, exact[k]);
        }
        f.model.solve(target);
        EXPECT_TRUE(f.view.messages.empty());
        EXPECT_EQ(f.text(target), shown[target]);
        EXPECT_EQ(f.view.focus, focus[target]);
        EXPECT_EQ(f.model.lastSolved(), target);
    }
}

TEST(FinancialModel, ZeroRateShortcut) {
    FinancialFixture f(kConsumer, kEnd, 1);
    f.type(0, "1200");
    f.type(2, "12");
    f.type(3, "100");
    f.model.solve(1);
    EXPECT_EQ(f.text(1), "0.000");
    EXPECT_TRUE(f.view.messages.empty());
}

TEST(FinancialModel, NoZeroRateWhenFlowsAreOnOneSide) {
    // Present value 1000 and payments of +100 over 10 periods have no rate at all.
    FinancialFixture f(kGeneric, kEnd, 1);
    f.type(0, "1000");
    f.type(2, "10");
    f.type(3, "100");
    f.model.solve(1);
    EXPECT_EQ(f.text(1), "");
    ASSERT_EQ(f.view.messages.size(), 1u);
    EXPECT_EQ(f.view.messages[0],
              "Interest Rate Check the debit and credit signs \rIncompatible values to calc.");
}

TEST(FinancialModel, RateOfASavingsPlan) {
    // No present value: deposits of 100 for 10 periods grow to 1200.
    FinancialFixture f(kGeneric, kEnd, 1);
    f.type(2, "10");
    f.type(3, "-100");
    f.type(5, "1200");
    f.model.solve(1);
    EXPECT_TRUE(f.view.messages.empty());
    EXPECT_EQ(f.text(1), "3.989");
}

TEST(FinancialModel, MessagesAndPrefixes) {
    struct Row {
        const char* what;
        int type;
        const char* fields[6];
        int target;
        const char* message;
    };
    const Row rows[] = {
        {"one value",
         kGeneric,
         {"1000", "", "", "", "", ""},
         3,
         "Must be given at least two  fields"},
        {"no number of payments",
         kGeneric,
         {"1000", "2", "", "", "", ""},
         3,
         "Number of Payments required"},
        {"rate without payments",
         kConsumer,
         {"1000", "", "12", "", "", ""},
         1,
         "Calc. of Interest Rate needs Value of Payments"},
        {"rate without payments or future value",
         kGeneric,
         {"1000", "", "12", "", "", ""},
         1,
         "Calc. of Interest Rate needs Value of Payments or Future Value"},
        {"periods without payments",
         kConsumer,
         {"1000", "2", "", "", "", ""},
         2,
         "Calc. of Number of Payments needs Value of Payments"},
        {"periods without payments or future value",
         kGeneric,
         {"1000", "2", "", "", "", ""},
         2,
         "Calc. of Number of Payments needs Value of Payments or Future Value"},
        {"interest-only payments",
         kGeneric,
         {"-1000", "1", "", "10", "", ""},
         2,
         "\"Periods\" Incompatible values to calc."},
        {"debit and credit",
         kGeneric,
         {"1000", "", "12", "100", "", ""},
         1,
         "Interest Rate Check the debit and credit signs \rIncompatible values to calc."},
        {"unreadable goods value",
         kConsumer,
         {"12x", "2", "12", "", "", ""},
         3,
         "\"Goods Value\" Impossible to read "},
        {"unreadable present value",
         kGeneric,
         {"12x", "2", "12", "", "", ""},
         3,
         "\"Presente Value\" Impossible to read "},
        {"unreadable down payment",
         kConsumer,
         {"1000", "2", "12", "", "a", ""},
         3,
         "\"Down Payment\" Impossible to read "},
        {"rate below -100 % over 12 periods",
         kGeneric,
         {"1000", "-150", "12", "", "", ""},
         3,
         "\"Payments Value\" Incompatible values to calc."},
        {"term beyond the 32-bit range",
         kGeneric,
         {"1000", "1", "1e12", "", "", ""},
         3,
         "\"Payments Value\" Check the debit and credit signs \rIncompatible values to calc."},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        FinancialFixture f(r.type, kEnd, r.type == kGeneric && r.fields[1][0] == '-' ? 12 : 1);
        for (int k = 0; k < 6; ++k) {
            if (r.fields[k][0] != 0) f.type(k, r.fields[k]);
        }
        f.model.solve(r.target);
        ASSERT_EQ(f.view.messages.size(), 1u);
        EXPECT_EQ(f.view.messages[0], r.message);
        ASSERT_EQ(f.alerts.played.size(), 1u);
        EXPECT_EQ(f.alerts.played[0], AlertKind::Question);
    }
}

TEST(FinancialModel, UnreadableFieldStopsTheSolve) {
    FinancialFixture f(kGeneric, kEnd, 1);
    f.type(0, "1000");
    f.type(1, "2");
    f.type(2, "12");
    f.model.solve(3);
    ASSERT_EQ(f.text(3), "-94.56");
    f.type(0, "2000");
    f.type(1, "two");
    f.model.solve(3);
    EXPECT_EQ(f.text(3), "-94.56");   // nothing computed from stale values
    EXPECT_TRUE(f.model.changed(0));  // read again next time
    f.type(1, "2");
    f.model.solve(3);
    EXPECT_EQ(f.text(3), "-189.12");
}

TEST(FinancialModel, DoubleClicksThatDoNothing) {
    FinancialFixture f(kConsumer, kEnd, 1);
    f.type(0, "1000");
    f.model.solve(4);
    f.model.solve(5);
    EXPECT_TRUE(f.view.messages.empty());
    EXPECT_EQ(f.text(5), "");
}

TEST(FinancialModel, FractionalPeriodsAndLaterRounding) {
    FinancialFixture f(kGeneric, kEnd, 1);
    f.type(0, "1000");
    f.type(1, "1");
    f.type(3, "-100");
    f.model.solve(2);
    EXPECT_EQ(f.text(2), "10.59");
    long double n = f.model.values().N;
    EXPECT_NEAR(n, 10.5886, 1e-4);  // kept unrounded
    f.model.solve(5);               // uses round(N) = 11
    EXPECT_EQ(f.text(2), "11.00");
    EXPECT_EQ(f.model.values().N, 11);
}

TEST(FinancialModel, ModeChangeRoundsHalvesToEven) {
    FinancialFixture f(kGeneric, kEnd, 1);
    f.type(2, "12.5");
    f.type(0, "1000");
    f.model.modeChange(Mode::StartOfPeriod);  // re-solves field 0: too few values, quietly
    EXPECT_EQ(f.model.values().N, 12);
    EXPECT_TRUE(f.view.messages.empty());
}

TEST(FinancialModel, NumberOfPeriodsAtATinyRate) {
    FinancialFixture f(kGeneric, kEnd, 1);
    f.type(0, "10000");
    f.type(1, "0.005");
    f.type(3, "-100");
    f.model.solve(2);
    EXPECT_EQ(f.text(2), "100.25");
}

TEST(FinancialModel, QuietOnlyDuringAModeChange) {
    FinancialFixture f(kGeneric, kEnd, 1);
    f.type(0, "1000");
    f.model.solve(3);  // the first one after start shows
    ASSERT_EQ(f.view.messages.size(), 1u);
    f.model.modeChange(Mode::StartOfPeriod);  // too few values: nothing shown
    EXPECT_EQ(f.view.messages.size(), 1u);
    EXPECT_FALSE(f.model.quiet());
    f.model.solve(3);
    EXPECT_EQ(f.view.messages.size(), 2u);
}

TEST(FinancialModel, DownPaymentRefusesStartOfPeriod) {
    FinancialFixture f(kConsumer, kEnd, 1);
    f.type(0, "1200");
    f.type(4, "200");
    f.model.modeChange(Mode::StartOfPeriod);
    ASSERT_EQ(f.view.messages.size(), 1u);
    EXPECT_EQ(f.view.messages[0],
              "Can't make payments in begin of period,\rbecause was given a down payment");
    EXPECT_EQ(f.view.endSelections, 1);
    EXPECT_EQ(f.model.timing(), kEnd);
    EXPECT_FALSE(f.model.quiet());
    EXPECT_EQ(f.text(4), "200");
}

TEST(FinancialModel, TimingChangeKeepsFutureValueAndDownPayment) {
    FinancialFixture f(kGeneric, kEnd, 1);
    f.type(1, "1");
    f.type(2, "24");
    f.type(3, "-100");
    f.type(5, "3000");
    f.model.solve(0);
    std::string endValue = f.text(0);
    f.model.modeChange(Mode::StartOfPeriod);
    EXPECT_EQ(f.text(5), "3000");
    EXPECT_NE(f.text(0), endValue);  // re-solved with the future value, at the start
    long double expected = 0;
    {
        long double c = std::pow(1.01L, 24), a = (c - 1) / 0.01L * 1.01L;
        expected = -(-100 * a + 3000) / c;
    }
    EXPECT_NEAR(std::stold(f.text(0)), expected, 0.005);

    FinancialFixture g(kConsumer, kEnd, 1);
    g.type(0, "1200");
    g.type(4, "200");
    g.type(1, "2");
    g.type(2, "12");
    g.model.solve(3);
    g.model.modeChange(Mode::EndOfPeriod);  // unchanged timing chosen again: the same result
    EXPECT_EQ(g.text(4), "200");
    EXPECT_EQ(g.text(3), "94.56");
}

TEST(FinancialModel, FailedComposeInAModeChange) {
    // A rate below -100 % has no rate per period over 12 periods: reported once, the layout
    // still follows the radio buttons, nothing is re-solved.
    FinancialFixture f(kGeneric, kEnd, 12);
    f.type(0, "1000");
    f.type(1, "-150");
    f.type(2, "12");
    f.model.modeChange(Mode::StartOfPeriod);
    ASSERT_EQ(f.view.messages.size(), 1u);
    EXPECT_EQ(f.view.messages[0], "Interest Rate Incompatible values to calc.");
    EXPECT_EQ(f.view.layouts.back().timing, kStart);
    EXPECT_EQ(f.text(0), "1000");
    EXPECT_FALSE(f.model.quiet());
    // An unreadable field in a mode change: one message, no re-solve.
    f.type(1, "2");
    f.type(3, "abc");
    f.model.modeChange(Mode::EndOfPeriod);
    ASSERT_EQ(f.view.messages.size(), 2u);
    EXPECT_EQ(f.view.messages[1], "\"Payments Value\" Impossible to read ");
}

TEST(FinancialModel, TypeChangeEmptiesDependentFields) {
    FinancialFixture f(kGeneric, kEnd, 1);
    f.type(0, "1000");
    f.type(5, "500");
    f.model.modeChange(Mode::ConsumerCredit);
    EXPECT_EQ(f.text(5), "");
    EXPECT_EQ(f.text(4), "");
    EXPECT_EQ(f.model.values().FV, 0);
    EXPECT_EQ(f.view.layouts.back().calculationType, kConsumer);
}

TEST(FinancialModel, OnePlusNotation) {
    FinancialFixture f(kGeneric, kEnd, 1);
    f.type(0, "1000");
    f.type(3, "-100");
    f.model.modeChange(Mode::StartOfPeriod);
    ASSERT_TRUE(f.model.layout().notationShown);
    f.type(1, "1");
    f.type(2, "11");  // eleven further payments
    f.model.solve(0);
    EXPECT_EQ(f.model.values().N, 12);
    EXPECT_EQ(f.text(2), "11.00");
    // Emptied, the field reads as no payments, not as one.
    f.type(2, "");
    f.model.solve(0);
    EXPECT_EQ(f.model.values().N, 0);
    EXPECT_EQ(f.view.messages.back(), "Number of Payments required");
}

TEST(FinancialModel, CommaLocaleRewritesTheDecimalPoint) {
    FinancialFixture f(kGeneric, kEnd, 1, ',');
    f.type(0, "1200.50");
    f.type(1, "2");
    f.type(2, "12");
    f.model.solve(3);
    EXPECT_EQ(f.text(0), "1200,50");
    EXPECT_EQ(f.model.values().PV, 1200.5L);
    EXPECT_EQ(f.text(3), "-113,52");
}

TEST(FinancialModel, PeriodsPerRateCompound) {
    FinancialFixture f(kGeneric, kEnd, 12);
    f.type(0, "1000");
    f.type(1, "12");
    f.type(2, "12");
    f.model.solve(3);
    EXPECT_NEAR(f.model.values().i, std::pow(1.12L, 1.0L / 12) - 1, 1e-18L);
    // Solving the rate gives it back per rate period.
    f.model.solve(1);
    EXPECT_EQ(f.text(1), "12.00");
    // A new periods value alone changes the rate per period.
    f.model.setPeriodsPerRate(1);
    f.model.solve(3);
    EXPECT_NEAR(f.model.values().i, 0.12L, 1e-18L);
}

TEST(FinancialModel, ShowMorePrecision) {
    FinancialFixture f(kConsumer, kEnd, 1);
    f.type(0, "1200");
    f.type(4, "200");
    f.type(1, "2");
    f.type(2, "12");
    f.model.solve(3);
    f.model.showMorePrecision();
    EXPECT_EQ(f.text(3), "94.5595966229515");
    EXPECT_EQ(f.text(0), "1200");
    EXPECT_EQ(f.text(1), "2");
    EXPECT_EQ(f.text(4), "200");
    EXPECT_EQ(f.text(5), "1334.72");  // the payments total is not rewritten
    // The next solve reads the values as shown.
    f.model.solve(5);
    f.model.solve(0);
    EXPECT_EQ(f.text(0), "1200.00");

    // A field typed since the last solve is left alone.
    f.type(1, "3");
    f.model.showMorePrecision();
    EXPECT_EQ(f.text(1), "3");
}

}  // namespace
}  // namespace tobrisk
