#pragma once
// An ExpressionSurface over plain strings: the expression window as the command-line front
// end, the fuzzers and the tests see it.

#include <string>
#include <vector>

#include "exprwin/expression_surface.h"
#include "exprwin/line_history.h"

namespace tobrisk {

class TextSurface : public ExpressionSurface {
  public:
    std::string entryText() const override { return entry; }
    void copyEntryText(std::string& out) const override { out = entry; }
    void setEntryText(const std::string& text) override { entry = text; }
    void selectAllEntry() override {}
    std::string resultText() const override { return result; }
    void setResultText(const std::string& text) override { result = text; }
    void setResultColour(ResultColour c) override { colour = c; }
    void addHistory(const std::string& line) override { lines.push_back(line); }
    void clearHistory() override { lines.clear(); }
    std::vector<std::string> history() const override { return lines.toVector(); }
    std::optional<std::string> lastHistoryItem() const override {
        if (lines.empty()) return std::nullopt;
        return std::string(lines.back());
    }
    bool lastHistoryIs(std::string_view line) const override {
        return !lines.empty() && lines.back() == line;
    }
    void setListing(const std::vector<std::string>& l) override { listing = l; }
    void setTimerInterval(int ms) override { interval = ms; }
    void repaintNow() override {}
    void setCaption(const std::string& c) override { caption = c; }

    std::string entry, result, caption;
    ResultColour colour = ResultColour::Normal;
    LineHistory lines;
    std::vector<std::string> listing;
    int interval = 10000;
};

}  // namespace tobrisk
