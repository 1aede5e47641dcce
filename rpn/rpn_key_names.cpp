#include "rpn/rpn_key_names.h"

#include "rpn/rpn_machine.h"

namespace tobrisk {

namespace {

struct NamedKey {
    std::string_view name;
    void (*press)(RpnMachine&);
};

constexpr NamedKey kKeys[] = {
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

}  // namespace

bool pressNamedKey(RpnMachine& machine, std::string_view name) {
    if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') {
        machine.key(name[0] - '0');
        return true;
    }
    for (const auto& k : kKeys) {
        if (k.name == name) {
            k.press(machine);
            return true;
        }
    }
    return false;
}

}  // namespace tobrisk
