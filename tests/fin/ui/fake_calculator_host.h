#pragma once
// A shell stand-in for window tests: records what the window asked of it.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "shell/calculator_host.h"

namespace tobrisk::testing {

class FakeCalculatorHost : public CalculatorHost {
  public:
    void switchCalculator(Calculator from, Calculator to) override {
        switches.emplace_back(from, to);
    }
    void closeFrom(Calculator from) override {
        closes.push_back(from);
        closingFlag = true;
    }
    bool closing() const override { return closingFlag; }
    void showBuiltInHelp(Calculator which) override { helps.push_back(which); }
    void openHelpFile() override { ++helpFiles; }
    void showAbout() override { ++abouts; }
    void chooseExpressionFont() override {
        ++fontRequests;
        if (onChooseFont) onChooseFont();
    }
    bool calculateExpressionLine(const std::string&, std::string&) override { return false; }

    std::vector<std::pair<Calculator, Calculator>> switches;
    std::vector<Calculator> closes;
    std::vector<Calculator> helps;
    int helpFiles = 0, abouts = 0, fontRequests = 0;
    bool closingFlag = false;
    std::function<void()> onChooseFont;
};

}  // namespace tobrisk::testing
