// The evaluator through whole lines: what it leaves in the store, the stack top and the listing,
// beyond the result texts the golden files check.

#include <gtest/gtest.h>

#include <cmath>

#include "tests/engine/engine_fixture.h"

namespace tobrisk {
namespace {

using test::Engine;

TEST(Evaluator, AssignmentKindsAndR) {
    Engine e;
    EXPECT_EQ(e.enter("x = 5"), "5");
    int x = e.index("x");
    ASSERT_GT(x, 3);
    EXPECT_EQ(e.record.kind(x), EntryKind::IntegerVariable);
    EXPECT_EQ(e.record.intValue(x), 5);
    EXPECT_EQ(e.record.kind(VariableStore::kRIndex), EntryKind::IntegerVariable);
    EXPECT_EQ(e.enter("x = 2.5"), "2.5");
    EXPECT_EQ(e.record.kind(x), EntryKind::Variable);
    EXPECT_EQ(e.record.value(x), 2.5);
    EXPECT_EQ(e.record.kind(VariableStore::kRIndex), EntryKind::Variable);
    EXPECT_EQ(e.store.listing().front(), "r = 2.5");
    EXPECT_EQ(e.enter("big = 2^62"), "4611686018427387904");
    EXPECT_EQ(e.record.intValue(e.index("big")), int64_t{1} << 62);
    EXPECT_EQ(e.store.listing().front(), "r = 4611686018427387904");
    // A later statement sees r as the result of the one before it.
    EXPECT_EQ(e.enter("5; r*2"), "5;     10");
    EXPECT_EQ(e.record.intValue(VariableStore::kRIndex), 10);
}

TEST(Evaluator, ListingFollowsRWhenALaterStatementFails) {
    Engine e;
    e.enter("2");
    EXPECT_EQ(e.enter("5; 1/0"), "division by zero");
    EXPECT_EQ(e.record.intValue(VariableStore::kRIndex), 5);
    EXPECT_EQ(e.store.listing().front(), "r = 5");
}

TEST(Evaluator, RefusedAssignmentsGoOn) {
    Engine e;
    EXPECT_EQ(e.enter("pi = 3; 7"), "\"pi\" variable can't be altered");
    EXPECT_EQ(e.record.value(2), VariableStore::kPi);
    EXPECT_EQ(e.record.intValue(VariableStore::kRIndex), 7);  // the second statement ran
}

TEST(Evaluator, EntriesOfFailedAssignmentsAreRemoved) {
    Engine e;
    const int before = e.store.count();
    EXPECT_EQ(e.enter("y = undefinedname + 1"), "\"undefinedname\" variable not defined");
    EXPECT_EQ(e.store.count(), before);
    EXPECT_EQ(e.enter("z = 1/0"), "division by zero");
    EXPECT_EQ(e.store.count(), before);
    EXPECT_EQ(e.index("z"), 0);
    // An assignment that was carried out stays, as every store change of a failing line does.
    EXPECT_EQ(e.enter("a = 1; b = 1/0"), "division by zero");
    EXPECT_GT(e.index("a"), 0);
    EXPECT_EQ(e.index("b"), 0);
    EXPECT_EQ(e.store.count(), before + 1);
}

TEST(Evaluator, StoreFullRefusesNewTargets) {
    Engine e;
    for (int i = e.store.count(); i < VariableStore::kMaxEntries; ++i)
        ASSERT_EQ(e.enter("v" + std::to_string(i) + " = " + std::to_string(i)), std::to_string(i));
    EXPECT_EQ(e.store.count(), 60);
    EXPECT_EQ(e.enter("one_more = 1"), "more than 60 variables/events");
    EXPECT_EQ(e.store.count(), 60);
    EXPECT_EQ(e.enter("v10 = 11"), "11");  // existing entries can still be assigned
}

TEST(Evaluator, AbandonedPassLeavesNoTrace) {
    Engine e;
    e.enter("sq = \"t^2\"");
    e.enter("n = 1");
    EXPECT_EQ(e.enter("n = n + 1; fresh = 5; sq(3)"), "2;     5;     9");
    EXPECT_EQ(e.record.intValue(e.index("n")), 2);
    EXPECT_EQ(e.record.intValue(e.index("fresh")), 5);
    EXPECT_EQ(e.record.intValue(VariableStore::kRIndex), 9);
    // The call is expanded and the typed text comes back into the entry line.
    EXPECT_EQ(e.view.entry, "n = n + 1; fresh = 5; sq(3)");
    EXPECT_EQ(e.view.history.back(), "n = n + 1; fresh = 5; sq(3)");
}

TEST(Evaluator, UserFunctionArgumentsKeepDigitsAndSigns) {
    Engine e;
    e.enter("inc = \"t+1\"");
    e.enter("neg = \"0-t^2\"");
    e.enter("f = \"a*b+a\"");
    EXPECT_EQ(e.enter("inc(123456789012345678)"), "123456789012345679");
    EXPECT_EQ(e.enter("neg(-3)"), "-9");
    EXPECT_EQ(e.enter("f(2, 3)"), "8");
    EXPECT_EQ(e.enter("f(f(1, 1), 2)"), "6");
    EXPECT_EQ(e.enter("f(1)"), "function \"f\": wrong number of arguments");
    EXPECT_EQ(e.enter("g(1)"), "function \"g\" unknown");
}

TEST(Evaluator, GcdShowsFactoringThenKeepsEarlierNotice) {
    Engine e;
    EXPECT_EQ(e.enter("gcd(12, 18)"), "6");
    ASSERT_EQ(e.view.repaints.size(), 1u);
    EXPECT_EQ(e.view.repaints[0], "Factoring...");
    // A notice written before the gcd is not wiped by it, so the line still fails on it.
    EXPECT_EQ(e.enter("pi = 1; gcd(4, 6)"), "\"pi\" variable can't be altered");
    EXPECT_EQ(e.enter("fact(-1) + gcd(4, 6)"), "fact: invalid argument");
    EXPECT_EQ(e.enter("gcd(0, 5) + gcd(4, 6)"), "factoring of 0 refused");
}

TEST(Evaluator, StackTopIsTheLastGoodResultForRedisplay) {
    Engine e;
    e.enter("1234.5");
    EXPECT_EQ(e.ctx.redisplay(2), "1,234.50");
    e.enter("1/0");
    EXPECT_EQ(e.ctx.redisplay(0), "1,235");
    e.enter("7");
    EXPECT_EQ(e.ctx.redisplay(2), "7");
    e.fraction("5/6");
    EXPECT_EQ(e.ctx.redisplay(4), "0.8333");
}

}  // namespace
}  // namespace tobrisk

namespace tobrisk {
namespace {

// A damaged data file can hold any double: a non-number is refused and never listed as one.
TEST(Evaluator, VariablesFromADamagedFileThatAreNotNumbers) {
    Engine e;
    e.enter("x = 1.5");
    const int x = e.index("x");
    for (double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
        e.record.setValue(x, bad);
        EXPECT_EQ(e.enter("x+1"), "\"x\" holds an invalid value");
        e.store.refreshListing(e.ctx.forms);
        EXPECT_EQ(e.store.listing().at(static_cast<std::size_t>(x - 1)), "x = invalid");
    }
    EXPECT_EQ(e.enter("x = 2; x*3"), "2;     6");
}

}  // namespace
}  // namespace tobrisk
