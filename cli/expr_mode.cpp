// tobrisk-cli's expression mode: every input line is typed into the entry line and calculated
// as by Enter; lines starting with ':' are the window's commands (see README). One output line
// per input line: the result line's text after the line was handled.

#include <cmath>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

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

namespace tobrisk::cli {

namespace {

bool isAscii(const std::string& s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

// Terminal text is UTF-8, the engine's is Windows-1252; plain ASCII needs no conversion.
std::string toEngine(const std::string& utf8) {
    return isAscii(utf8) ? utf8 : utf8ToCp1252(utf8);
}
std::string toTerminal(const std::string& cp1252) {
    return isAscii(cp1252) ? cp1252 : cp1252ToUtf8(cp1252);
}

// The expression window over plain strings; alerts go to the platform's (recording) alerts.
class CliView : public ExpressionView {
  public:
    explicit CliView(Alerts& alerts) : alerts_(alerts) {}

    std::string entryText() const override { return entry_; }
    void setEntryText(const std::string& text) override { entry_ = text; }
    void selectAllEntry() override {}
    std::string resultText() const override { return result_; }
    void setResultText(const std::string& text) override { result_ = text; }
    void setResultColour(ResultColour colour) override { colour_ = colour; }
    void addHistory(const std::string& line) override { history_.push_back(line); }
    std::optional<std::string> lastHistoryItem() const override {
        if (history_.empty()) return std::nullopt;
        return history_.back();
    }
    void clearHistory() override { history_.clear(); }
    bool automaticSomaMode() const override { return soma_; }
    void alert(AlertKind kind) override { alerts_.play(kind); }
    void setTimerInterval(int milliseconds) override { interval_ = milliseconds; }
    void repaint() override {}

    void setSoma(bool on) { soma_ = on; }
    const std::vector<std::string>& history() const { return history_; }

  private:
    Alerts& alerts_;
    std::string entry_, result_;
    ResultColour colour_ = ResultColour::Normal;
    std::vector<std::string> history_;
    bool soma_ = false;
    int interval_ = LineCalculation::kNormalInterval;
};

// The system clock until ":now" fixes it.
class CliClock : public Clock {
  public:
    double now() const override { return fixed_ ? *fixed_ : system_.now(); }
    void set(double t) { fixed_ = t; }

  private:
    SystemClock system_;
    std::optional<double> fixed_;
};

// "YYYY-MM-DD HH:MM:SS" as a date-time double.
std::optional<double> parseDateTime(const std::string& text) {
    int y, mo, d, h, mi, sec;
    char tail;
    if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d%c", &y, &mo, &d, &h, &mi, &sec, &tail) != 6)
        return std::nullopt;
    if (mo < 1 || mo > 12 || d < 1 || d > 31 || h < 0 || h > 23 || mi < 0 || mi > 59 || sec < 0 ||
        sec > 59)
        return std::nullopt;
    return encodeDateTime(y, mo, d, h, mi, sec);
}

std::optional<bool> yesNo(const std::string& arg) {
    if (arg == "yes") return true;
    if (arg == "no") return false;
    return std::nullopt;
}

struct Session {
    DataRecord& record;
    RecordFiles& files;
    FakeDialogs& dialogs;
    CliClock& clock;
    CalcContext& ctx;
    VariableStore& store;
    CliView& view;
    LineCalculation& calc;
    std::ostream& out;
    std::ostream& err;

    void printList(const std::vector<std::string>& items) {
        for (const std::string& s : items) out << toTerminal(s) << '\n';
        out << '\n';
    }

    // A ':' line; false when it is no command (reported on err).
    void command(const std::string& line) {
        const std::size_t space = line.find(' ');
        const std::string name = line.substr(1, space == std::string::npos ? line.npos : space - 1);
        const std::string arg = space == std::string::npos ? std::string() : line.substr(space + 1);
        if (name == "frac") {
            view.setEntryText(toEngine(arg));
            calc.calculateInFractionMode();
        } else if (name == "factor") {
            view.setEntryText(toEngine(arg));
            calc.factorInteger();
        } else if (name == "decimals" && arg == "auto") {
            view.setResultText(ctx.redisplayAutomatic());
        } else if (name == "decimals" && arg.size() == 1 && arg[0] >= '0' && arg[0] <= '9') {
            view.setResultText(ctx.redisplay(arg[0] - '0'));
        } else if (name == "degrees" && arg.empty()) {
            ctx.angleFactor = CalcContext::kDegrees;
        } else if (name == "radians" && arg.empty()) {
            ctx.angleFactor = CalcContext::kRadians;
        } else if (name == "soma" && yesNo(arg)) {
            view.setSoma(*yesNo(arg));
        } else if (name == "factorbig" && yesNo(arg)) {
            calc.setFactorBig(*yesNo(arg));
        } else if (name == "intnodec" && yesNo(arg)) {
            ctx.forms.setIntegersWithoutDecimals(*yesNo(arg));
        } else if (name == "trace" && arg.empty()) {
            view.setResultText(ctx.lastPostfixTrace);
        } else if (name == "listing" && arg.empty()) {
            printList(store.listing());
            return;
        } else if (name == "history" && arg.empty()) {
            printList(view.history());
            return;
        } else if (name == "entry" && arg.empty()) {
            out << toTerminal(view.entryText()) << '\n';
            return;
        } else if (name == "now" && parseDateTime(arg)) {
            clock.set(*parseDateTime(arg));
        } else if (name == "tick" && arg.empty()) {
            // The window timer's tick: reminders and the continuation blink come with the
            // control commands; nothing else happens on a tick.
        } else if (name == "answer" && (arg == "ok" || arg == "cancel")) {
            dialogs.answers.push_back(arg == "ok");
        } else if (name == "open" && !arg.empty()) {
            dialogs.openPaths.push_back(arg);
            files.open([this] {
                store.rebuildFunctionNames();
                applyOptions(false);
                store.refreshListing(ctx.forms);
            });
            dialogs.openPaths.clear();
        } else if (name == "saveas" && !arg.empty()) {
            dialogs.savePaths.push_back(arg);
            files.saveAs([this] { gatherOptions(); });
            dialogs.savePaths.clear();
        } else {
            out.flush();
            err << "error: unknown command " << line << '\n';
        }
        out << toTerminal(view.resultText()) << '\n';
    }

    // Options from the record, as the window applies them at creation (with the angle unit)
    // and after a configuration was loaded (without it).
    void applyOptions(bool withAngle) {
        using namespace layout;
        if (withAngle)
            ctx.angleFactor =
                record.slot(kAngleUnit) == 0 ? CalcContext::kRadians : CalcContext::kDegrees;
        ctx.forms.setDecimalPlaces(record.slot(kDecimalPlaces));
        ctx.forms.setIntegersWithoutDecimals(record.slot(kIntegersWithoutDecimals) == 1);
        calc.setFactorBig(record.slot(kFactorBig) == 1);
        view.setSoma(record.slot(kAutoSoma) == 1);
    }

    void gatherOptions() {
        using namespace layout;
        record.setSlot(kAngleUnit, ctx.angleFactor == CalcContext::kRadians ? 0 : 1);
        record.setSlot(kDecimalPlaces, ctx.forms.decimalPlaces());
        record.setSlot(kIntegersWithoutDecimals, ctx.forms.integersWithoutDecimals() ? 1 : 0);
        record.setSlot(kFactorBig, calc.factorBig() ? 1 : 0);
        record.setSlot(kAutoSoma, view.automaticSomaMode() ? 1 : 0);
    }
};

}  // namespace

int runExpressionMode(std::istream& in, std::ostream& out, std::ostream& err, const Options& o) {
    FakeAlerts alerts;
    // Standard output is flushed first, so that a terminal showing both streams keeps the order.
    alerts.onPlay = [&out, &err](AlertKind kind) {
        out.flush();
        err << "alert: " << alertName(kind) << '\n';
    };
    FakeDialogs dialogs;
    dialogs.onMessage = [&out](const RecordedMessage& m) {
        std::string text = m.text;
        for (char& c : text)
            if (c == '\r') c = ' ';
        out << "message: " << text << '\n';
    };
    CliClock clock;
    const Separators separators{'.', ','};
    AppServices services{alerts, dialogs, clock, separators, programFolder(), o.dataDir};

    DataRecord record;
    RecordFiles files(record, services);
    NewRecordContext fresh;
    fresh.today = std::floor(clock.now());
    fresh.programFolder = utf8ToCp1252(services.programFolder);
    fresh.separators = separators;
    const LoadOutcome loaded = files.loadAtStart(fresh);

    VariableStore store(record);
    CalcContext ctx;
    ctx.forms.setSeparators(separators);
    CliView view(alerts);
    NoCommands commands;
    LineCalculation calc(ctx, store, view, commands);
    Session session{record, files, dialogs, clock, ctx, store, view, calc, out, err};
    session.applyOptions(true);
    store.refreshListing(ctx.forms);
    if (loaded.created) {
        view.addHistory("(pi/2)^2.5 + sqrt(2)");
        view.addHistory("2+2");
        view.setEntryText("2+2");
        view.setResultText("4");
    }

    // Output is flushed only when no more input is waiting: at once when typing, in large
    // blocks when reading a file (flushing per line would cost a system call per line).
    std::ostream* tied = in.tie(nullptr);
    std::string line;
    for (;;) {
        if (in.rdbuf()->in_avail() <= 0) out.flush();
        if (!std::getline(in, line)) break;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == ':') {
            session.command(line);
            continue;
        }
        view.setEntryText(toEngine(line));
        calc.calculateLine();
        out << toTerminal(view.resultText()) << '\n';
    }
    in.tie(tied);
    out.flush();
    const bool saved = files.saveAtClose([&session] { session.gatherOptions(); });
    out.flush();
    return saved ? 0 : 1;
}

}  // namespace tobrisk::cli
