#include "rpn/rpn_keyboard.h"

#include "rpn/rpn_machine.h"

namespace tobrisk {

namespace {

// Which keys a row matches.
enum class Match {
    AnyMinus,  // main keyboard or keypad
    Six,
    Eight,
    Equal,
    Delete,
    AnyDigit,
    AnyPoint,
    Letter,
    Horizontal,  // Left or Right
    Up,
    Down,
    KeypadPlus,
    AnyMinusKey,  // keypad minus or main-keyboard minus
    KeypadMultiply,
    AnyDivide,  // keypad or main-keyboard "/"
    AnyKey
};

// What the modifiers must be for a row to match.
enum class Mods {
    CtrlOthersIgnored,
    ShiftOthersIgnored,
    CtrlOnly,
    NoCtrl,
    ShiftCtrlAltIgnored,
    SomeHeld,  // Shift, Ctrl or Alt held
    None
};

struct Row {
    Match match;
    char letter;
    Mods mods;
    KeyAction action;
    const char* focus;
};

// Tried in order; the first matching row acts.
constexpr Row kRows[] = {
    {Match::AnyMinus, 0, Mods::CtrlOthersIgnored, KeyAction::Chs, nullptr},
    {Match::Six, 0, Mods::ShiftOthersIgnored, KeyAction::Power, nullptr},
    {Match::Delete, 0, Mods::CtrlOnly, KeyAction::Clst, nullptr},
    {Match::Letter, 'R', Mods::NoCtrl, KeyAction::Rcl, nullptr},
    {Match::Equal, 0, Mods::ShiftCtrlAltIgnored, KeyAction::Add, nullptr},
    {Match::Eight, 0, Mods::ShiftCtrlAltIgnored, KeyAction::Multiply, nullptr},
    {Match::AnyKey, 0, Mods::SomeHeld, KeyAction::None, nullptr},
    {Match::AnyDigit, 0, Mods::None, KeyAction::Digit, nullptr},
    {Match::AnyPoint, 0, Mods::None, KeyAction::PointKey, nullptr},
    {Match::Letter, 'E', Mods::None, KeyAction::ExponentKey, nullptr},
    {Match::Letter, 'S', Mods::None, KeyAction::Sto, nullptr},
    {Match::Letter, 'L', Mods::None, KeyAction::LastX, nullptr},
    {Match::Letter, 'X', Mods::None, KeyAction::SwapXY, nullptr},
    {Match::Letter, 'F', Mods::None, KeyAction::FunctionsPad, nullptr},
    {Match::Letter, 'U', Mods::None, KeyAction::UserFunctionsPad, nullptr},
    {Match::Letter, 'D', Mods::None, KeyAction::UserDataPad, nullptr},
    {Match::Delete, 0, Mods::None, KeyAction::Clx, nullptr},
    {Match::Horizontal, 0, Mods::None, KeyAction::Delete, "BtnAdDel"},
    {Match::Up, 0, Mods::None, KeyAction::RollUp, "BtnAdRollU"},
    {Match::Down, 0, Mods::None, KeyAction::RollDown, "BtnAdRollD"},
    {Match::KeypadPlus, 0, Mods::None, KeyAction::Add, nullptr},
    {Match::AnyMinusKey, 0, Mods::None, KeyAction::Subtract, nullptr},
    {Match::KeypadMultiply, 0, Mods::None, KeyAction::Multiply, nullptr},
    {Match::AnyDivide, 0, Mods::None, KeyAction::Divide, nullptr},
};

bool matches(Match m, char letter, const KeyStroke& k) {
    switch (m) {
        case Match::AnyMinus:
        case Match::AnyMinusKey:
            return k.id == KeyId::Minus || k.id == KeyId::KeypadMinus;
        case Match::Six:
            return k.id == KeyId::Digit && k.digit == 6;
        case Match::Eight:
            return k.id == KeyId::Digit && k.digit == 8;
        case Match::Equal:
            return k.id == KeyId::Equal;
        case Match::Delete:
            return k.id == KeyId::Delete;
        case Match::AnyDigit:
            return k.id == KeyId::Digit || k.id == KeyId::KeypadDigit;
        case Match::AnyPoint:
            return k.id == KeyId::Point || k.id == KeyId::KeypadDecimal;
        case Match::Letter:
            return k.id == KeyId::Letter && k.letter == letter;
        case Match::Horizontal:
            return k.id == KeyId::Left || k.id == KeyId::Right;
        case Match::Up:
            return k.id == KeyId::Up;
        case Match::Down:
            return k.id == KeyId::Down;
        case Match::KeypadPlus:
            return k.id == KeyId::KeypadPlus;
        case Match::KeypadMultiply:
            return k.id == KeyId::KeypadMultiply;
        case Match::AnyDivide:
            return k.id == KeyId::KeypadDivide || k.id == KeyId::Slash;
        case Match::AnyKey:
            return true;
    }
    return false;
}

bool modsMatch(Mods m, const KeyStroke& k) {
    switch (m) {
        case Mods::CtrlOthersIgnored:
            return k.ctrl;
        case Mods::ShiftOthersIgnored:
        case Mods::ShiftCtrlAltIgnored:
            return k.shift;
        case Mods::CtrlOnly:
            return k.ctrl && !k.shift && !k.alt;
        case Mods::NoCtrl:
            return !k.ctrl;
        case Mods::SomeHeld:
            return k.shift || k.ctrl || k.alt;
        case Mods::None:
            return !k.shift && !k.ctrl && !k.alt;
    }
    return false;
}

using MachineStep = void (RpnMachine::*)();

struct Step {
    KeyAction action;
    MachineStep step;
};

constexpr Step kSteps[] = {
    {KeyAction::Chs, &RpnMachine::chs},
    {KeyAction::Clst, &RpnMachine::clst},
    {KeyAction::Rcl, &RpnMachine::rcl},
    {KeyAction::Sto, &RpnMachine::sto},
    {KeyAction::LastX, &RpnMachine::lastX},
    {KeyAction::SwapXY, &RpnMachine::swapXY},
    {KeyAction::FunctionsPad, &RpnMachine::functionsPad},
    {KeyAction::UserFunctionsPad, &RpnMachine::userFunctionsPad},
    {KeyAction::UserDataPad, &RpnMachine::userDataPad},
    {KeyAction::Clx, &RpnMachine::clx},
    {KeyAction::Delete, &RpnMachine::del},
    {KeyAction::RollUp, &RpnMachine::rollUp},
    {KeyAction::RollDown, &RpnMachine::rollDown},
};

struct OperatorStep {
    KeyAction action;
    Operator op;
};

constexpr OperatorStep kOperatorSteps[] = {
    {KeyAction::Power, Operator::Power},       {KeyAction::Add, Operator::Add},
    {KeyAction::Subtract, Operator::Subtract}, {KeyAction::Multiply, Operator::Multiply},
    {KeyAction::Divide, Operator::Divide},
};

}  // namespace

KeyBinding RpnKeyboard::lookup(const KeyStroke& key) {
    for (const auto& row : kRows) {
        if (!matches(row.match, row.letter, key) || !modsMatch(row.mods, key)) continue;
        return {row.action, key.digit, row.focus};
    }
    return {};
}

bool RpnKeyboard::apply(const KeyBinding& b, RpnMachine& machine) {
    switch (b.action) {
        case KeyAction::None:
            return false;
        case KeyAction::Digit:
            machine.keyboardDigit(b.digit);
            return true;
        case KeyAction::PointKey:
            machine.key(RpnMachine::kPointKey);
            return true;
        case KeyAction::ExponentKey:
            machine.key(RpnMachine::kExponentKey);
            return true;
        default:
            break;
    }
    for (const auto& s : kSteps) {
        if (s.action != b.action) continue;
        (machine.*s.step)();
        return true;
    }
    for (const auto& s : kOperatorSteps) {
        if (s.action != b.action) continue;
        machine.arithmetic(s.op);
        return true;
    }
    return false;
}

}  // namespace tobrisk
