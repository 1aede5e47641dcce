// tobrisk-cli's expression mode: every input line is typed into the entry line and calculated
// as by Enter; lines starting with ':' are the window's commands (see README). One output line
// per input line: the result line's text after the line was handled. The calculator behind it
// is the window's own controller, control commands included.

#include <cmath>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_modes.h"
#include "engine/calc_context.h"
#include "engine/variable_store.h"
#include "exprwin/data_record.h"
#include "exprwin/expression_controller.h"
#include "exprwin/expression_surface.h"
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

// The expression window over plain strings.
class CliSurface : public ExpressionSurface {
  public:
    std::string entryText() const override { return entry_; }
    void setEntryText(const std::string& text) override { entry_ = text; }
    void selectAllEntry() override {}
    std::string resultText() const override { return result_; }
    void setResultText(const std::string& text) override { result_ = text; }
    void setResultColour(ResultColour) override {}
    void addHistory(const std::string& line) override { history_.push_back(line); }
    void clearHistory() override { history_.clear(); }
    std::vector<std::string> history() const override { return history_; }
    std::optional<std::string> lastHistoryItem() const override {
        if (history_.empty()) return std::nullopt;
        return history_.back();
    }
    void setListing(const std::vector<std::string>& lines) override { listing_ = lines; }
    void setTimerInterval(int) override {}
    void repaintNow() override {}
    void setCaption(const std::string&) override {}

    const std::vector<std::string>& historyItems() const { return history_; }
    const std::vector<std::string>& listing() const { return listing_; }

  private:
    std::string entry_, result_;
    std::vector<std::string> history_, listing_;
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
    ExpressionController& controller;
    CliSurface& surface;
    std::ostream& out;
    std::ostream& err;

    void printList(const std::vector<std::string>& items) {
        for (const std::string& s : items) out << toTerminal(s) << '\n';
        out << '\n';
    }

    void setOption(int slot, bool on) { record.setSlot(slot, on ? 1 : 0); }

    void command(const std::string& line) {
        const std::size_t space = line.find(' ');
        const std::string name = line.substr(1, space == std::string::npos ? line.npos : space - 1);
        const std::string arg = space == std::string::npos ? std::string() : line.substr(space + 1);
        if (name == "frac") {
            surface.setEntryText(toEngine(arg));
            controller.calculateLine(true);
        } else if (name == "factor") {
            surface.setEntryText(toEngine(arg));
            controller.factorInteger();
        } else if (name == "decimals" && arg == "auto") {
            controller.setAutomaticDecimals();
        } else if (name == "decimals" && arg.size() == 1 && arg[0] >= '0' && arg[0] <= '9') {
            controller.setDecimalPlaces(arg[0] - '0');
        } else if ((name == "degrees" || name == "radians") && arg.empty()) {
            if (controller.degrees() != (name == "degrees")) controller.toggleAngleUnit();
        } else if (name == "soma" && yesNo(arg)) {
            setOption(layout::kAutoSoma, *yesNo(arg));
        } else if (name == "factorbig" && yesNo(arg)) {
            setOption(layout::kFactorBig, *yesNo(arg));
        } else if (name == "intnodec" && yesNo(arg)) {
            setOption(layout::kIntegersWithoutDecimals, *yesNo(arg));
            controller.applyOptions();
        } else if (name == "trace" && arg.empty()) {
            controller.showTrace();
        } else if (name == "listing" && arg.empty()) {
            printList(surface.listing());
            return;
        } else if (name == "history" && arg.empty()) {
            printList(surface.historyItems());
            return;
        } else if (name == "entry" && arg.empty()) {
            out << toTerminal(surface.entryText()) << '\n';
            return;
        } else if (name == "now" && parseDateTime(arg)) {
            clock.set(*parseDateTime(arg));
        } else if (name == "tick" && arg.empty()) {
            controller.timerTick();
        } else if (name == "answer" && (arg == "ok" || arg == "cancel")) {
            dialogs.answers.push_back(arg == "ok");
        } else if (name == "open" && !arg.empty()) {
            dialogs.openPaths.push_back(arg);
            files.open([this] { controller.recordReplaced(); });
            dialogs.openPaths.clear();
        } else if (name == "saveas" && !arg.empty()) {
            dialogs.savePaths.push_back(arg);
            files.saveAs([this] { controller.gatherOptions(record); });
            dialogs.savePaths.clear();
        } else {
            out.flush();
            err << "error: unknown command " << line << '\n';
        }
        out << toTerminal(surface.resultText()) << '\n';
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
        out << "message: " << text << '\n';  // dialog texts are UTF-8 already
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

    CliSurface surface;
    ExpressionController controller(record, services, surface);
    if (loaded.created) {
        surface.addHistory("(pi/2)^2.5 + sqrt(2)");
        surface.addHistory("2+2");
        surface.setEntryText("2+2");
        surface.setResultText("4");
    }
    controller.start();
    Session session{record, files, dialogs, clock, controller, surface, out, err};

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
        surface.setEntryText(toEngine(line));
        controller.calculateLine(false);
        out << toTerminal(surface.resultText()) << '\n';
    }
    in.tie(tied);
    out.flush();
    const bool saved = files.saveAtClose([&] { controller.gatherOptions(record); });
    out.flush();
    return saved ? 0 : 1;
}

}  // namespace tobrisk::cli
