#include "rpn/user_pads.h"

#include <gtest/gtest.h>

#include "tests/rpn/rpn_test_support.h"

namespace tobrisk::test {
namespace {

void addFunction(DataRecord& r, const char* name, int n, const char* paramBody,
                 const char* body = "") {
    const int i = r.count() + 1;
    r.setCount(i);
    r.setKind(i, EntryKind::UserFunction);
    r.setName(i, name);
    r.setParamCount(i, n);
    r.setParamBody(i, paramBody);
    r.setBody(i, body);
}

void addVariable(DataRecord& r, const char* name, double v) {
    const int i = r.count() + 1;
    r.setCount(i);
    r.setKind(i, EntryKind::Variable);
    r.setName(i, name);
    r.setValue(i, v);
}

TEST(UserPads, FillsFromTheStore) {
    MachineFixture f;
    DataRecord& r = f.record;
    addFunction(r, "sq", 1, "&01^2");
    addFunction(r, "many", 5, "&01+&02+&03+&04+&05");
    const int ev = r.count() + 1;
    r.setCount(ev);
    r.setKind(ev, EntryKind::Event);
    r.setName(ev, "");
    const int iv = r.count() + 1;
    r.setCount(iv);
    r.setKind(iv, EntryKind::IntegerVariable);
    r.setName(iv, "n");
    r.setIntValue(iv, 9007199254740993);  // converted to the nearest double
    UserPads pads;
    pads.fill(r);
    EXPECT_EQ(pads.dataCount(), 4);
    EXPECT_EQ(pads.data(1).name, "r");
    EXPECT_EQ(pads.data(2).name, "pi");
    EXPECT_EQ(pads.data(3).name, "e");
    EXPECT_EQ(pads.data(4).name, "n");
    EXPECT_EQ(pads.data(4).value, 9007199254740992.0);
    EXPECT_EQ(pads.functionCount(), 1);
    EXPECT_EQ(pads.function(1).body, "&01^2");
    EXPECT_EQ(pads.function(2).name, "");  // past the fill count
}

TEST(UserPads, TwelfthSlotTakesTheLastEntry) {
    MachineFixture f;
    for (int k = 0; k < 11; ++k) addVariable(f.record, ("v" + std::to_string(k)).c_str(), k);
    UserPads pads;
    pads.fill(f.record);
    EXPECT_EQ(pads.dataCount(), 12);
    EXPECT_EQ(pads.data(12).name, "v10");  // r, pi, e, v0..v8, then v9 and v10 take slot 12
    EXPECT_EQ(pads.data(11).name, "v7");
}

TEST(UserPads, FillInChecksEveryPlaceholder) {
    const std::array<double, 4> levels{3, 10, -5, 1e20};
    const struct {
        const char* body;
        int n;
        const char* line;  // nullptr: refused
    } cases[] = {
        {"&02-&01", 2, "10-3"}, {"comb(&02,&01)", 2, "comb(10,3)"},
        {"-&03", 3, "-(-5)"},   {"exp(-&03)*&04", 4, "exp(-(-5))*1E20"},
        {"&01*&01", 1, "3*3"},  {"42", 0, "42"},
        {"&01+&0", 1, nullptr}, {"&01+&", 1, nullptr},
        {"&07", 4, nullptr},    {"&02", 1, nullptr},
        {"&10", 4, nullptr},    {"a&b", 0, nullptr},
    };
    for (const auto& c : cases) {
        auto line = UserPads::fillIn(c.body, c.n, levels);
        if (c.line == nullptr) {
            EXPECT_FALSE(line.has_value()) << c.body;
        } else {
            ASSERT_TRUE(line.has_value()) << c.body;
            EXPECT_EQ(*line, c.line);
        }
    }
    EXPECT_EQ(*UserPads::fillIn("&01", 1, {0.1 + 0.2, 0, 0, 0}), "0.3");
}

TEST(UserPads, KeySlotMapping) {
    const int keys[] = {7, 8, 9, 4, 5, 6, 1, 2, 3, 0, 10, 11};
    for (int s = 1; s <= 12; ++s) {
        EXPECT_EQ(UserPads::slotOfKey(keys[s - 1]), s);
        EXPECT_EQ(UserPads::keyOfSlot(s), keys[s - 1]);
    }
    EXPECT_EQ(UserPads::slotOfKey(12), 0);
}

struct PadFixture : MachineFixture {
    PadFixture() {
        addFunction(record, "f", 2, "&02-&01");  // f(a,b) = a - b
        addFunction(record, "g3", 3, "&01+&02+&03");
        addFunction(record, "g4", 4, "&01+&02+&03+&04");
        addFunction(record, "c", 0, "", "6*7");
        addVariable(record, "v", 2.5);
        machine->windowShown();
    }
};

TEST(UserFunctionsPad, ParametersFollowThePlaceholderNumbering) {
    PadFixture f;
    f.lines.result = 7;
    f.press("1 Enter 2 Enter 1 0 Enter 3 ufunc");
    EXPECT_TRUE(f.machine->padWide());
    EXPECT_EQ(f.machine->padLabels()[7], "f");
    EXPECT_EQ(f.machine->padLabels()[9], "g4");
    EXPECT_EQ(f.press("7"), "7.0000");
    EXPECT_EQ(f.lines.lines, std::vector<std::string>{"10-3"});
    EXPECT_EQ(f.machine->y(), 2);  // Y receives the old Z
    EXPECT_EQ(f.machine->z(), 1);
    EXPECT_EQ(f.machine->lastXValue(), 3);
    EXPECT_FALSE(f.machine->padWide());
}

TEST(UserFunctionsPad, DropsByParameterCount) {
    PadFixture f;
    f.lines.result = 10;
    f.machine->setStack(1, 2, 3, 4);
    f.press("ufunc 8");
    EXPECT_EQ(f.lines.lines.back(), "1+2+3");
    EXPECT_EQ(f.machine->y(), 4);
    EXPECT_EQ(f.machine->z(), 4);
    f.machine->setStack(1, 2, 3, 4);
    f.press("ufunc 9");
    EXPECT_EQ(f.machine->y(), 0);
    EXPECT_EQ(f.machine->z(), 0);
    EXPECT_EQ(f.machine->t(), 0);
    f.lines.result = 42;
    f.machine->setStack(1, 2, 3, 4);
    f.press("ufunc 4");  // constant-value function: its body as typed, X replaced
    EXPECT_EQ(f.lines.lines.back(), "6*7");
    EXPECT_EQ(f.machine->x(), 42);
    EXPECT_EQ(f.machine->y(), 2);
}

TEST(UserFunctionsPad, FactAndCombTemplates) {
    PadFixture f;
    f.lines.result = 120;
    f.press("9 Enter 1 0 Enter 3 func E");
    EXPECT_EQ(f.lines.lines.back(), "comb(10,3)");
    EXPECT_EQ(f.machine->x(), 120);
    EXPECT_EQ(f.machine->y(), 9);
    f.press("clst 7 Enter 5 chs func .");
    EXPECT_EQ(f.lines.lines.back(), "fact((-5))");
    EXPECT_EQ(f.machine->y(), 7);
}

TEST(UserFunctionsPad, FailuresLeaveTheStack) {
    PadFixture f;
    f.lines.ok = false;
    EXPECT_EQ(f.press("1 0 Enter 3 ufunc 7"), "invalid argument(s)");
    EXPECT_TRUE(f.machine->errorShown());
    EXPECT_EQ(f.machine->x(), 3);
    EXPECT_EQ(f.machine->y(), 10);
    EXPECT_EQ(f.machine->lastXValue(), 0);
    EXPECT_FALSE(f.machine->padWide());

    // A used level beyond the double range runs no line.
    PadFixture g;
    EXPECT_EQ(g.press("1 E 4 0 0 Enter 3 ufunc 7"), "Out of Range");
    EXPECT_TRUE(g.lines.lines.empty());
    // An unused one does not matter.
    g.lines.result = 1;
    g.press("clst 1 E 4 0 0 Enter Enter 1 Enter 2 ufunc 7");
    EXPECT_EQ(g.lines.lines.size(), 1u);

    // A body cut in the middle of a placeholder.
    PadFixture h;
    h.record.setParamBody(4, "&02-&0");
    h.machine->windowShown();
    EXPECT_EQ(h.press("1 Enter 2 ufunc 7"), "Invalid Function");
    EXPECT_TRUE(h.lines.lines.empty());
    EXPECT_EQ(h.machine->x(), 2);
}

TEST(UserFunctionsPad, EmptySlotOnlyClosesThePad) {
    PadFixture f;
    f.press("5 ufunc 0");
    EXPECT_TRUE(f.lines.lines.empty());
    EXPECT_EQ(f.machine->padState(), PadState::Normal);
    EXPECT_EQ(f.machine->x(), 5);
}

TEST(UserDataPad, RecallsValuesAndLiveR) {
    PadFixture f;
    EXPECT_EQ(f.press("5 Enter udata"), "5.0000");
    EXPECT_EQ(f.machine->padLabels()[8], "pi");
    f.press("8");  // pi overwrites the Enter copy
    EXPECT_NEAR(static_cast<double>(f.machine->x()), 3.14159265358979, 1e-14);
    EXPECT_EQ(f.machine->y(), 5);
    f.record.setKind(1, EntryKind::IntegerVariable);
    f.record.setIntValue(1, 12);
    f.press("udata 7");
    EXPECT_EQ(f.machine->x(), 12);
    EXPECT_NEAR(static_cast<double>(f.machine->y()), 3.14159265358979, 1e-14);
    f.press("udata 4");
    EXPECT_EQ(f.machine->x(), 2.5);
    // An empty slot pushes nothing.
    f.press("udata 0");
    EXPECT_EQ(f.machine->x(), 2.5);
    EXPECT_EQ(f.machine->padState(), PadState::Normal);
    // In a pending state the pad key does nothing.
    f.press("sto udata");
    EXPECT_EQ(f.machine->padState(), PadState::StorePending);
}

TEST(UserDataPad, SlotsRefillFromSlotOneAtEveryShow) {
    PadFixture f;
    f.machine->windowShown();
    f.machine->windowShown();
    EXPECT_EQ(f.machine->userPads().dataCount(), 4);
    f.machine->windowHidden();
    EXPECT_EQ(f.machine->userPads().dataCount(), 0);
}

}  // namespace
}  // namespace tobrisk::test
