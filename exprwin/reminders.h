#pragma once
// The reminders of the expression window: what its periodic timer does on each tick. A tick
// shows at most one due event (the lowest position first) in a system-modal box, removes it
// once the box is closed and refreshes the listing; then, while continuation mode is on, it
// flips the result line between the normal and the grey colour.
//
// A modal box runs a nested event loop, so the timer can fire again while it is open; such
// ticks do nothing at all (the busy flag), so neither another reminder nor the blink advances.

#include "engine/calc_context.h"
#include "engine/variable_store.h"
#include "exprwin/expression_surface.h"
#include "platform/app_services.h"

namespace tobrisk {

class Reminders {
  public:
    static constexpr const char* kCaption = "Tobrisk";

    Reminders(VariableStore& store, CalcContext& context, AppServices& services,
              ExpressionSurface& surface);

    // One tick of the window's timer.
    void tick(bool continuationOn);

    // The box text of an event: eight blanks, its time of day, " - ", the body, seven blanks.
    static std::string boxText(double time, const std::string& body);

    bool busy() const { return busy_; }
    // True in the grey phase of the blink.
    bool blinkPhase() const { return blinkPhase_; }

  private:
    void showDue(double now);
    void removeShown(int index, double time, const std::string& body);

    VariableStore& store_;
    CalcContext& context_;
    AppServices& services_;
    ExpressionSurface& surface_;
    bool busy_ = false;
    bool blinkPhase_ = false;
};

}  // namespace tobrisk
