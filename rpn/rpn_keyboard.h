#pragma once
// The RPN window's keyboard bindings as one table: a released key with its modifiers gives the
// machine operation to run. Keys are named by position the way the toolkit-free logic needs
// them (a shifted "6" is still the 6 key); the window translates its key events into KeyStroke.

#include <string>

namespace tobrisk {

class RpnMachine;

enum class KeyId {
    Digit,          // main keyboard 0..9
    KeypadDigit,    // keypad 0..9
    Letter,         // A..Z
    Point,          // main keyboard "."
    KeypadDecimal,  // keypad decimal
    Minus,          // main keyboard "-"
    KeypadMinus,
    KeypadPlus,
    KeypadMultiply,
    KeypadDivide,
    Slash,  // main keyboard "/"
    Equal,  // the "=" key (Shift gives "+")
    Delete,
    Left,
    Right,
    Up,
    Down,
    Other
};

struct KeyStroke {
    KeyId id = KeyId::Other;
    int digit = 0;    // Digit, KeypadDigit
    char letter = 0;  // Letter, upper case
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

enum class KeyAction {
    None,
    Chs,
    Power,
    Clst,
    Rcl,
    Add,
    Subtract,
    Multiply,
    Divide,
    Digit,        // keyboard digit (mapped by the pad state)
    PointKey,     // key code 10
    ExponentKey,  // key code 11
    Sto,
    LastX,
    SwapXY,
    FunctionsPad,
    UserFunctionsPad,
    UserDataPad,
    Clx,
    Delete,
    RollUp,
    RollDown
};

struct KeyBinding {
    KeyAction action = KeyAction::None;
    int digit = 0;                // for KeyAction::Digit
    const char* focus = nullptr;  // objectName of the button that takes the focus, if any
};

class RpnKeyboard {
  public:
    // The first row of the table that matches, or KeyAction::None.
    static KeyBinding lookup(const KeyStroke& key);
    // Runs a binding on the machine; false for KeyAction::None.
    static bool apply(const KeyBinding& binding, RpnMachine& machine);
};

}  // namespace tobrisk
