#pragma once
// What the expression calculator's logic needs of its window: the two lines, the history, the
// listing, the timer and the caption. The Qt window implements it; the command-line front end
// and tests implement it over plain strings.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/expression_view.h"

namespace tobrisk {

class ExpressionSurface {
  public:
    virtual ~ExpressionSurface() = default;
    virtual std::string entryText() const = 0;  // Windows-1252
    // The same into a string the caller keeps, for the per-line path.
    virtual void copyEntryText(std::string& out) const { out = entryText(); }
    virtual void setEntryText(const std::string& text) = 0;
    virtual void selectAllEntry() = 0;
    virtual std::string resultText() const = 0;
    virtual void setResultText(const std::string& text) = 0;
    virtual void setResultColour(ResultColour c) = 0;
    virtual void addHistory(const std::string& line) = 0;
    virtual void clearHistory() = 0;
    virtual std::vector<std::string> history() const = 0;
    virtual std::optional<std::string> lastHistoryItem() const {
        auto h = history();
        if (h.empty()) return std::nullopt;
        return h.back();
    }
    // Whether the newest history line is `line`, asked on every calculated line.
    virtual bool lastHistoryIs(std::string_view line) const {
        auto last = lastHistoryItem();
        return last && *last == line;
    }
    virtual void setListing(const std::vector<std::string>& lines) = 0;  // keeps the result text
    virtual void setTimerInterval(int ms) = 0;
    virtual void repaintNow() = 0;  // shows "Factoring..." before a long computation
    virtual void setCaption(const std::string& caption) = 0;
};

}  // namespace tobrisk
