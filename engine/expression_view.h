#pragma once
// What the line calculation needs from the window it runs in: the entry line, the result line
// and its colour, the line history, the "Automatic Soma Mode" option, the system alerts, the
// periodic timer and an immediate repaint. The Qt expression window implements it; the
// command-line front end and the tests implement it over plain strings.
//
// CommandHook is where the control commands plug in: it sees every line first and says whether
// it was a command (its output then goes into the context's message slot).

#include <optional>
#include <string>
#include <string_view>

#include "platform/alerts.h"

namespace tobrisk {

struct Rgb {
    int red = 0, green = 0, blue = 0;
    bool operator==(const Rgb&) const = default;
};

// The result line's text colour after a failure, a refusal or a command message.
inline constexpr Rgb kNoticeColour{136, 68, 34};

// Grey: the dark phase of the continuation blink.
enum class ResultColour { Normal, Notice, Grey };

class ExpressionView {
  public:
    virtual ~ExpressionView() = default;

    virtual std::string entryText() const = 0;
    // The same into a string the caller keeps: no new string for every line.
    virtual void copyEntryText(std::string& out) const { out = entryText(); }
    virtual void setEntryText(const std::string& text) = 0;
    virtual void selectAllEntry() = 0;

    virtual std::string resultText() const = 0;
    virtual void setResultText(const std::string& text) = 0;
    // Normal: the user's font colour; Notice: kNoticeColour.
    virtual void setResultColour(ResultColour colour) = 0;

    // The entry line's drop-down list, oldest first.
    virtual void addHistory(const std::string& line) = 0;
    virtual std::optional<std::string> lastHistoryItem() const = 0;
    // The same question without a copy where the window can answer it in place.
    virtual bool lastHistoryIs(std::string_view line) const {
        auto last = lastHistoryItem();
        return last && *last == line;
    }
    virtual void clearHistory() = 0;

    virtual bool automaticSomaMode() const = 0;
    virtual void alert(AlertKind kind) = 0;
    // The window timer: 10000 ms normally, 500 ms while continuation mode blinks.
    virtual void setTimerInterval(int milliseconds) = 0;
    // Paint the window now (before a long factorisation).
    virtual void repaint() = 0;
};

class CommandHook {
  public:
    virtual ~CommandHook() = default;
    // True when `line` was a control command; it has then written its output, if any, into the
    // message slot, and the line is not calculated.
    virtual bool handleCommand(const std::string& line) = 0;
};

// Until the control commands exist: every line is an expression.
class NoCommands : public CommandHook {
  public:
    bool handleCommand(const std::string&) override { return false; }
};

}  // namespace tobrisk
