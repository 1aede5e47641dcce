#pragma once
// A machine over a fresh record with recording fakes, driven by key names as the command line
// names them ("5 Enter 3 ^").

#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "exprwin/data_record.h"
#include "platform/fakes.h"
#include "rpn/line_calculator_port.h"
#include "rpn/rpn_machine.h"

namespace tobrisk::test {

class FakeLines : public LineCalculatorPort {
  public:
    explicit FakeLines(DataRecord& record) : record_(record) {}
    bool calculate(const std::string& line, std::string& message) override {
        lines.push_back(line);
        if (!ok) {
            message = failure;
            return false;
        }
        record_.setKind(1, EntryKind::Variable);
        record_.setValue(1, result);
        return true;
    }
    std::vector<std::string> lines;
    bool ok = true;
    double result = 0;
    std::string failure = "invalid argument(s)";

  private:
    DataRecord& record_;
};

struct MachineFixture {
    MachineFixture() {
        record.fillNew(NewRecordContext{});
        machine = std::make_unique<RpnMachine>(record, alerts, dialogs, lines);
    }
    // Presses the keys named in `keys`, separated by blanks; returns the display text.
    std::string press(const std::string& keys);

    DataRecord record;
    FakeAlerts alerts;
    FakeDialogs dialogs;
    FakeLines lines{record};
    std::unique_ptr<RpnMachine> machine;
};

}  // namespace tobrisk::test
