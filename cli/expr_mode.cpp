// tobrisk-cli's expression mode: every input line is typed into the entry line and calculated
// as by Enter; lines starting with ':' are the window's commands (see README). One output line
// per input line: the result line's text after the line was handled. The calculator behind it
// is the window's own controller, control commands included.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_modes.h"
#include "cli/cli_support.h"
#include "engine/calc_context.h"
#include "engine/variable_store.h"
#include "exprwin/data_record.h"
#include "exprwin/expression_controller.h"
#include "exprwin/expression_surface.h"
#include "exprwin/record_files.h"
#include "exprwin/text_surface.h"
#include "platform/app_services.h"
#include "platform/fakes.h"
#include "platform/system_services.h"
#include "platform/text_encoding.h"

namespace tobrisk::cli {

namespace {

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
    TextSurface& surface;
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
            printList(surface.listing);
            return;
        } else if (name == "history" && arg.empty()) {
            printList(surface.history());
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

// Lines taken from the input's buffer in blocks of what is already there, so a line costs a
// search for its end and one copy; it never waits for more input than the next line needs.
class LineReader {
  public:
    explicit LineReader(std::streambuf* buf) : buf_(buf) {}

    // The next line without its '\n' (a last line without one included); false at the end.
    bool next(std::string& line) {
        for (;;) {
            const char* start = pending_.data() + pos_;
            const std::size_t left = pending_.size() - pos_;
            if (const void* nl = std::memchr(start, '\n', left)) {
                const auto* end = static_cast<const char*>(nl);
                line.assign(start, end);
                pos_ += static_cast<std::size_t>(end - start) + 1;
                return true;
            }
            pending_.erase(0, pos_);
            pos_ = 0;
            if (!buf_ || !fill()) {
                if (pending_.empty()) return false;
                line.swap(pending_);
                pending_.clear();
                return true;
            }
        }
    }

    // True when the next line is complete without reading: nothing to wait for.
    bool lineWaiting() const {
        return std::memchr(pending_.data() + pos_, '\n', pending_.size() - pos_) != nullptr ||
               (buf_ && buf_->in_avail() > 0);
    }

  private:
    // Appends what the buffer holds, reading once when it holds nothing; false at the end.
    bool fill() {
        if (buf_->sgetc() == std::char_traits<char>::eof()) return false;
        const std::streamsize n = std::max<std::streamsize>(buf_->in_avail(), 1);
        const std::size_t old = pending_.size();
        pending_.resize(old + static_cast<std::size_t>(n));
        const std::streamsize got = buf_->sgetn(&pending_[old], n);
        pending_.resize(old + static_cast<std::size_t>(std::max<std::streamsize>(got, 0)));
        return got > 0;
    }

    std::streambuf* buf_;
    std::string pending_;
    std::size_t pos_ = 0;
};

}  // namespace

int runExpressionMode(std::istream& in, std::ostream& out, std::ostream& err, const Options& o) {
    FakeAlerts alerts;
    FakeDialogs dialogs;
    attachTerminal(alerts, dialogs, out, err);
    CliClock clock;
    AppServices services{alerts, dialogs, clock, Separators{'.', ','}, programFolder(), o.dataDir};

    DataRecord record;
    RecordFiles files(record, services);
    files.setDataFileWritable(o.saveData);
    const LoadOutcome loaded = loadRecord(files, services);

    TextSurface surface;
    ExpressionController controller(record, services, surface);
    if (loaded.created) controller.showWelcome();
    controller.start();
    Session session{record, files, dialogs, clock, controller, surface, out, err};

    // Output is flushed only when no more input is waiting: at once when typing, in large
    // blocks when reading a file (flushing per line would cost a system call per line).
    std::ostream* tied = in.tie(nullptr);
    std::string line;
    LineReader reader(in.rdbuf());
    for (;;) {
        if (!reader.lineWaiting()) out.flush();
        if (!reader.next(line)) break;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == ':') {
            session.command(line);
            continue;
        }
        // Swapped in rather than copied: getline refills the line anyway.
        toEngineInPlace(line);
        surface.entry.swap(line);
        controller.calculateLine(false);
        writeTerminalLine(out, surface.result);
    }
    in.tie(tied);
    out.flush();
    const bool saved = files.saveAtClose([&] { controller.gatherOptions(record); });
    out.flush();
    return saved ? 0 : 1;
}

}  // namespace tobrisk::cli
