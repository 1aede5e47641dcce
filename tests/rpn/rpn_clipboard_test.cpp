#include "rpn/rpn_clipboard.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <sstream>

#include "tests/rpn/rpn_test_support.h"

namespace tobrisk::test {
namespace {

std::string joined(const std::vector<std::string>& keys) {
    std::string s;
    for (const auto& k : keys) s += (s.empty() ? "" : " ") + k;
    return s;
}

std::string stack(const RpnMachine& m) {
    return m.stackField(4) + " | " + m.stackField(3) + " | " + m.stackField(2) + " | " +
           m.stackField(1);
}

TEST(RpnClipboard, PastedTextsBecomeTheKeysThatTypeThem) {
    const struct {
        const char* text;
        const char* keys;
    } cases[] = {
        {"42", "4 2"},
        {"  3.25\n", "3 . 2 5"},
        {"\t-7\r\n", "7 chs"},
        {"+0.5", "0 . 5"},
        {".5", ". 5"},
        {"5.", "5 ."},
        {"007", "0 0 7"},
        {"1.5e3", "1 . 5 E 3"},
        {"-2.5E-07", "2 . 5 chs E chs 0 7"},
        {"6.02E+23", "6 . 0 2 E 2 3"},
        {"1E-4950", "1 E chs 4 9 5 0"},  // below the range: reads as 0, as typed
    };
    for (const auto& c : cases) {
        const auto keys = pasteKeys(c.text);
        ASSERT_TRUE(keys.has_value()) << c.text;
        EXPECT_EQ(joined(*keys), c.keys) << c.text;
    }
}

TEST(RpnClipboard, TextsThatAreNoNumberAreRefused) {
    for (const char* text : {"",
                             "   ",
                             "abc",
                             "-",
                             ".",
                             "+.",
                             "1.2.3",
                             "1,234.5",
                             "3,14",
                             "12 34",
                             "1e",
                             "1E+",
                             "E5",
                             "e",
                             "--5",
                             "5-",
                             "1e5x",
                             "0x10",
                             "inf",
                             "nan",
                             "1E5000",
                             "-1E99999",
                             "\xe2\x88\x92"
                             "5"})
        EXPECT_FALSE(pasteKeys(text).has_value()) << text;
    EXPECT_FALSE(pasteKeys(std::string(101, '1')).has_value());
    EXPECT_TRUE(pasteKeys(std::string(100, '1')).has_value());
}

TEST(RpnClipboard, PastingTypesANumberUnderTheLiftRules) {
    const struct {
        const char* before;  // keys pressed first
        const char* text;
        const char* display;
        const char* stack;
    } cases[] = {
        {"", "12.5", "12.5", "0 | 0 | 0 | 12.5"},
        {"5 Enter", "-3", "-3", "0 | 0 | 5 | -3"},          // Enter disabled the lift
        {"5 Enter 2 +", "1E3", "1E3", "0 | 0 | 7 | 1000"},  // a result is lifted
        {"4 Enter 1 2", "9", "9", "0 | 0 | 4 | 9"},         // replaces the number being typed
        {"4 Enter 1 . 5 E 2", "-0.25", "-0.25", "0 | 0 | 4 | -0.25"},
        {"8 clx", "6", "6", "0 | 0 | 0 | 6"},
    };
    for (const auto& c : cases) {
        MachineFixture f;
        f.press(c.before);
        EXPECT_TRUE(pasteNumber(*f.machine, c.text)) << c.before << " / " << c.text;
        EXPECT_EQ(f.machine->display(), c.display) << c.before << " / " << c.text;
        EXPECT_EQ(stack(*f.machine), c.stack) << c.before << " / " << c.text;
        // Typing goes on after a paste as after keys.
        f.press("Enter");
        EXPECT_TRUE(f.machine->liftDisabled());
    }
}

TEST(RpnClipboard, ARefusedPasteChangesNothing) {
    const struct {
        const char* before;
        const char* text;
    } cases[] = {
        {"4 Enter 1 2", "twelve"},
        {"4 Enter 1 2", "1.2.3"},
        {"7 sto", "3"},  // the pad waits for a register
        {"7 rcl", "3"},
        {"show", "1"},    // mode menu
        {"show 7", "2"},  // digits prompt
        {"func", "1"},
        {"udata", "1"},
        {"ufunc", "1"},
    };
    for (const auto& c : cases) {
        MachineFixture f;
        const std::string display = f.press(c.before);
        const std::string before = stack(*f.machine);
        const PadState pad = f.machine->padState();
        EXPECT_FALSE(pasteNumber(*f.machine, c.text)) << c.before << " / " << c.text;
        EXPECT_EQ(f.machine->display(), display) << c.before;
        EXPECT_EQ(stack(*f.machine), before) << c.before;
        EXPECT_EQ(f.machine->padState(), pad) << c.before;
    }
}

TEST(RpnClipboard, TheFullValueReadsBackAsTheSameExtendedNumber) {
    const long double values[] = {
        0.0L,        1.0L,     0.1L,      -1.0L / 3.0L, 2.0L / 3e-9L,          1e20L,
        123456.789L, LDBL_MAX, -LDBL_MIN, 1e-4000L,     4.0L * std::atan(1.0L)};
    for (long double v : values) {
        const std::string text = fullX(v);
        EXPECT_EQ(text.find_first_not_of("0123456789.E+-"), std::string::npos) << text;
        MachineFixture f;
        ASSERT_TRUE(pasteNumber(*f.machine, text)) << text;
        EXPECT_EQ(f.machine->x(), v) << text;
    }
    EXPECT_EQ(fullX(0.1L), "0.1");
    EXPECT_EQ(fullX(-2.5e-7L), "-2.5E-07");
    EXPECT_EQ(fullX(1e20L), "1E+20");
}

TEST(RpnClipboard, TheDisplayedValueUsesTheModeAndTheLocalesSeparators) {
    DataRecord record;
    record.fillNew(NewRecordContext{});
    FakeAlerts alerts;
    FakeDialogs dialogs;
    FakeLines lines{record};
    RpnMachine m(record, alerts, dialogs, lines, Separators{',', '.'});
    m.setStack(1234.5L, 0, 0, 0);
    EXPECT_EQ(displayedX(m), "1.234,5000");
    // While a number is typed the display shows the keys; the copy is still X in the mode.
    m.key(2);
    EXPECT_EQ(displayedX(m), "2,0000");
}

}  // namespace
}  // namespace tobrisk::test
