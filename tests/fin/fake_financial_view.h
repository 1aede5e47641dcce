#pragma once
// A window stand-in for the financial model: plain field texts, and a record of the messages,
// focus moves and layouts the model asked for.

#include <array>
#include <string>
#include <vector>

#include "fin/financial_model.h"
#include "fin/financial_view.h"
#include "platform/fakes.h"

namespace tobrisk::testing {

class FakeFinancialView : public FinancialView {
  public:
    std::string fieldText(int field) const override {
        return texts[static_cast<std::size_t>(field)];
    }
    void setFieldText(int field, const std::string& text) override {
        texts[static_cast<std::size_t>(field)] = text;
    }
    void focusField(int field) override { focus = field; }
    void showMessage(const std::string& text) override { messages.push_back(text); }
    void applyLayout(const FinancialLayout& l) override { layouts.push_back(l); }
    void selectEndOfPeriod() override { ++endSelections; }

    std::array<std::string, 6> texts;
    std::vector<std::string> messages;
    std::vector<FinancialLayout> layouts;
    int focus = -1;
    int endSelections = 0;
};

// A model as the window has it after its first show.
struct FinancialFixture {
    explicit FinancialFixture(int type = 1, int timing = 1, int periods = 1, char decimal = '.')
        : model(view, alerts, decimal) {
        model.loadSettings(type, timing, periods);
        model.modeChange(type == 0 ? FinancialModel::Mode::ConsumerCredit
                                   : FinancialModel::Mode::GenericFormula);
        model.modeChange(timing == 0 ? FinancialModel::Mode::StartOfPeriod
                                     : FinancialModel::Mode::EndOfPeriod);
        model.setPeriodsPerRate(periods);
        model.finishInitialising();
    }
    // The user types a whole field.
    void type(int field, const std::string& text) {
        view.texts[static_cast<std::size_t>(field)] = text;
        model.markChanged(field, true);
    }
    std::string text(int field) const { return view.texts[static_cast<std::size_t>(field)]; }

    FakeFinancialView view;
    FakeAlerts alerts;
    FinancialModel model;
};

}  // namespace tobrisk::testing
