#pragma once
// The RPN calculator's machine: the four-level stack X, Y, Z, T and last x in extended
// precision, the keyed number entry, the flags that decide between lifting the stack and
// overwriting X, the pad state every number-pad key consults, and every operation of the
// calculator's keys. It holds no window: after each operation the window reads the display
// text, the four stack field texts and the number pad's labels and renders them.
//
// The storage registers, angle mode, display mode and digits live in the data record and are
// read and written there. Sounds go through Alerts, the register store's error report through
// Dialogs, user functions through the LineCalculatorPort.

#include <array>
#include <string>

#include "rpn/display_format.h"
#include "rpn/rpn_arithmetic.h"
#include "rpn/user_pads.h"

namespace tobrisk {

class Alerts;
class DataRecord;
class Dialogs;
class LineCalculatorPort;

enum class PadState {
    Normal,
    StorePending,
    RecallPending,
    ModeMenu,
    DigitsPrompt,
    FunctionsPad,
    UserFunctionsPad,
    UserDataPad
};

// What the twelve number-pad buttons show.
enum class PadLabels { Digits, ModeMenu, Functions, UserFunctions, UserData };

enum class StoreArithmetic { None, Subtract, Add, Multiply, Divide };

class RpnMachine {
  public:
    static constexpr int kPointKey = 10;
    static constexpr int kExponentKey = 11;
    static constexpr int kRegisters = 12;

    RpnMachine(DataRecord& record, Alerts& alerts, Dialogs& dialogs, LineCalculatorPort& lines,
               Separators seps = {});

    // Back to the state of a new window: stack and last x 0, flags clear, pad closed, user
    // slots empty, display and angle settings re-read from the record, 0 shown.
    void reset();

    // ---- Keys (each is one button of the window) ----
    void key(int code);  // number-pad key 0..11, dispatched by the pad state
    // A digit typed on the keyboard: the digit itself while the pad shows digits, else the
    // button it names in reading order (1 -> Btn7 ... 9 -> Btn3; 0 does nothing).
    void keyboardDigit(int digit);
    void enter();
    void clx();
    void clst();
    void swapXY();
    void rollDown();
    void rollUp();
    void lastX();
    void chs();
    void del();
    void arithmetic(Operator op);  // + - x / ^ (the first four choose the store arithmetic)
    void reciprocal();
    void functionsPad();
    void angleSwitch();
    void sto();
    void rcl();
    void clrg();
    void show();
    void userDataPad();
    void userFunctionsPad();

    // The display's text was changed by other means than the machine's own writing: X is read
    // from it as during entry; a text that does not read loses its last character.
    void displayEdited(const std::string& text);

    // The window was shown (slots filled from the store) or handed over (slots emptied).
    void windowShown();
    void windowHidden();

    // ---- What the window renders ----
    const std::string& display() const { return display_; }
    // Level 1 is X, 4 is T; general format.
    std::string stackField(int level) const;
    std::array<std::string, 12> padLabels() const;  // by key code
    PadLabels padLabelsShown() const { return labels_; }
    bool padWide() const { return labels_ != PadLabels::Digits; }
    const char* angleCaption() const { return radians_ ? "rad" : "deg"; }

    // ---- State, for tests and the command line ----
    long double x() const { return stack_[0]; }
    long double y() const { return stack_[1]; }
    long double z() const { return stack_[2]; }
    long double t() const { return stack_[3]; }
    long double level(int n) const { return stack_[static_cast<std::size_t>(n - 1)]; }
    long double lastXValue() const { return lastX_; }
    void setStack(long double x, long double y, long double z, long double t);
    PadState padState() const { return pad_; }
    StoreArithmetic storeArithmetic() const { return storeArith_; }
    bool entering() const { return entering_; }
    bool errorShown() const { return errorShown_; }
    bool liftDisabled() const { return liftDisabled_; }
    bool replaceOnEntry() const { return replaceOnEntry_; }
    bool recallReplaces() const { return recallReplaces_; }
    bool justStored() const { return justStored_; }
    bool radians() const { return radians_; }
    const DisplayFormat& format() const { return format_; }
    const UserPads& userPads() const { return pads_; }
    double storageRegister(int k) const;

  private:
    // Steps shared by the operations.
    void closePad() { labels_ = PadLabels::Digits; }
    void togglePad(PadState pad, PadLabels labels, bool endPending);
    void commonEnding();
    void clearEntryState();  // the common ending without showing X
    void fail(const std::string& message);
    void lift();
    void drop();
    void showX() { display_ = format_.display(stack_[0]); }
    long double angleFactor() const;

    // Number-pad keys, one per pad state.
    void typeKey(int code);
    void storeKey(int code);
    void recallKey(int code);
    void modeMenuKey(int code);
    void digitsKey(int code);
    void functionKey(int code);
    void userFunctionKey(int code);
    void userDataKey(int code);

    // A user function (or the fact and comb templates) on the top paramCount levels.
    void calculateFunction(const std::string& body, int paramCount);
    bool convertEntry();

    DataRecord& record_;
    Alerts& alerts_;
    Dialogs& dialogs_;
    LineCalculatorPort& lines_;
    DisplayFormat format_;
    UserPads pads_;

    std::array<long double, 4> stack_{};  // X, Y, Z, T
    long double lastX_ = 0;
    std::string display_;
    std::string entry_;  // the entry buffer; the display text while a number is typed
    bool entering_ = false;
    bool pointTyped_ = false;
    bool exponentTyped_ = false;
    bool liftDisabled_ = false;
    bool replaceOnEntry_ = false;
    bool recallReplaces_ = false;
    bool errorShown_ = false;
    bool justStored_ = false;
    bool radians_ = false;
    PadState pad_ = PadState::Normal;
    PadLabels labels_ = PadLabels::Digits;
    StoreArithmetic storeArith_ = StoreArithmetic::None;
    DisplayMode pendingMode_ = DisplayMode::Fix;
};

}  // namespace tobrisk
