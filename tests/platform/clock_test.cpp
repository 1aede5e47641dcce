#include "platform/clock.h"

#include <gtest/gtest.h>

namespace tobrisk {
namespace {

TEST(Clock, DateTimeDoublesCountDaysSince18991230) {
    struct {
        int y, mo, d, h, mi, s;
        double expected;
    } const cases[] = {
        {1899, 12, 30, 0, 0, 0, 0.0},      {1900, 1, 1, 0, 0, 0, 2.0},
        {1970, 1, 1, 0, 0, 0, 25569.0},    {2000, 2, 29, 12, 0, 0, 36585.5},
        {2026, 12, 8, 18, 0, 0, 46364.75},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(encodeDateTime(c.y, c.mo, c.d, c.h, c.mi, c.s), c.expected);
        int y, mo, d, h, mi, s, ms;
        decodeDateTime(c.expected, y, mo, d, h, mi, s, ms);
        EXPECT_EQ(y, c.y);
        EXPECT_EQ(mo, c.mo);
        EXPECT_EQ(d, c.d);
        EXPECT_EQ(h, c.h);
        EXPECT_EQ(mi, c.mi);
        EXPECT_EQ(s, c.s);
    }
}

TEST(Clock, DecodingRoundsToTheMillisecond) {
    const double t = encodeDateTime(2026, 12, 8, 23, 59, 59, 999);
    EXPECT_EQ(formatLongTime(t), "23:59:59");
    EXPECT_EQ(formatLongTime(encodeDateTime(2026, 12, 8, 9, 5, 7)), "09:05:07");
}

}  // namespace
}  // namespace tobrisk
