#include "rpn/rpn_keyboard.h"

#include <gtest/gtest.h>

#include "tests/rpn/rpn_test_support.h"

namespace tobrisk::test {
namespace {

KeyStroke k(KeyId id, int digit = 0, char letter = 0, bool shift = false, bool ctrl = false,
            bool alt = false) {
    return KeyStroke{id, digit, letter, shift, ctrl, alt};
}

TEST(RpnKeyboard, TableRowsInOrder) {
    const struct {
        KeyStroke key;
        KeyAction action;
    } cases[] = {
        {k(KeyId::Minus, 0, 0, false, true), KeyAction::Chs},
        {k(KeyId::KeypadMinus, 0, 0, true, true, true), KeyAction::Chs},
        {k(KeyId::Digit, 6, 0, true), KeyAction::Power},
        {k(KeyId::Digit, 6, 0, true, true), KeyAction::Power},
        {k(KeyId::Delete, 0, 0, false, true), KeyAction::Clst},
        {k(KeyId::Delete, 0, 0, true, true), KeyAction::None},
        {k(KeyId::Letter, 0, 'R'), KeyAction::Rcl},
        {k(KeyId::Letter, 0, 'R', true, false, true), KeyAction::Rcl},
        {k(KeyId::Letter, 0, 'R', false, true), KeyAction::None},
        {k(KeyId::Equal, 0, 0, true, true), KeyAction::Add},
        {k(KeyId::Equal), KeyAction::None},
        {k(KeyId::Digit, 8, 0, true), KeyAction::Multiply},
        {k(KeyId::Digit, 7, 0, true), KeyAction::None},
        {k(KeyId::Letter, 0, 'U', false, true), KeyAction::None},
        {k(KeyId::Digit, 3), KeyAction::Digit},
        {k(KeyId::KeypadDigit, 3), KeyAction::Digit},
        {k(KeyId::Point), KeyAction::PointKey},
        {k(KeyId::KeypadDecimal), KeyAction::PointKey},
        {k(KeyId::Letter, 0, 'E'), KeyAction::ExponentKey},
        {k(KeyId::Letter, 0, 'S'), KeyAction::Sto},
        {k(KeyId::Letter, 0, 'L'), KeyAction::LastX},
        {k(KeyId::Letter, 0, 'X'), KeyAction::SwapXY},
        {k(KeyId::Letter, 0, 'F'), KeyAction::FunctionsPad},
        {k(KeyId::Letter, 0, 'U'), KeyAction::UserFunctionsPad},
        {k(KeyId::Letter, 0, 'D'), KeyAction::UserDataPad},
        {k(KeyId::Letter, 0, 'Q'), KeyAction::None},
        {k(KeyId::Delete), KeyAction::Clx},
        {k(KeyId::Left), KeyAction::Delete},
        {k(KeyId::Right), KeyAction::Delete},
        {k(KeyId::Up), KeyAction::RollUp},
        {k(KeyId::Down), KeyAction::RollDown},
        {k(KeyId::KeypadPlus), KeyAction::Add},
        {k(KeyId::KeypadMinus), KeyAction::Subtract},
        {k(KeyId::Minus), KeyAction::Subtract},
        {k(KeyId::KeypadMultiply), KeyAction::Multiply},
        {k(KeyId::KeypadDivide), KeyAction::Divide},
        {k(KeyId::Slash), KeyAction::Divide},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(RpnKeyboard::lookup(cases[i].key).action, cases[i].action) << "row " << i;
    EXPECT_STREQ(RpnKeyboard::lookup(k(KeyId::Left)).focus, "BtnAdDel");
    EXPECT_STREQ(RpnKeyboard::lookup(k(KeyId::Up)).focus, "BtnAdRollU");
}

TEST(RpnKeyboard, DigitsNameButtonsInPads) {
    MachineFixture f;
    f.machine->windowShown();
    auto type = [&](KeyStroke s) { RpnKeyboard::apply(RpnKeyboard::lookup(s), *f.machine); };
    type(k(KeyId::Digit, 1));
    type(k(KeyId::KeypadDigit, 2));
    EXPECT_EQ(f.machine->display(), "12");
    type(k(KeyId::Letter, 0, 'D'));
    type(k(KeyId::Digit, 0));  // nothing in a pad
    EXPECT_EQ(f.machine->padState(), PadState::UserDataPad);
    type(k(KeyId::Digit, 2));  // Btn8: pi
    EXPECT_NEAR(static_cast<double>(f.machine->x()), 3.14159265358979, 1e-14);
    type(k(KeyId::Letter, 0, 'F'));
    type(k(KeyId::Digit, 7));  // Btn1: log
    EXPECT_NEAR(static_cast<double>(f.machine->x()), 1.1447298858494, 1e-12);
    // In the mode menu 1, 2, 3 choose fix, sci, eng.
    f.machine->show();
    type(k(KeyId::Digit, 2));
    EXPECT_EQ(f.machine->display(), "SCI _ ");
    type(k(KeyId::Digit, 2));
    EXPECT_EQ(f.machine->display(), "1.14 E00");
    type(k(KeyId::Digit, 6, 0, true));            // Shift+6: power
    EXPECT_EQ(f.machine->display(), "1.72 E01");  // 12 ^ ln(pi)
}

}  // namespace
}  // namespace tobrisk::test
