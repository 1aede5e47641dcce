#pragma once
// The reminders of the expression window: what its periodic timer does on each tick. A tick
// shows at most one due event (the lowest position first) in a system-modal box, removes it
// once the box is closed and refreshes the listing; then, while continuation mode is on, it
// flips the result line between the normal and the grey colour.
//
// A modal box runs a nested event loop, so the timer can fire again while it is open; such
// ticks do nothing at all (the busy flag), so neither another reminder nor the blink advances.

#include <string>

namespace tobrisk {

// Held by reference only: a window may include these headers next to the engine's own.
class VariableStore;
struct CalcContext;
struct AppServices;
class ExpressionSurface;

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
