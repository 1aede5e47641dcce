#include "tests/rpn/rpn_test_support.h"

#include <functional>
#include <map>

namespace tobrisk::test {

std::string MachineFixture::press(const std::string& keys) {
    using Step = std::function<void(RpnMachine&)>;
    static const std::map<std::string, Step> kSteps = {
        {".", [](RpnMachine& m) { m.key(10); }},
        {"E", [](RpnMachine& m) { m.key(11); }},
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
    std::istringstream words(keys);
    std::string w;
    while (words >> w) {
        if (w.size() == 1 && w[0] >= '0' && w[0] <= '9') {
            machine->key(w[0] - '0');
            continue;
        }
        auto it = kSteps.find(w);
        if (it == kSteps.end()) throw std::runtime_error("unknown key " + w);
        it->second(*machine);
    }
    return machine->display();
}

}  // namespace tobrisk::test
