// tobrisk-cli --rpn: each input line is a row of RPN key names pressed in order; after it the
// display text is printed. ":stack", ":lastx" and ":reg K" print machine state instead.

#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "cli/cli_modes.h"
#include "cli/cli_support.h"
#include "exprwin/data_record.h"
#include "exprwin/expression_controller.h"
#include "exprwin/record_files.h"
#include "exprwin/text_surface.h"
#include "platform/app_services.h"
#include "platform/fakes.h"
#include "platform/system_services.h"
#include "platform/text_encoding.h"
#include "rpn/line_calculator_port.h"
#include "rpn/rpn_key_names.h"
#include "rpn/rpn_machine.h"

namespace tobrisk::cli {

namespace {

// User functions, fact and comb through the expression calculator's own controller, over the
// store of the loaded record; never with the continuation rewrite.
class ControllerLines : public LineCalculatorPort {
  public:
    ControllerLines(ExpressionController& controller, TextSurface& surface)
        : controller_(controller), surface_(surface) {}
    bool calculate(const std::string& line, std::string& message) override {
        if (controller_.calculateForRpn(line)) return true;
        message = surface_.result;
        return false;
    }

  private:
    ExpressionController& controller_;
    TextSurface& surface_;
};

std::string stripLineEnd(std::string line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    return line;
}

}  // namespace

int runRpnMode(std::istream& in, std::ostream& out, std::ostream& err, const Options& o) {
    FakeAlerts alerts;
    FakeDialogs dialogs;
    attachTerminal(alerts, dialogs, out, err, /*errorsToStderr=*/true);
    CliClock clock;
    AppServices services{alerts, dialogs, clock, Separators{}, programFolder(), o.dataDir};

    DataRecord record;
    RecordFiles files(record, services);
    files.setDataFileWritable(o.saveData);
    loadRecord(files, services);

    TextSurface surface;
    ExpressionController controller(record, services, surface);
    controller.start();
    ControllerLines lines(controller, surface);
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
            if (pressNamedKey(machine, word)) continue;
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
