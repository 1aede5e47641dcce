#include "exprwin/expression_controller.h"

namespace tobrisk {

struct ExpressionController::Engine {};

ExpressionController::ExpressionController(DataRecord& record, AppServices& services,
                                           ExpressionSurface& surface)
    : record_(record),
      services_(services),
      surface_(surface),
      engine_(std::make_unique<Engine>()) {}

ExpressionController::~ExpressionController() = default;

void ExpressionController::start() {
    // The saved unit is applied by starting from the opposite one and toggling once.
    degrees_ = record_.slot(layout::kAngleUnit) != 1;
    toggleAngleUnit();
    refreshListing();
}

void ExpressionController::applyOptions() {}

void ExpressionController::gatherOptions(DataRecord& record) const {
    record.setSlot(layout::kAngleUnit, degrees_ ? 1 : 0);
}

std::string ExpressionController::caption() const {
    return std::string("Tobrisk         ") + (degrees_ ? "d" : "r");
}

void ExpressionController::toggleAngleUnit() {
    degrees_ = !degrees_;
}

bool ExpressionController::calculateLine(bool) {
    return false;
}
bool ExpressionController::calculateForRpn(const std::string&) {
    return false;
}
void ExpressionController::factorInteger() {}
void ExpressionController::setDecimalPlaces(int d) {
    record_.setSlot(layout::kDecimalPlaces, d);
}
void ExpressionController::setAutomaticDecimals() {
    record_.setSlot(layout::kDecimalPlaces, -1);
}
void ExpressionController::showTrace() {}
void ExpressionController::timerTick() {}
void ExpressionController::refreshListing() {}

}  // namespace tobrisk
