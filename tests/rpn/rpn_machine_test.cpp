#include <gtest/gtest.h>

#include "tests/rpn/rpn_test_support.h"

namespace tobrisk::test {
namespace {

std::string stack(const RpnMachine& m) {
    return m.stackField(4) + " | " + m.stackField(3) + " | " + m.stackField(2) + " | " +
           m.stackField(1);
}

struct Sequence {
    const char* keys;
    const char* display;
    const char* stack;  // T | Z | Y | X
};

void run(const Sequence* begin, const Sequence* end) {
    for (auto c = begin; c != end; ++c) {
        MachineFixture f;
        EXPECT_EQ(f.press(c->keys), c->display) << c->keys;
        EXPECT_EQ(stack(*f.machine), c->stack) << c->keys;
    }
}

TEST(RpnEntry, TypingAndLiftRules) {
    const Sequence cases[] = {
        {"E", "1E", "0 | 0 | 0 | 1"},
        {"5 clx E", "1E", "0 | 0 | 0 | 1"},
        {". E", "1.E", "0 | 0 | 0 | 1"},
        {"0 0 7", "007", "0 | 0 | 0 | 7"},
        {"1 . 2 . 3", "1.23", "0 | 0 | 0 | 1.23"},
        {"1 E 2 E .", "1E2", "0 | 0 | 0 | 100"},
        {"5 Enter 3", "3", "0 | 0 | 5 | 3"},
        {"5 Enter Enter", "5.0000", "0 | 5 | 5 | 5"},
        {"5 Enter 6 clx 7", "7", "0 | 0 | 5 | 7"},
        {"1 2 del del", "0.0000", "0 | 0 | 0 | 0"},
        {"4 Enter 1 2 del del 9", "9", "0 | 0 | 4 | 9"},
        {"1 2 del del del", "0.0000", "0 | 0 | 0 | 0"},
        {"1 . E del del 5", "15", "0 | 0 | 0 | 15"},
        {"1 E 4 9 3 3", "1E493", "0 | 0 | 0 | 1E493"},
        {"1 E chs 5 0 0 0", "1E-5000", "0 | 0 | 0 | 0"},
        {"2 . 5 chs", "-2.5", "0 | 0 | 0 | -2.5"},
        {"2 . 5 chs chs", "2.5", "0 | 0 | 0 | 2.5"},
        {"1 E chs", "1E-", "0 | 0 | 0 | 1"},
        {"1 E 5 chs chs chs", "1E-5", "0 | 0 | 0 | 1E-5"},
        {"3 Enter chs", "-3.0000", "0 | 0 | 3 | -3"},
        {"3 Enter chs 4", "4", "0 | 3 | -3 | 4"},
        {"1 Enter 2 Enter 3 Enter 4 rolld rollu", "4.0000", "1 | 2 | 3 | 4"},
        {"1 Enter 2 Enter 3 Enter 4 rolld", "3.0000", "4 | 1 | 2 | 3"},
        {"1 Enter 2 Enter 3 Enter 4 rollu", "1.0000", "2 | 3 | 4 | 1"},
        {"1 Enter 2 x-y", "1.0000", "0 | 0 | 2 | 1"},
        {"1 Enter 2 x-y 3", "3", "0 | 2 | 1 | 3"},
        {"2 Enter 3 + clst lastx", "3.0000", "0 | 0 | 0 | 3"},
        {"2 Enter 3 + clx lastx", "3.0000", "0 | 0 | 0 | 3"},
        {"2 Enter 3 + lastx", "3.0000", "0 | 0 | 5 | 3"},
        {"2 Enter 3 + 4 Enter lastx", "3.0000", "0 | 5 | 4 | 3"},
        {"9 Enter lastx", "0.0000", "0 | 0 | 9 | 0"},
        {"1 2 deg 3", "3", "0 | 0 | 12 | 3"},
        {"1 Enter 0 / clx", "0.0000", "0 | 0 | 1 | 0"},
        {"1 Enter 0 / 5", "5", "0 | 1 | 0 | 5"},
        {"1 Enter 0 / 5 del", "0.0000", "0 | 1 | 0 | 0"},
        {"1 Enter 0 / del", "0.0000", "0 | 0 | 1 | 0"},
        // A number typed after a message is a number: clx and delete act on it.
        {"1 Enter 0 / 5 clx", "0.0000", "0 | 1 | 0 | 0"},
        {"1 Enter 0 / 5 6 del", "5", "0 | 1 | 0 | 5"},
        // An entry emptied by delete has no sign to change.
        {"1 2 del del chs", "0.0000", "0 | 0 | 0 | 0"},
        {"1 2 del del chs 4", "4", "0 | 0 | 0 | 4"},
    };
    run(std::begin(cases), std::end(cases));
}

TEST(RpnEntry, ChsCannotPushTheExponentOutOfRange) {
    MachineFixture f;
    EXPECT_EQ(f.press("1 E chs 5 0 0 0 chs"), "1E-5000");
    EXPECT_EQ(f.machine->x(), 0);
    EXPECT_EQ(f.press("del del del del 4 9 3 1 chs"), "1E+4931");
    EXPECT_EQ(f.machine->x(), 1e4931L);
}

TEST(RpnOperations, ArithmeticAndFailures) {
    const Sequence cases[] = {
        {"2 Enter 3 ^", "8.0000", "0 | 0 | 0 | 8"},
        {"2 Enter . 5 chs ^", "0.7071", "0 | 0 | 0 | 0.707106781186548"},
        {"2 chs Enter . 5 ^", "Invalid Operation", "0 | 0 | -2 | 0.5"},
        {"0 Enter 0 /", "Invalid Operation", "0 | 0 | 0 | 0"},
        {"1 Enter 0 /", "Division by Zero", "0 | 0 | 1 | 0"},
        {"0 Enter 2 chs ^", "Division by Zero", "0 | 0 | 0 | -2"},
        {"0 Enter 0 ^", "1.0000", "0 | 0 | 0 | 1"},
        {"1 E 2 0 0 0 Enter 2 ^", "1 E4000", "0 | 0 | 0 | 1E4000"},
        {"1 E 3 0 0 0 Enter 2 ^", "Out of Range", "0 | 0 | 1E3000 | 2"},
        {"1 E 2 0 0 0 Enter 2 chs ^", "1 E-4000", "0 | 0 | 0 | 1E-4000"},
        {"1 E 4 0 0 0 Enter 5 chs ^", "0.0000", "0 | 0 | 0 | 0"},
        {"1 E chs 3 0 0 0 Enter 2 chs ^", "Out of Range", "0 | 0 | 1E-3000 | -2"},
        {"2 Enter 1 0 0 0 0 0 ^", "Out of Range", "0 | 0 | 2 | 100000"},
        {". 5 Enter 1 6 3 8 4 chs ^", "Out of Range", "0 | 0 | 0.5 | -16384"},
        {". 5 Enter 1 6 3 8 3 chs ^", "5.94865747678616 E4931",
         "0 | 0 | 0 | 5.94865747678616E4931"},
        {"2 Enter 1 6 3 8 3 chs ^", "1.68105157155605 E-4932",
         "0 | 0 | 0 | 1.68105157155605E-4932"},
        {"2 Enter 1 6 4 4 5 chs ^", "3.64519953188247 E-4951",
         "0 | 0 | 0 | 3.64519953188247E-4951"},
        {"1 0 Enter 1 0 0 . 5 ^", "3.16227766016838 E100", "0 | 0 | 0 | 3.16227766016838E100"},
        {"1 Enter 2 Enter 3 Enter 4 +", "7.0000", "1 | 1 | 2 | 7"},
        {"1 Enter 2 Enter 8 Enter 2 /", "4.0000", "1 | 1 | 2 | 4"},
        {"7 Enter 2 -", "5.0000", "0 | 0 | 0 | 5"},
        {"1 E 4 9 3 2 Enter 1 . 2 x", "Out of Range", "0 | 0 | 1E4932 | 1.2"},
        {"0 1/x", "division by zero", "0 | 0 | 0 | 0"},
        {"0 1/x 5", "5", "0 | 0 | 0 | 5"},
        {"4 1/x", "0.2500", "0 | 0 | 0 | 0.25"},
        {"E chs 4 9 4 0 1/x", "Out of Range", "0 | 0 | 0 | 9.99999999996053E-4941"},
        {"3 Enter sto 1/x", "STO _ ", "0 | 0 | 3 | 3"},
    };
    run(std::begin(cases), std::end(cases));
}

TEST(RpnOperations, FailureKeepsStackAndSetsLastX) {
    MachineFixture f;
    f.press("7 Enter 1 Enter 0 /");
    EXPECT_EQ(f.machine->lastXValue(), 0);
    EXPECT_TRUE(f.machine->errorShown());
    EXPECT_EQ(f.alerts.played, std::vector<AlertKind>{AlertKind::Asterisk});
    // A failed operator leaves lift disabled as it was (clear after the second Enter's 0).
    EXPECT_FALSE(f.machine->liftDisabled());
}

TEST(RpnFunctions, PadEntries) {
    const Sequence cases[] = {
        {"1 0 0 func 1", "4.6052", "0 | 0 | 0 | 4.60517018598809"},
        {"0 func 1", "Division by Zero", "0 | 0 | 0 | 0"},
        {"4 chs func 3", "Invalid Argument", "0 | 0 | 0 | -4"},
        {"2 func 4", "Invalid Argument", "0 | 0 | 0 | 2"},
        {"2 func 5", "Invalid Argument", "0 | 0 | 0 | 2"},
        {"2 0 0 0 0 func 2", "Out of Range", "0 | 0 | 0 | 20000"},
        {"3 0 func 7", "0.5000", "0 | 0 | 0 | 0.5"},
        {". 5 func 4", "30.0000", "0 | 0 | 0 | 30"},
        {". 5 func 5", "60.0000", "0 | 0 | 0 | 60"},
        {"1 func 6", "45.0000", "0 | 0 | 0 | 45"},
        {"6 0 func 8", "0.5000", "0 | 0 | 0 | 0.5"},
        {"4 5 func 9", "1.0000", "0 | 0 | 0 | 1"},
        {"deg 3 0 func 7", "-0.9880", "0 | 0 | 0 | -0.988031624092862"},
        {"1 func 2", "2.7183", "0 | 0 | 0 | 2.71828182845905"},
        {"2 func 3", "1.4142", "0 | 0 | 0 | 1.4142135623731"},
        {"1 E 2 1 func 7", "0.0000", "0 | 0 | 0 | 0"},
        {"9 Enter 2 0 0 Enter 1 5 func 0", "30.0000", "0 | 0 | 9 | 30"},
        {"func func 5", "5", "0 | 0 | 0 | 5"},
    };
    run(std::begin(cases), std::end(cases));
}

TEST(RpnFunctions, PadLabelsAndClosing) {
    MachineFixture f;
    f.press("func");
    EXPECT_TRUE(f.machine->padWide());
    auto labels = f.machine->padLabels();
    EXPECT_EQ(labels[7], "sin");
    EXPECT_EQ(labels[0], "%");
    EXPECT_EQ(labels[10], "fact");
    EXPECT_EQ(labels[11], "comb");
    f.press("sto");
    EXPECT_FALSE(f.machine->padWide());
    EXPECT_EQ(f.machine->padLabels()[1], "1");
    EXPECT_EQ(f.press("func"), "0.0000");  // a pending store is dropped, the pad stays shut
    EXPECT_EQ(f.machine->padState(), PadState::Normal);
}

TEST(RpnAngle, SwitchIsSavedAtOnce) {
    MachineFixture f;
    EXPECT_STREQ(f.machine->angleCaption(), "deg");
    f.press("deg");
    EXPECT_STREQ(f.machine->angleCaption(), "rad");
    EXPECT_EQ(f.record.rpnAngleMode(), 1);
    f.press("deg");
    EXPECT_EQ(f.record.rpnAngleMode(), 0);
}

TEST(RpnRegisters, StoreRecallAndArithmetic) {
    MachineFixture f;
    f.record.setRpnRegister(3, 5);
    EXPECT_EQ(f.press("2 sto +"), "STO + _ ");
    EXPECT_EQ(f.press("x"), "STO x _ ");
    EXPECT_EQ(f.press("+ 3"), "2.0000");
    EXPECT_EQ(f.record.rpnRegister(3), 7);
    EXPECT_TRUE(f.machine->justStored());
    EXPECT_EQ(f.press("sto - 3"), "2.0000");
    EXPECT_EQ(f.record.rpnRegister(3), 5);
    f.press("sto x 3 sto / 3");
    EXPECT_EQ(f.record.rpnRegister(3), 5);
    f.press("sto . 9 sto E");
    EXPECT_EQ(f.record.rpnRegister(10), 2);
    EXPECT_EQ(f.record.rpnRegister(11), 9);
    f.press("clst rcl E");
    EXPECT_EQ(f.machine->x(), 9);
    f.press("clrg");
    for (int k = 0; k < 12; ++k) EXPECT_EQ(f.record.rpnRegister(k), 0);
}

TEST(RpnRegisters, RecallLiftRules) {
    const Sequence cases[] = {
        {"4 clx sto 1 rcl 1", "0.0000", "0 | 0 | 0 | 0"},
        {"4 sto 1 clx rcl 1", "4.0000", "0 | 0 | 0 | 4"},
        {"4 sto 1 clx 8 sto 2 rcl 1", "4.0000", "0 | 0 | 8 | 4"},
        {"4 sto 1 6 Enter rcl 1", "4.0000", "0 | 4 | 6 | 4"},
        {"4 sto 1 6 rcl 1", "4.0000", "0 | 4 | 6 | 4"},
        {"4 sto 1 clx sto 2 rcl 1", "4.0000", "0 | 0 | 0 | 4"},
        {"1 Enter 3 / sto 0 rcl 0", "0.3333", "0 | 0 | 0.333333333333333 | 0.333333333333333"},
        {"rcl", "RCL _ ", "0 | 0 | 0 | 0"},
        {"5 rcl del", "5.0000", "0 | 0 | 0 | 5"},
    };
    run(std::begin(cases), std::end(cases));
    MachineFixture f;
    f.press("1 Enter 3 / sto 0 rcl 0");
    EXPECT_EQ(f.machine->x(), static_cast<long double>(1.0 / 3.0));
    EXPECT_NE(f.machine->x(), 1.0L / 3);
}

TEST(RpnRegisters, StoreFailureIsReportedAndKeepsThePrompt) {
    const struct {
        const char* keys;
        const char* message;
        const char* prompt;
    } cases[] = {
        {"1 E 4 0 0 sto 4", "Floating point overflow", "STO _ "},
        {"0 sto / 4", "Floating point division by zero", "STO / _ "},
        {"1 E 3 0 0 sto x 4", "Floating point overflow", "STO x _ "},
    };
    for (const auto& c : cases) {
        MachineFixture f;
        f.record.setRpnRegister(4, 1e300);
        EXPECT_EQ(f.press(c.keys), c.prompt) << c.keys;
        ASSERT_EQ(f.dialogs.messages.size(), 1u) << c.keys;
        EXPECT_EQ(f.dialogs.messages[0].text, c.message);
        EXPECT_EQ(f.record.rpnRegister(4), 1e300);
        EXPECT_EQ(f.machine->padState(), PadState::StorePending);
    }
    MachineFixture f;
    f.record.setRpnRegister(4, 0);
    f.press("0 sto / 4");
    EXPECT_EQ(f.dialogs.messages.at(0).text, "Invalid floating point operation");
    // The store still waits with its arithmetic; another choice completes it.
    EXPECT_EQ(f.machine->storeArithmetic(), StoreArithmetic::Divide);
    EXPECT_EQ(f.press("+ 2"), "0.0000");
    EXPECT_EQ(f.machine->padState(), PadState::Normal);
}

TEST(RpnRegisters, ForeignNonFiniteRegisterNeverReachesTheStack) {
    MachineFixture f;
    f.record.setRpnRegister(5, std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(f.press("3 rcl 5"), "Invalid Operation");
    EXPECT_EQ(f.machine->x(), 3);
}

TEST(RpnDisplayModes, MenuPromptAndSettings) {
    MachineFixture f;
    f.press("1 2 3 4 5 show");
    EXPECT_EQ(f.machine->display(), "12345");
    auto labels = f.machine->padLabels();
    EXPECT_EQ(labels[7], "fix*");
    EXPECT_EQ(labels[8], "sci ");
    EXPECT_EQ(labels[9], "eng ");
    EXPECT_EQ(labels[1], "");
    EXPECT_EQ(f.press("1"), "12345");  // only 7, 8, 9 choose
    EXPECT_EQ(f.press("8"), "SCI _ ");
    EXPECT_FALSE(f.machine->padWide());
    EXPECT_EQ(f.press("3"), "1.235 E04");
    EXPECT_EQ(f.record.rpnDisplayMode(), 1);
    EXPECT_EQ(f.record.rpnDigits(), 3);
    f.press("show");
    EXPECT_EQ(f.machine->padLabels()[8], "sci*");
    EXPECT_EQ(f.press("9 ."), "12.3450000000 E03");
    EXPECT_EQ(f.record.rpnDigits(), 10);
    EXPECT_EQ(f.press("show 7 E"), "12345");
    EXPECT_EQ(f.record.rpnDigits(), 11);
    EXPECT_EQ(f.press("show 7 sto"), "STO _ ");  // pending mode dropped
    EXPECT_EQ(f.press("show"), "12345");
}

TEST(RpnDisplayModes, StackFieldsIgnoreTheMode) {
    MachineFixture f;
    f.press("show 8 2 1 2 3 4 . 5 Enter 1");
    EXPECT_EQ(f.machine->stackField(2), "1234.5");
}

TEST(RpnMachine, DisplayEditedFromOutside) {
    MachineFixture f;
    f.machine->displayEdited("42.5");
    EXPECT_EQ(f.machine->x(), 42.5L);
    f.machine->displayEdited("1E4933");  // refused: the last character goes
    EXPECT_EQ(f.machine->display(), "1E493");
    EXPECT_EQ(f.machine->x(), 1e493L);
}

TEST(RpnMachine, ResetReadsTheRecord) {
    MachineFixture f;
    f.record.setRpnDisplayMode(2);
    f.record.setRpnDigits(1);
    f.record.setRpnAngleMode(1);
    f.press("5 Enter 6");
    f.machine->reset();
    EXPECT_EQ(f.machine->display(), "0.0 E00");
    EXPECT_STREQ(f.machine->angleCaption(), "rad");
    EXPECT_EQ(f.machine->y(), 0);
}

}  // namespace
}  // namespace tobrisk::test
