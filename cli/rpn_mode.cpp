// tobrisk-cli --rpn: each input line is a row of RPN key names pressed in order; after it the
// display text is printed. ":stack", ":lastx" and ":reg K" print machine state instead.

#include <cmath>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

#include "cli/cli_modes.h"
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
        if (kind == MessageKind::Error)
            err_ << "error: " << shown << '\n';
        else
            out_ << "message: " << shown << '\n';
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

// The expression engine's line calculation is not linked into this mode yet.
class UnavailableLines : public LineCalculatorPort {
  public:
    bool calculate(const std::string&, std::string& message) override {
        message = "User functions are not available";
        return false;
    }
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
    alerts.onPlay = [&err](AlertKind k) { err << "alert: " << alertName(k) << '\n'; };
    CliDialogs dialogs(out, err);
    SystemClock clock;
    AppServices services{alerts, dialogs, clock, Separators{}, programFolder(), o.dataDir};

    DataRecord record;
    RecordFiles files(record, services);
    NewRecordContext ctx;
    ctx.today = std::floor(clock.now());
    ctx.programFolder = utf8ToCp1252(services.programFolder);
    files.loadAtStart(ctx);

    UnavailableLines lines;
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
            if (const NamedKey* k = findKey(word))
                k->step(machine);
            else
                err << "error: unknown key \"" << word << "\"\n";
        }
        out << cp1252ToUtf8(machine.display()) << '\n';
    }
    files.saveAtClose([] {});
    return 0;
}

}  // namespace tobrisk::cli
