// Any bytes as the financial calculator's input: field texts typed, modes, timings, periods per
// rate, solves of any field and "Shows more precision", in any order. No field the program
// writes may ever show an infinity or a NaN.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fin/financial_model.h"
#include "platform/fakes.h"

namespace {

using namespace tobrisk;

class TextView : public FinancialView {
  public:
    std::string fieldText(int field) const override { return fields.at(index(field)); }
    void setFieldText(int field, const std::string& text) override {
        fields.at(index(field)) = text;
    }
    void focusField(int) override {}
    void showMessage(const std::string&) override {}
    void applyLayout(const FinancialLayout&) override {}
    void selectEndOfPeriod() override {}
    std::array<std::string, 6> fields;

  private:
    static std::size_t index(int f) { return static_cast<std::size_t>(f < 0 ? 0 : f > 5 ? 5 : f); }
};

bool showsFault(const std::string& s) {
    for (const char* bad : {"nan", "NaN", "inf", "INF", "Inf"})
        if (s.find(bad) != std::string::npos) return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FakeAlerts alerts;
    TextView view;
    FinancialModel model(view, alerts, '.');
    model.loadSettings(data && size ? data[0] & 1 : 1, size > 1 ? data[1] & 1 : 1, 12);
    model.finishInitialising();
    // Commands are separated by 0xFF; the first byte of each says what it is.
    std::array<std::string, 6> typed;  // a text the user typed may say anything
    std::size_t i = 2;
    while (i < size) {
        std::size_t j = i;
        while (j < size && data[j] != 0xFF) ++j;
        const uint8_t op = data[i];
        const std::string arg(reinterpret_cast<const char*>(data + i + 1),
                              j > i + 1 ? j - i - 1 : 0);
        const int field = op % 6;
        switch ((op / 6) % 6) {
            case 0:
            case 1:
                view.fields[static_cast<std::size_t>(field)] = arg;
                typed[static_cast<std::size_t>(field)] = arg;
                model.markChanged(field, true);
                break;
            case 2:
                model.solve(field);
                break;
            case 3:
                model.modeChange(static_cast<FinancialModel::Mode>(field % 4));
                break;
            case 4:
                model.setPeriodsPerRate(arg.empty() ? field : static_cast<unsigned char>(arg[0]));
                break;
            default:
                model.showMorePrecision();
                break;
        }
        for (std::size_t f = 0; f < view.fields.size(); ++f)
            if (view.fields[f] != typed[f] && showsFault(view.fields[f])) __builtin_trap();
        i = j + 1;
    }
    return 0;
}
