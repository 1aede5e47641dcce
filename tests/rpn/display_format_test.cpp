#include "rpn/display_format.h"

#include <gtest/gtest.h>

#include <limits>

namespace tobrisk {
namespace {

struct Case {
    DisplayMode mode;
    int digits;
    long double x;
    const char* text;
};

TEST(DisplayFormat, ModesAndDigits) {
    const Case cases[] = {
        {DisplayMode::Fix, 4, 1234.5L, "1,234.5000"},
        {DisplayMode::Fix, 4, 0.00002L, "2 E-5"},
        {DisplayMode::Fix, 4, 0, "0.0000"},
        {DisplayMode::Fix, 4, -0.0L, "0.0000"},
        {DisplayMode::Fix, 0, 2.5L, "3"},
        {DisplayMode::Fix, 0, 1234.5L, "1,235"},
        {DisplayMode::Fix, 0, -2.5L, "-3"},
        {DisplayMode::Fix, 0, 0.5L, "0.5"},
        {DisplayMode::Fix, 2, 0.005L, "0.005"},
        {DisplayMode::Fix, 2, 0.0149L, "0.01"},
        {DisplayMode::Fix, 2, 0.145L, "0.15"},
        {DisplayMode::Fix, 2, 1234567.891L, "1,234,567.89"},
        {DisplayMode::Fix, 2, 999.995L, "1,000.00"},
        {DisplayMode::Fix, 4, 1e15L, "1,000,000,000,000,000.0000"},
        {DisplayMode::Fix, 4, 2e15L, "2 E15"},
        {DisplayMode::Fix, 4, 1.5e-7L, "1.5 E-7"},
        {DisplayMode::Fix, 10, 1e-10L, "0.0000000001"},
        {DisplayMode::Fix, 10, 1e-11L, "1 E-11"},
        {DisplayMode::Fix, 11, 1.0L / 3, "0.333333333333333"},
        {DisplayMode::Fix, 11, 0, "0"},
        {DisplayMode::Fix, 4, std::numeric_limits<long double>::max(), "1.18973149535723 E4932"},
        {DisplayMode::Sci, 4, 12345, "1.2345 E04"},
        {DisplayMode::Sci, 4, -0.00012345L, "-1.2345 E-04"},
        {DisplayMode::Sci, 4, 0, "0.0000 E00"},
        {DisplayMode::Sci, 4, 9.99999L, "10.0000 E00"},
        {DisplayMode::Sci, 11, 12345, "1.2345 E04"},
        {DisplayMode::Sci, 3, 1e-123L, "1.000 E-123"},
        {DisplayMode::Sci, 2, std::numeric_limits<long double>::max(), "1.19 E4932"},
        {DisplayMode::Sci, 2, std::numeric_limits<long double>::denorm_min(), "3.65 E-4951"},
        {DisplayMode::Eng, 4, 12345, "12.3450 E03"},
        {DisplayMode::Eng, 4, 0.00015L, "150.0000 E-06"},
        {DisplayMode::Eng, 4, 1, "1.0000 E00"},
        {DisplayMode::Eng, 4, -1234, "-1.2340 E03"},
        {DisplayMode::Eng, 4, 0.5L, "500.0000 E-03"},
        {DisplayMode::Eng, 0, 1e-5L, "10 E-06"},
        {DisplayMode::Eng, 1, 1e4931L, "100.0 E4929"},
    };
    for (const auto& c : cases) {
        DisplayFormat f;
        f.set(c.mode, c.digits);
        EXPECT_EQ(f.display(c.x), c.text) << static_cast<int>(c.mode) << "/" << c.digits;
    }
}

TEST(DisplayFormat, GeneralFormat) {
    const struct {
        long double x;
        const char* text;
    } cases[] = {
        {0, "0"},
        {1e20L, "1E20"},
        {1.5e-7L, "1.5E-7"},
        {1e-5L, "1E-5"},
        {0.0001L, "0.0001"},
        {1.0L / 3, "0.333333333333333"},
        {1234.5L, "1234.5"},
        {123456789012345.0L, "123456789012345"},
        {1e15L, "1E15"},
        {-2.5L, "-2.5"},
        {100, "100"},
        {0.1L + 0.2L, "0.3"},
        {1.000000000000005L, "1.00000000000001"},
        {999999999999999.9L, "1E15"},
        {-0.000123456789012345678L, "-0.000123456789012346"},
    };
    DisplayFormat f;
    for (const auto& c : cases) EXPECT_EQ(f.general(c.x), c.text);
}

TEST(DisplayFormat, LocaleSeparators) {
    DisplayFormat f(Separators{',', '.'});
    f.set(DisplayMode::Fix, 4);
    EXPECT_EQ(f.display(1234567.5L), "1.234.567,5000");
    EXPECT_EQ(f.general(1.5L), "1,5");
    f.set(DisplayMode::Sci, 2);
    EXPECT_EQ(f.display(12345), "1,23 E04");
}

TEST(DisplayFormat, ModeMarksAndRangeFallback) {
    DisplayFormat f;
    f.set(DisplayMode::Sci, 3);
    EXPECT_EQ(f.modeMarks(), " * ");
    f.set(static_cast<DisplayMode>(7), 99);  // a foreign record
    EXPECT_EQ(f.mode(), DisplayMode::Fix);
    EXPECT_EQ(f.digits(), 4);
    EXPECT_EQ(f.modeMarks(), "*  ");
}

}  // namespace
}  // namespace tobrisk
