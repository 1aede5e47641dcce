// Any bytes as key presses on the RPN calculator, every key of the machine and its pads
// included; user functions run through the expression calculator on a store that holds a few
// of them. No infinity or NaN may ever reach X, last x, the display or a register.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "exprwin/expression_controller.h"
#include "exprwin/text_surface.h"
#include "fuzz/fuzz_services.h"
#include "rpn/line_calculator_port.h"
#include "rpn/rpn_machine.h"

namespace {

using namespace tobrisk;

class ControllerLines : public LineCalculatorPort {
  public:
    ControllerLines(ExpressionController& c, TextSurface& s) : controller_(c), surface_(s) {}
    bool calculate(const std::string& line, std::string& message) override {
        const bool ok = controller_.calculateForRpn(line);
        if (!ok) message = surface_.result;
        return ok;
    }

  private:
    ExpressionController& controller_;
    TextSurface& surface_;
};

using Action = void (*)(RpnMachine&);

constexpr Action kActions[] = {
    [](RpnMachine& m) { m.enter(); },
    [](RpnMachine& m) { m.clx(); },
    [](RpnMachine& m) { m.clst(); },
    [](RpnMachine& m) { m.swapXY(); },
    [](RpnMachine& m) { m.rollDown(); },
    [](RpnMachine& m) { m.rollUp(); },
    [](RpnMachine& m) { m.lastX(); },
    [](RpnMachine& m) { m.chs(); },
    [](RpnMachine& m) { m.del(); },
    [](RpnMachine& m) { m.arithmetic(Operator::Add); },
    [](RpnMachine& m) { m.arithmetic(Operator::Subtract); },
    [](RpnMachine& m) { m.arithmetic(Operator::Multiply); },
    [](RpnMachine& m) { m.arithmetic(Operator::Divide); },
    [](RpnMachine& m) { m.arithmetic(Operator::Power); },
    [](RpnMachine& m) { m.reciprocal(); },
    [](RpnMachine& m) { m.functionsPad(); },
    [](RpnMachine& m) { m.angleSwitch(); },
    [](RpnMachine& m) { m.sto(); },
    [](RpnMachine& m) { m.rcl(); },
    [](RpnMachine& m) { m.clrg(); },
    [](RpnMachine& m) { m.show(); },
    [](RpnMachine& m) { m.userDataPad(); },
    [](RpnMachine& m) { m.userFunctionsPad(); },
    [](RpnMachine& m) { m.windowShown(); },
};
constexpr int kActionCount = sizeof(kActions) / sizeof(kActions[0]);

bool bad(long double v) {
    return !std::isfinite(v);
}

// The user functions are defined once; every input starts from a copy of that record, so the
// time goes into the keys rather than into the same six definitions.
const DataRecord& preparedRecord() {
    static const DataRecord prepared = [] {
        FuzzServices fuzz;
        auto& services = fuzz.services;
        DataRecord record;
        record.fillNew(NewRecordContext{});
        TextSurface surface;
        ExpressionController controller(record, services, surface);
        controller.start();
        for (const char* def : {"sub = \"a-b\"", "sq = \"x^2\"", "k = \"42\"", "v = 1e300",
                                "w = -7", "g = \"exp(-x)+y/z\""}) {
            surface.setEntryText(def);
            controller.calculateLine(false);
        }
        return record;
    }();
    return prepared;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzServices fuzz;
    auto& services = fuzz.services;
    auto& alerts = fuzz.alerts;
    auto& dialogs = fuzz.dialogs;
    DataRecord record = preparedRecord();
    TextSurface surface;
    ExpressionController controller(record, services, surface);
    controller.start();
    ControllerLines lines(controller, surface);
    RpnMachine machine(record, alerts, dialogs, lines, Separators{});
    machine.windowShown();

    for (std::size_t i = 0; i < size; ++i) {
        const uint8_t b = data[i];
        // Half of the byte values are number-pad keys, so numbers get typed often.
        if (b < 128) {
            machine.key(b % 12);
        } else {
            kActions[(b - 128) % kActionCount](machine);
        }
        for (int level = 1; level <= 4; ++level)
            if (bad(machine.level(level))) __builtin_trap();
        if (bad(machine.lastXValue())) __builtin_trap();
        for (int k = 0; k < RpnMachine::kRegisters; ++k)
            if (!std::isfinite(machine.storageRegister(k))) __builtin_trap();
        const std::string& d = machine.display();
        if (d.find("nan") != std::string::npos || d.find("inf") != std::string::npos)
            __builtin_trap();
    }
    return 0;
}
