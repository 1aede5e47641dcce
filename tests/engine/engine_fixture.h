#pragma once
// A whole expression engine over a fresh data record and a recording view, for the tests of the
// evaluator and the line calculation.

#include <optional>
#include <string>
#include <vector>

#include "engine/calc_context.h"
#include "engine/expression_view.h"
#include "engine/line_calculation.h"
#include "engine/variable_store.h"
#include "exprwin/data_record.h"

namespace tobrisk::test {

class RecordingView : public ExpressionView {
  public:
    std::string entryText() const override { return entry; }
    void setEntryText(const std::string& t) override { entry = t; }
    void selectAllEntry() override { ++selectAlls; }
    std::string resultText() const override { return result; }
    void setResultText(const std::string& t) override { result = t; }
    void setResultColour(ResultColour c) override { colour = c; }
    void addHistory(const std::string& line) override { history.push_back(line); }
    std::optional<std::string> lastHistoryItem() const override {
        if (history.empty()) return std::nullopt;
        return history.back();
    }
    void clearHistory() override { history.clear(); }
    bool automaticSomaMode() const override { return soma; }
    void alert(AlertKind kind) override { alerts.push_back(kind); }
    void setTimerInterval(int ms) override { interval = ms; }
    void repaint() override { repaints.push_back(result); }

    std::string entry, result;
    ResultColour colour = ResultColour::Normal;
    std::vector<std::string> history, repaints;
    std::vector<AlertKind> alerts;
    bool soma = false;
    int interval = 10000;
    int selectAlls = 0;
};

struct Engine {
    DataRecord record;
    VariableStore store;
    CalcContext ctx;
    RecordingView view;
    NoCommands commands;
    LineCalculation calc;

    Engine() : store(fresh(record)), calc(ctx, store, view, commands) {}

    // Types `line` and presses Enter; returns the result line.
    std::string enter(const std::string& line) {
        view.entry = line;
        view.alerts.clear();
        calc.calculateLine();
        return view.result;
    }
    std::string fraction(const std::string& line) {
        view.entry = line;
        view.alerts.clear();
        calc.calculateInFractionMode();
        return view.result;
    }
    int index(const std::string& name) const { return store.find(name); }

  private:
    static DataRecord& fresh(DataRecord& r) {
        r.fillNew(NewRecordContext{});
        return r;
    }
};

}  // namespace tobrisk::test
