// CalculateLine from the typed text to the result text, on a fixed mix of typical lines:
// arithmetic, native functions, assignments, user function calls and fraction mode.

#include <benchmark/benchmark.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/calc_context.h"
#include "engine/expression_view.h"
#include "engine/line_calculation.h"
#include "engine/variable_store.h"
#include "exprwin/data_record.h"

namespace {

using namespace tobrisk;

class BenchView : public ExpressionView {
  public:
    std::string entryText() const override { return entry; }
    void setEntryText(const std::string& t) override { entry = t; }
    void selectAllEntry() override {}
    std::string resultText() const override { return result; }
    void setResultText(const std::string& t) override { result = t; }
    void setResultColour(ResultColour) override {}
    void addHistory(const std::string& line) override {
        // Keep the history short: the window's list is not what is measured.
        if (history.size() > 64) history.clear();
        history.push_back(line);
    }
    std::optional<std::string> lastHistoryItem() const override {
        if (history.empty()) return std::nullopt;
        return history.back();
    }
    void clearHistory() override { history.clear(); }
    bool automaticSomaMode() const override { return false; }
    void alert(AlertKind) override {}
    void setTimerInterval(int) override {}
    void repaint() override {}

    std::string entry, result;
    std::vector<std::string> history;
};

struct Line {
    const char* text;
    bool fraction;
};

const Line kMix[] = {
    {"1+2*3", false},
    {"(17-5)/4", false},
    {"2^10-1", false},
    {"123456789*987654321", false},
    {"sin(30)+cos(60)", false},
    {"sqrt(2)*log(8, 2)", false},
    {"x = 12", false},
    {"y = x*3+1", false},
    {"x*y-7; r/2", false},
    {"sq(7)+1", false},
    {"f(2, 3)", false},
    {"fact(10)/comb(10, 3)", false},
    {"gcd(84, 36) + mod(17, 5)", false},
    {"round(2.5) + 0.1", false},
    {"rand(6)*0+1", false},
    {"1/2+1/3", true},
    {"3/4*2/5", true},
};

struct Engine {
    DataRecord record;
    VariableStore store;
    CalcContext ctx;
    BenchView view;
    NoCommands commands;
    LineCalculation calc;

    Engine() : store(initialised(record)), calc(ctx, store, view, commands) {
        for (const char* def :
             {"sq = \"t^2\"", "f = \"a*b+a\"", "a = 1", "b = 2", "t = 3", "x = 12", "y = 37"}) {
            view.entry = def;
            calc.calculateLine();
        }
    }
    static DataRecord& initialised(DataRecord& r) {
        r.fillNew(NewRecordContext{});
        return r;
    }
};

void calculateLineMix(benchmark::State& state) {
    Engine e;
    std::size_t k = 0, chars = 0;
    for (auto _ : state) {
        const Line& line = kMix[k];
        if (++k == std::size(kMix)) k = 0;
        e.view.entry = line.text;
        if (line.fraction) {
            e.calc.calculateInFractionMode();
        } else {
            e.calc.calculateLine();
        }
        chars += e.view.result.size();
    }
    benchmark::DoNotOptimize(chars);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(calculateLineMix);

// Each line of the mix on its own.
void calculateOneLine(benchmark::State& state) {
    Engine e;
    const Line& line = kMix[state.range(0)];
    for (auto _ : state) {
        e.view.entry = line.text;
        if (line.fraction) {
            e.calc.calculateInFractionMode();
        } else {
            e.calc.calculateLine();
        }
    }
    state.SetLabel(std::string(line.text) + " -> " + e.view.result);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(calculateOneLine)->DenseRange(0, static_cast<int>(std::size(kMix)) - 1);

}  // namespace
