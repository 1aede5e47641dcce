// tobrisk-cli --rpn: each input line is a row of RPN key names pressed in order; after it the
// display text is printed. ":stack", ":lastx" and ":reg K" print machine state instead.

#include <cmath>
#include <functional>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "cli/cli_modes.h"
#include "engine/calc_context.h"
#include "engine/expression_view.h"
#include "engine/line_calculation.h"
#include "engine/variable_store.h"
#include "exprwin/data_record.h"
#include "exprwin/record_files.h"
#include "platform/app_services.h"
#include "platform/fakes.h"
#include "platform/qt/system_services.h"
#include "platform/qt/text_encoding.h"
#include "rpn/line_calculator_port.h"
#include "rpn/rpn_machine.h"

namespace tobrisk::cli {

namespace {

// Error boxes on stderr, other boxes on stdout; no dialog ever waits.
class CliDialogs : public Dialogs {
  public:
    CliDialogs(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
    void message(const std::string&, const std::string& text, MessageKind kind, bool) override {
        std::string shown = cp1252ToUtf8(text);
        for (char& c : shown)
            if (c == '\r' || c == '\n') c = ' ';
        if (kind == MessageKind::Error) {
            out_.flush();
            err_ << "error: " << shown << '\n';
        } else {
            out_ << "message: " << shown << '\n';
        }
    }
    bool askOkCancel(const std::string& caption, const std::string& text) override {
        message(caption, text, MessageKind::Plain, false);
        return true;
    }
    std::optional<FontSpec> chooseFont(const FontSpec&, int, int) override { return {}; }
    std::optional<std::string> openFile(const FileDialogSpec&) override { return {}; }
    std::optional<std::string> saveFile(const FileDialogSpec&) override { return {}; }

  private:
    std::ostream& out_;
    std::ostream& err_;
};

// The expression window as the RPN calculator borrows it: an entry line and a result line over
// plain strings.
class EngineView : public ExpressionView {
  public:
    explicit EngineView(Alerts& alerts) : alerts_(alerts) {}
    std::string entryText() const override { return entry_; }
    void setEntryText(const std::string& text) override { entry_ = text; }
    void selectAllEntry() override {}
    std::string resultText() const override { return result_; }
    void setResultText(const std::string& text) override { result_ = text; }
    void setResultColour(ResultColour) override {}
    void addHistory(const std::string& line) override { last_ = line; }
    std::optional<std::string> lastHistoryItem() const override {
        if (last_.empty()) return std::nullopt;
        return last_;
    }
    void clearHistory() override { last_.clear(); }
    bool automaticSomaMode() const override { return false; }
    void alert(AlertKind kind) override { alerts_.play(kind); }
    void setTimerInterval(int) override {}
    void repaint() override {}

  private:
    Alerts& alerts_;
    std::string entry_, result_, last_;
};

// User functions, fact and comb through the expression engine's line calculation, over the
// store of the loaded record.
class EngineLines : public LineCalculatorPort {
  public:
    EngineLines(DataRecord& record, Alerts& alerts)
        : store_(record), view_(alerts), calc_(ctx_, store_, view_, commands_) {
        ctx_.forms.setSeparators(Separators{'.', ','});
        ctx_.angleFactor =
            record.slot(layout::kAngleUnit) == 0 ? CalcContext::kRadians : CalcContext::kDegrees;
        ctx_.forms.setDecimalPlaces(record.slot(layout::kDecimalPlaces));
        ctx_.forms.setIntegersWithoutDecimals(record.slot(layout::kIntegersWithoutDecimals) == 1);
        calc_.setFactorBig(record.slot(layout::kFactorBig) == 1);
    }
    bool calculate(const std::string& line, std::string& message) override {
        view_.setEntryText(line);
        if (calc_.calculateLine(false)) return true;
        message = view_.resultText();
        return false;
    }

  private:
    VariableStore store_;
    CalcContext ctx_;
    EngineView view_;
    NoCommands commands_;
    LineCalculation calc_;
};

using KeyStep = std::function<void(RpnMachine&)>;

struct NamedKey {
    std::string_view name;
    KeyStep step;
};

const NamedKey* findKey(std::string_view name) {
    static const NamedKey kKeys[] = {
        {"0", [](RpnMachine& m) { m.key(0); }},
        {"1", [](RpnMachine& m) { m.key(1); }},
        {"2", [](RpnMachine& m) { m.key(2); }},
        {"3", [](RpnMachine& m) { m.key(3); }},
        {"4", [](RpnMachine& m) { m.key(4); }},
        {"5", [](RpnMachine& m) { m.key(5); }},
        {"6", [](RpnMachine& m) { m.key(6); }},
        {"7", [](RpnMachine& m) { m.key(7); }},
        {"8", [](RpnMachine& m) { m.key(8); }},
        {"9", [](RpnMachine& m) { m.key(9); }},
        {".", [](RpnMachine& m) { m.key(RpnMachine::kPointKey); }},
        {"E", [](RpnMachine& m) { m.key(RpnMachine::kExponentKey); }},
        {"Enter", [](RpnMachine& m) { m.enter(); }},
        {"clx", [](RpnMachine& m) { m.clx(); }},
        {"clst", [](RpnMachine& m) { m.clst(); }},
        {"x-y", [](RpnMachine& m) { m.swapXY(); }},
        {"rolld", [](RpnMachine& m) { m.rollDown(); }},
        {"rollu", [](RpnMachine& m) { m.rollUp(); }},
        {"lastx", [](RpnMachine& m) { m.lastX(); }},
        {"chs", [](RpnMachine& m) { m.chs(); }},
        {"del", [](RpnMachine& m) { m.del(); }},
        {"+", [](RpnMachine& m) { m.arithmetic(Operator::Add); }},
        {"-", [](RpnMachine& m) { m.arithmetic(Operator::Subtract); }},
        {"x", [](RpnMachine& m) { m.arithmetic(Operator::Multiply); }},
        {"/", [](RpnMachine& m) { m.arithmetic(Operator::Divide); }},
        {"^", [](RpnMachine& m) { m.arithmetic(Operator::Power); }},
        {"1/x", [](RpnMachine& m) { m.reciprocal(); }},
        {"func", [](RpnMachine& m) { m.functionsPad(); }},
        {"deg", [](RpnMachine& m) { m.angleSwitch(); }},
        {"sto", [](RpnMachine& m) { m.sto(); }},
        {"rcl", [](RpnMachine& m) { m.rcl(); }},
        {"clrg", [](RpnMachine& m) { m.clrg(); }},
        {"show", [](RpnMachine& m) { m.show(); }},
        {"udata", [](RpnMachine& m) { m.userDataPad(); }},
        {"ufunc", [](RpnMachine& m) { m.userFunctionsPad(); }},
    };
    for (const auto& k : kKeys)
        if (k.name == name) return &k;
    return nullptr;
}

std::string stripLineEnd(std::string line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    return line;
}

}  // namespace

int runRpnMode(std::istream& in, std::ostream& out, std::ostream& err, const Options& o) {
    FakeAlerts alerts;
    // Standard output is flushed first, so that a terminal showing both keeps the order.
    alerts.onPlay = [&out, &err](AlertKind k) {
        out.flush();
        err << "alert: " << alertName(k) << '\n';
    };
    CliDialogs dialogs(out, err);
    SystemClock clock;
    AppServices services{alerts, dialogs, clock, Separators{}, programFolder(), o.dataDir};

    DataRecord record;
    RecordFiles files(record, services);
    NewRecordContext ctx;
    ctx.today = std::floor(clock.now());
    ctx.programFolder = utf8ToCp1252(services.programFolder);
    files.loadAtStart(ctx);

    EngineLines lines(record, alerts);
    RpnMachine machine(record, alerts, dialogs, lines, Separators{});
    machine.windowShown();
    const DisplayFormat general;  // "." and "," whatever the locale

    std::string line;
    while (std::getline(in, line)) {
        line = stripLineEnd(line);
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (word == ":stack") {
            out << machine.stackField(4) << " | " << machine.stackField(3) << " | "
                << machine.stackField(2) << " | " << machine.stackField(1) << '\n';
            continue;
        }
        if (word == ":lastx") {
            out << general.general(machine.lastXValue()) << '\n';
            continue;
        }
        if (word == ":reg") {
            int k = -1;
            if (!(words >> k) || k < 0 || k >= RpnMachine::kRegisters) {
                out.flush();
                err << "error: :reg needs a register number 0..11\n";
                out << '\n';
                continue;
            }
            out << general.general(machine.storageRegister(k)) << '\n';
            continue;
        }
        words.clear();
        words.str(line);
        while (words >> word) {
            if (const NamedKey* k = findKey(word)) {
                k->step(machine);
                continue;
            }
            out.flush();
            err << "error: unknown key \"" << word << "\"\n";
        }
        out << cp1252ToUtf8(machine.display()) << '\n';
    }
    out.flush();
    const bool saved = files.saveAtClose([] {});
    out.flush();
    return saved ? 0 : 1;
}

}  // namespace tobrisk::cli
