#include "rpn/rpn_machine.h"

#include "exprwin/data_record.h"
#include "platform/alerts.h"
#include "rpn/entry_number.h"

namespace tobrisk {

namespace {

constexpr const char* kDigitLabels[12] = {"0", "1", "2", "3", "4", "5",
                                          "6", "7", "8", "9", ".", "E"};
// The functions pad by key code.
constexpr const char* kFunctionLabels[12] = {"%",    "log", "exp", "sqrt", "asin", "acos",
                                             "atan", "sin", "cos", "tan",  "fact", "comb"};

}  // namespace

RpnMachine::RpnMachine(DataRecord& record, Alerts& alerts, Dialogs& dialogs,
                       LineCalculatorPort& lines, Separators seps)
    : record_(record), alerts_(alerts), dialogs_(dialogs), lines_(lines), format_(seps) {
    reset();
}

void RpnMachine::reset() {
    stack_ = {};
    lastX_ = 0;
    entry_.clear();
    entering_ = pointTyped_ = exponentTyped_ = false;
    liftDisabled_ = replaceOnEntry_ = recallReplaces_ = errorShown_ = justStored_ = false;
    pad_ = PadState::Normal;
    labels_ = PadLabels::Digits;
    storeArith_ = StoreArithmetic::None;
    pads_.clear();
    format_.set(static_cast<DisplayMode>(record_.rpnDisplayMode()), record_.rpnDigits());
    radians_ = record_.rpnAngleMode() == 1;
    showX();
}

void RpnMachine::setStack(long double x, long double y, long double z, long double t) {
    stack_ = {x, y, z, t};
}

double RpnMachine::storageRegister(int k) const {
    return record_.rpnRegister(k);
}

std::string RpnMachine::stackField(int level) const {
    if (level < 1 || level > 4) return {};
    return format_.general(stack_[static_cast<std::size_t>(level - 1)]);
}

std::array<std::string, 12> RpnMachine::padLabels() const {
    std::array<std::string, 12> labels;
    switch (labels_) {
        case PadLabels::Digits:
            for (int k = 0; k < 12; ++k) labels[static_cast<std::size_t>(k)] = kDigitLabels[k];
            break;
        case PadLabels::ModeMenu: {
            const std::string marks = format_.modeMarks();
            labels[7] = std::string("fix") + marks[0];
            labels[8] = std::string("sci") + marks[1];
            labels[9] = std::string("eng") + marks[2];
            break;
        }
        case PadLabels::Functions:
            for (int k = 0; k < 12; ++k) labels[static_cast<std::size_t>(k)] = kFunctionLabels[k];
            break;
        case PadLabels::UserFunctions:
        case PadLabels::UserData:
            for (int s = 1; s <= UserPads::kSlots; ++s) {
                const auto k = static_cast<std::size_t>(UserPads::keyOfSlot(s));
                labels[k] =
                    labels_ == PadLabels::UserData ? pads_.data(s).name : pads_.function(s).name;
            }
            break;
    }
    return labels;
}

// ---- Shared steps ----

void RpnMachine::clearEntryState() {
    pad_ = PadState::Normal;
    errorShown_ = entering_ = pointTyped_ = exponentTyped_ = replaceOnEntry_ = false;
    storeArith_ = StoreArithmetic::None;
    justStored_ = false;
}

void RpnMachine::commonEnding() {
    showX();
    clearEntryState();
}

void RpnMachine::fail(const std::string& message) {
    display_ = message;
    clearEntryState();
    errorShown_ = true;
    alerts_.play(AlertKind::Asterisk);
}

void RpnMachine::lift() {
    stack_ = {stack_[0], stack_[0], stack_[1], stack_[2]};
}

void RpnMachine::drop() {
    stack_[1] = stack_[2];
    stack_[2] = stack_[3];
}

// ---- Number-pad keys ----

void RpnMachine::key(int code) {
    if (code < 0 || code > kExponentKey) return;
    // A switch rather than a table of member pointers: GCC's bounds sanitizer misreads the
    // index into such a table.
    switch (pad_) {
        case PadState::Normal:
            return typeKey(code);
        case PadState::StorePending:
            return storeKey(code);
        case PadState::RecallPending:
            return recallKey(code);
        case PadState::ModeMenu:
            return modeMenuKey(code);
        case PadState::DigitsPrompt:
            return digitsKey(code);
        case PadState::FunctionsPad:
            return functionKey(code);
        case PadState::UserFunctionsPad:
            return userFunctionKey(code);
        case PadState::UserDataPad:
            return userDataKey(code);
    }
}

void RpnMachine::keyboardDigit(int digit) {
    // Digit d presses the d-th button in reading order while a pad is on the buttons.
    static constexpr int kReadingOrder[10] = {-1, 7, 8, 9, 4, 5, 6, 1, 2, 3};
    if (digit < 0 || digit > 9) return;
    switch (pad_) {
        case PadState::Normal:
        case PadState::StorePending:
        case PadState::RecallPending:
        case PadState::DigitsPrompt:
            key(digit);
            return;
        default:
            if (kReadingOrder[digit] >= 0) key(kReadingOrder[digit]);
    }
}

bool RpnMachine::convertEntry() {
    auto v = readEntryNumber(entry_);
    if (!v) return false;
    stack_[0] = *v;
    return true;
}

void RpnMachine::typeKey(int code) {
    const bool point = code == kPointKey;
    const bool exponent = code == kExponentKey;
    bool start = false;
    if (replaceOnEntry_) {
        replaceOnEntry_ = false;
        recallReplaces_ = true;
        start = true;
    } else if (!entering_) {
        if (!liftDisabled_) lift();
        start = true;
    }
    if (start) {
        entry_ = exponent ? "1" : "";
        pointTyped_ = exponentTyped_ = false;
        // The display no longer holds a message: delete and clx act on the new number.
        errorShown_ = false;
    }
    if ((point && (pointTyped_ || exponentTyped_)) || (exponent && exponentTyped_)) return;
    if (point) {
        entry_ += '.';
        pointTyped_ = true;
    } else if (exponent) {
        if (entry_ == ".") entry_ = "1.";
        entry_ += 'E';
        exponentTyped_ = true;
    } else {
        entry_ += static_cast<char>('0' + code);
    }
    entering_ = true;
    if (!convertEntry()) entry_.pop_back();  // beyond the extended range: the key is refused
    liftDisabled_ = false;
    display_ = entry_;
}

// ---- Stack operations ----

void RpnMachine::enter() {
    closePad();
    lift();
    commonEnding();
    liftDisabled_ = true;
}

void RpnMachine::clx() {
    liftDisabled_ = false;
    closePad();
    if (!errorShown_) stack_[0] = 0;
    commonEnding();
    replaceOnEntry_ = recallReplaces_ = true;
}

void RpnMachine::clst() {
    liftDisabled_ = false;
    closePad();
    stack_ = {};
    commonEnding();
}

void RpnMachine::swapXY() {
    closePad();
    std::swap(stack_[0], stack_[1]);
    commonEnding();
    liftDisabled_ = false;
}

void RpnMachine::rollDown() {
    closePad();
    stack_ = {stack_[1], stack_[2], stack_[3], stack_[0]};
    commonEnding();
    liftDisabled_ = false;
}

void RpnMachine::rollUp() {
    closePad();
    stack_ = {stack_[3], stack_[0], stack_[1], stack_[2]};
    commonEnding();
    liftDisabled_ = false;
}

void RpnMachine::lastX() {
    closePad();
    if (replaceOnEntry_)
        replaceOnEntry_ = false;
    else if (!liftDisabled_)
        lift();
    liftDisabled_ = replaceOnEntry_ = recallReplaces_ = false;
    stack_[0] = lastX_;
    commonEnding();
}

void RpnMachine::chs() {
    liftDisabled_ = false;
    const bool menu = labels_ == PadLabels::ModeMenu;
    closePad();
    if (menu) pad_ = PadState::Normal;
    // The entry buffer is on the display only in Normal; an entry emptied by delete is no
    // number to change the sign of.
    if (pad_ == PadState::Normal && entering_ && !replaceOnEntry_) {
        const std::string before = entry_;
        if (exponentTyped_) {
            const auto after = entry_.find('E') + 1;
            if (after < entry_.size() && entry_[after] == '-')
                entry_[after] = '+';
            else if (after < entry_.size() && entry_[after] == '+')
                entry_[after] = '-';
            else
                entry_.insert(after, 1, '-');
        } else if (entry_.find('-') != std::string::npos) {
            entry_.erase(0, 1);
        } else {
            entry_.insert(0, 1, '-');
        }
        // "1E-5000" to "1E+5000" would leave the range: refused like a refused key.
        if (!convertEntry()) entry_ = before;
        display_ = entry_;
        return;
    }
    stack_[0] = -stack_[0];
    commonEnding();
}

void RpnMachine::del() {
    closePad();
    if (errorShown_ || pad_ != PadState::Normal) {
        commonEnding();
        return;
    }
    if (!entering_ || entry_.empty()) return;
    const char removed = entry_.back();
    entry_.pop_back();
    convertEntry();
    if (removed == 'E') exponentTyped_ = false;
    if (removed == '.') pointTyped_ = false;
    if (entry_.empty()) {
        replaceOnEntry_ = recallReplaces_ = true;
        display_ = format_.fixed(stack_[0]);
    } else {
        display_ = entry_;
    }
}

void RpnMachine::displayEdited(const std::string& text) {
    std::string t = text;
    auto v = readEntryNumber(t);
    if (!v && !t.empty()) {
        t.pop_back();
        v = readEntryNumber(t);
    }
    if (v) stack_[0] = *v;
    display_ = t;
}

void RpnMachine::windowShown() {
    pads_.fill(record_);
}

void RpnMachine::windowHidden() {
    pads_.clear();
}

}  // namespace tobrisk
