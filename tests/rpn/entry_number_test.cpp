#include "rpn/entry_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tobrisk {
namespace {

TEST(EntryNumber, ReadsWhatTheKeysBuild) {
    const struct {
        const char* text;
        long double value;
    } cases[] = {
        {"", 0},
        {"-", 0},
        {".", 0},
        {"007", 7},
        {"2.5", 2.5L},
        {"-2.5", -2.5L},
        {"1E", 1},
        {"1E-", 1},
        {"1.E", 1},
        {"1E5", 1e5L},
        {"1E-5", 1e-5L},
        {"1E+5", 1e5L},
        {"-1.5E-3", -1.5e-3L},
        {".5", 0.5L},
        {"0.000123", 0.000123L},
        {"1E4932", 1e4932L},
        {"1E-5000", 0},
        {"1e3", 1000},
    };
    for (const auto& c : cases) {
        auto v = readEntryNumber(c.text);
        ASSERT_TRUE(v.has_value()) << c.text;
        EXPECT_EQ(*v, c.value) << c.text;
    }
}

TEST(EntryNumber, RefusesBeyondTheExtendedRange) {
    for (const char* text :
         {"1E4933", "2E4932", "-1E4933", "1E99999999999999", "1,5", "E5", "1..2"})
        EXPECT_FALSE(readEntryNumber(text).has_value()) << text;
}

TEST(EntryNumber, SubnormalsUnderflowGradually) {
    auto v = readEntryNumber("1E-4940");
    ASSERT_TRUE(v.has_value());
    EXPECT_GT(*v, 0);
    EXPECT_LT(*v, std::numeric_limits<long double>::min());
    EXPECT_NEAR(static_cast<double>(*v / 1e-4940L), 1.0, 1e-9);
}

TEST(EntryNumber, LongDigitRunsKeepTheirMagnitude) {
    std::string many(5000, '9');
    EXPECT_FALSE(readEntryNumber(many).has_value());
    auto v = readEntryNumber("0." + std::string(4000, '0') + "1");
    ASSERT_TRUE(v.has_value());
    EXPECT_NEAR(std::log10(*v), -4001.0L, 1e-9L);
}

}  // namespace
}  // namespace tobrisk
