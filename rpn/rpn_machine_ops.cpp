// Operators, the functions pad, the angle switch, the registers and the display modes.

#include <cmath>
#include <numbers>

#include "exprwin/data_record.h"
#include "platform/alerts.h"
#include "platform/dialogs.h"
#include "rpn/rpn_machine.h"

namespace tobrisk {

namespace {

struct StoreChoice {
    Operator op;
    StoreArithmetic arithmetic;
    const char* prompt;
};

constexpr StoreChoice kStoreChoices[] = {
    {Operator::Subtract, StoreArithmetic::Subtract, "STO - _ "},
    {Operator::Add, StoreArithmetic::Add, "STO + _ "},
    {Operator::Multiply, StoreArithmetic::Multiply, "STO x _ "},
    {Operator::Divide, StoreArithmetic::Divide, "STO / _ "},
};

// The program's general error report for a failed register store.
struct StoreFaultText {
    Fault fault;
    const char* text;
};
constexpr StoreFaultText kStoreFaultTexts[] = {
    {Fault::Overflow, "Floating point overflow"},
    {Fault::DivisionByZero, "Floating point division by zero"},
    {Fault::Invalid, "Invalid floating point operation"},
};

constexpr const char* kModePrompts[] = {"FIX _ ", "SCI _ ", "ENG _ "};

constexpr const char* kFactTemplate = "fact(&01)";
constexpr const char* kCombTemplate = "comb(&02,&01)";

constexpr long double kDegree = std::numbers::pi_v<long double> / 180;

}  // namespace

long double RpnMachine::angleFactor() const {
    return radians_ ? 1.0L : kDegree;
}

void RpnMachine::arithmetic(Operator op) {
    if (pad_ == PadState::StorePending && op != Operator::Power) {
        for (const auto& c : kStoreChoices) {
            if (c.op != op) continue;
            storeArith_ = c.arithmetic;
            display_ = c.prompt;
        }
        return;
    }
    closePad();
    lastX_ = stack_[0];
    const Outcome r = RpnArithmetic::apply(op, stack_[1], stack_[0]);
    if (!r.ok()) {
        fail(RpnArithmetic::operatorMessage(r.fault));
        return;
    }
    stack_[0] = r.value;
    drop();
    commonEnding();
    liftDisabled_ = false;
}

void RpnMachine::reciprocal() {
    liftDisabled_ = false;
    const bool padShown = labels_ != PadLabels::Digits;
    closePad();
    if (padShown) pad_ = PadState::Normal;
    if (pad_ != PadState::Normal) return;
    if (stack_[0] == 0) {
        fail("division by zero");
        return;
    }
    const Outcome r = RpnArithmetic::reciprocal(stack_[0]);
    lastX_ = stack_[0];
    if (!r.ok()) {
        // 1/x of a tiny subnormal leaves the range: the operators' failure, X kept.
        fail(RpnArithmetic::operatorMessage(r.fault));
        return;
    }
    stack_[0] = r.value;
    commonEnding();
}

// The pad keys: a second press closes their pad; while a store, recall or digits prompt waits
// they only end it (endPending) or do nothing; otherwise their pad opens.
void RpnMachine::togglePad(PadState pad, PadLabels labels, bool endPending) {
    if (pad_ == pad) {
        closePad();
        pad_ = PadState::Normal;
    } else if (pad_ == PadState::StorePending || pad_ == PadState::RecallPending ||
               pad_ == PadState::DigitsPrompt) {
        if (endPending) commonEnding();
    } else {
        pad_ = pad;
        labels_ = labels;
    }
}

void RpnMachine::functionsPad() {
    liftDisabled_ = false;
    entering_ = false;
    togglePad(PadState::FunctionsPad, PadLabels::Functions, true);
}

void RpnMachine::functionKey(int code) {
    if (code == kPointKey) {
        calculateFunction(kFactTemplate, 1);
        return;
    }
    if (code == kExponentKey) {
        calculateFunction(kCombTemplate, 2);
        return;
    }
    const auto f = static_cast<NativeFunction>(code);
    lastX_ = stack_[0];
    const Outcome r = RpnArithmetic::function(f, stack_[1], stack_[0], angleFactor());
    if (!r.ok()) {
        fail(RpnArithmetic::functionMessage(r.fault));
        closePad();
        return;
    }
    stack_[0] = r.value;
    if (f == NativeFunction::Percent) drop();
    commonEnding();
    closePad();
}

void RpnMachine::angleSwitch() {
    liftDisabled_ = false;
    entering_ = false;
    const bool padShown = labels_ != PadLabels::Digits;
    closePad();
    if (padShown) pad_ = PadState::Normal;
    radians_ = !radians_;
    record_.setRpnAngleMode(radians_ ? 1 : 0);
}

void RpnMachine::sto() {
    liftDisabled_ = false;
    closePad();
    clearEntryState();
    pad_ = PadState::StorePending;
    display_ = "STO _ ";
}

void RpnMachine::storeKey(int code) {
    const long double reg = record_.rpnRegister(code);
    const long double x = stack_[0];
    Outcome r{x, Fault::None};
    switch (storeArith_) {
        case StoreArithmetic::None:
            break;
        case StoreArithmetic::Subtract:
            r = RpnArithmetic::apply(Operator::Subtract, reg, x);
            break;
        case StoreArithmetic::Add:
            r = RpnArithmetic::apply(Operator::Add, reg, x);
            break;
        case StoreArithmetic::Multiply:
            r = RpnArithmetic::apply(Operator::Multiply, reg, x);
            break;
        case StoreArithmetic::Divide:
            r = RpnArithmetic::apply(Operator::Divide, reg, x);
            break;
    }
    const double stored = static_cast<double>(r.value);
    if (r.ok() && !std::isfinite(stored)) r.fault = Fault::Overflow;  // beyond the double range
    if (!r.ok()) {
        // The register, the prompt and the pending store stay as they were.
        for (const auto& t : kStoreFaultTexts)
            if (t.fault == r.fault) dialogs_.message("Tobrisk", t.text, MessageKind::Error);
        return;
    }
    record_.setRpnRegister(code, stored);
    commonEnding();
    justStored_ = true;
}

void RpnMachine::rcl() {
    closePad();
    pad_ = PadState::RecallPending;
    display_ = "RCL _ ";
}

void RpnMachine::recallKey(int code) {
    const double v = record_.rpnRegister(code);
    if (!std::isfinite(v)) {
        // Only a foreign record can hold one; it never reaches the stack.
        fail(std::isnan(v) ? "Invalid Operation" : "Out of Range");
        return;
    }
    if ((!recallReplaces_ && !liftDisabled_) || justStored_) lift();
    stack_[0] = v;
    commonEnding();
    liftDisabled_ = recallReplaces_ = false;
}

void RpnMachine::clrg() {
    liftDisabled_ = false;
    closePad();
    for (int k = 0; k < kRegisters; ++k) record_.setRpnRegister(k, 0);
    commonEnding();
}

void RpnMachine::show() {
    togglePad(PadState::ModeMenu, PadLabels::ModeMenu, true);
}

void RpnMachine::modeMenuKey(int code) {
    if (code < 7 || code > 9) return;
    pendingMode_ = static_cast<DisplayMode>(code - 7);
    closePad();
    display_ = kModePrompts[code - 7];
    pad_ = PadState::DigitsPrompt;
}

void RpnMachine::digitsKey(int code) {
    format_.set(pendingMode_, code);
    record_.setRpnDigits(code);
    record_.setRpnDisplayMode(static_cast<int>(pendingMode_));
    showX();
    clearEntryState();
    liftDisabled_ = false;
}

}  // namespace tobrisk
