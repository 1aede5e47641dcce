#pragma once
// The two control commands of the expression window's entry line and the window's timer:
//   note MINUTES text | note HH:MM text | note H am|pm text | note H:MM am|pm text
//       schedules a reminder (an event of the variable store), at most 12 hours ahead;
//   del|delete NAME | H:M:S | vars | hist | historic
//       removes a variable or function, the event due at that time, everything, or the history.
// The line calculation offers every line to recognise() before the lexer. A command reports
// only through the result line (its text also goes into the context's message slot); the
// caller then shows it in the notice colour with the information sound and keeps the line
// out of the history. Nothing is thrown out of these functions. After every change of the
// store the listing of the result line is rebuilt at once.

#include <string>

#include "engine/expression_view.h"
#include "exprwin/reminders.h"

namespace tobrisk {

class ControlCommands : public CommandHook {
  public:
    static constexpr const char* kVarsQuestion =
        "This will delete all variables, functions and notes of Tobrisk";

    ControlCommands(VariableStore& store, CalcContext& context, AppServices& services,
                    ExpressionSurface& surface);
    ControlCommands(const ControlCommands&) = delete;
    ControlCommands& operator=(const ControlCommands&) = delete;

    // Runs the line when it is a command (case-sensitive: "del ", "delete " or "note "
    // followed, after blanks, by a-z or 0-9); true when it was one.
    bool recognise(const std::string& line);
    // The line calculation's hook: the same as recognise().
    bool handleCommand(const std::string& line) override { return recognise(line); }

    // The commands themselves, for a line that starts (after blanks) with their keyword.
    void addNote(const std::string& line);
    void deleteTarget(const std::string& line);

    // The window timer's tick (see Reminders).
    void timerTick(bool continuationOn) { reminders_.tick(continuationOn); }
    Reminders& reminders() { return reminders_; }

  private:
    void show(const std::string& text);
    void refreshListing();
    std::string scheduleNote(const std::string& line);
    std::string deleteEntry(const std::string& target);

    VariableStore& store_;
    CalcContext& context_;
    AppServices& services_;
    ExpressionSurface& surface_;
    Reminders reminders_;
};

}  // namespace tobrisk
