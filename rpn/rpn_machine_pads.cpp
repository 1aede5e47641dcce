// The user data and user functions pads: recalling store values and calculating user functions
// (and the fact and comb templates) through the expression calculator.

#include <cmath>

#include "exprwin/data_record.h"
#include "rpn/line_calculator_port.h"
#include "rpn/rpn_machine.h"

namespace tobrisk {

namespace {

// r as the expression calculator left it: the exact twin when it holds an integer.
double resultVariable(const DataRecord& record) {
    return record.kind(1) == EntryKind::IntegerVariable ? static_cast<double>(record.intValue(1))
                                                        : record.value(1);
}

}  // namespace

void RpnMachine::userDataPad() {
    entering_ = false;
    togglePad(PadState::UserDataPad, PadLabels::UserData, false);
}

void RpnMachine::userFunctionsPad() {
    liftDisabled_ = false;
    entering_ = false;
    togglePad(PadState::UserFunctionsPad, PadLabels::UserFunctions, true);
}

void RpnMachine::userDataKey(int code) {
    const int slot = UserPads::slotOfKey(code);
    if (slot < 1 || slot > pads_.dataCount()) {
        // An empty slot recalls nothing; it only closes the pad.
        closePad();
        pad_ = PadState::Normal;
        return;
    }
    const double v = slot == 1 ? resultVariable(record_) : pads_.data(slot).value;
    if (!std::isfinite(v)) {
        fail(std::isnan(v) ? "Invalid Operation" : "Out of Range");
        closePad();
        return;
    }
    if (!recallReplaces_ && !liftDisabled_) lift();
    liftDisabled_ = recallReplaces_ = false;
    stack_[0] = v;
    closePad();
    commonEnding();
}

void RpnMachine::userFunctionKey(int code) {
    const int slot = UserPads::slotOfKey(code);
    if (slot < 1 || slot > pads_.functionCount()) {
        closePad();
        pad_ = PadState::Normal;
        return;
    }
    const auto& f = pads_.function(slot);
    calculateFunction(f.body, f.paramCount);
}

void RpnMachine::calculateFunction(const std::string& body, int paramCount) {
    // Only the levels the function reads go to double; one beyond the double range would
    // reach the line as "inf".
    std::array<double, 4> levels{};
    for (int k = 0; k < paramCount; ++k) {
        const double v = static_cast<double>(stack_[static_cast<std::size_t>(k)]);
        if (!std::isfinite(v)) {
            fail("Out of Range");
            closePad();
            return;
        }
        levels[static_cast<std::size_t>(k)] = v;
    }
    const auto line = UserPads::fillIn(body, paramCount, levels);
    if (!line) {
        fail("Invalid Function");
        closePad();
        return;
    }
    std::string message;
    if (!lines_.calculate(*line, message)) {
        display_ = message.empty() ? "Error" : message;
        clearEntryState();
        errorShown_ = true;
        closePad();
        return;
    }
    const double result = resultVariable(record_);
    if (!std::isfinite(result)) {
        fail("Out of Range");
        closePad();
        return;
    }
    lastX_ = stack_[0];
    stack_[0] = result;
    showX();
    clearEntryState();
    closePad();
    switch (paramCount) {
        case 2:
            drop();
            break;
        case 3:
            stack_[1] = stack_[3];
            stack_[2] = stack_[3];
            break;
        case 4:
            stack_[1] = stack_[2] = stack_[3] = 0;
            break;
        default:
            break;
    }
}

}  // namespace tobrisk
