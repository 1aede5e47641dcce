// Long random key sequences: whatever is pressed, no infinity or NaN reaches the stack, a
// register or the display, and the display never shows a number the stack does not hold.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "rpn/entry_number.h"
#include "tests/rpn/rpn_test_support.h"

namespace tobrisk::test {
namespace {

bool finite(long double v) {
    return std::isfinite(v);
}

TEST(RpnMachineRandom, KeySequencesKeepTheInvariants) {
    static const char* kKeys[] = {"0",     "1",     "5",     "9",   ".",     "E",     "E",
                                  "Enter", "clx",   "clst",  "x-y", "rolld", "rollu", "lastx",
                                  "chs",   "chs",   "del",   "+",   "-",     "x",     "/",
                                  "^",     "1/x",   "func",  "deg", "sto",   "rcl",   "clrg",
                                  "show",  "udata", "ufunc", "9",   "9",     "3"};
    std::mt19937 rng(20261208);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kKeys) - 1);
    for (int run = 0; run < 200; ++run) {
        MachineFixture f;
        f.machine->windowShown();
        f.lines.result = 1e300;
        std::string trail;
        for (int n = 0; n < 400; ++n) {
            const char* k = kKeys[pick(rng)];
            trail += k;
            trail += ' ';
            f.press(k);
            for (int level = 1; level <= 4; ++level)
                ASSERT_TRUE(finite(f.machine->level(level))) << trail;
            ASSERT_TRUE(finite(f.machine->lastXValue())) << trail;
            for (int r = 0; r < 12; ++r) ASSERT_TRUE(std::isfinite(f.record.rpnRegister(r)));
            const std::string& d = f.machine->display();
            ASSERT_EQ(d.find("inf"), std::string::npos) << trail;
            ASSERT_EQ(d.find("nan"), std::string::npos) << trail;
            if (f.machine->entering() && f.machine->padState() == PadState::Normal &&
                !f.machine->replaceOnEntry() && !f.machine->padWide()) {
                auto v = readEntryNumber(d);
                ASSERT_TRUE(v.has_value()) << trail;
                ASSERT_EQ(*v, f.machine->x()) << trail;
            }
        }
    }
}

}  // namespace
}  // namespace tobrisk::test
