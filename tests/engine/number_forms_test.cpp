#include "engine/number_forms.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "engine/calc_context.h"

namespace tobrisk {
namespace {

TEST(NumberFormsTest, IntegerForm) {
    NumberForms f;
    struct Case {
        int64_t n;
        int places;
        bool withoutDecimals;
        const char* text;
    } cases[] = {
        {1234567, -1, true, "1234567"},
        {1234567, 2, true, "1,234,567"},
        {1234567, 2, false, "1,234,567.00"},
        {-1234, 0, true, "-1,234"},
        {-1234, 0, false, "-1,234"},
        {999, 4, true, "999"},
        {1000, 1, true, "1,000"},
        {-100000, 3, true, "-100,000"},
        {INT64_MIN, 2, true, "-9,223,372,036,854,775,808"},
        {INT64_MIN, -1, true, "-9223372036854775808"},
        {0, 3, false, "0.000"},
    };
    for (const Case& c : cases) {
        f.setIntegersWithoutDecimals(c.withoutDecimals);
        EXPECT_EQ(f.integerForm(c.n, c.places), c.text) << c.n << " N=" << c.places;
    }
}

TEST(NumberFormsTest, GeneralForm) {
    NumberForms f;
    struct Case {
        double x;
        const char* text;
    } cases[] = {
        {1e15, "1E15"},
        {123456789012345.0, "123456789012345"},
        {0.1 + 0.2, "0.3"},
        {0, "0"},
        {-2.5, "-2.5"},
        {0.00001, "0.00001"},
        {0.000001, "1E-6"},
        {1.5e-7, "1.5E-7"},
        {1e20, "1E20"},
        {-1.25e100, "-1.25E100"},
        {2.0 / 3.0, "0.666666666666667"},
        {3.141592653589793, "3.14159265358979"},
        {100, "100"},
    };
    for (const Case& c : cases) EXPECT_EQ(f.generalForm(c.x), c.text) << c.x;
    EXPECT_EQ(f.generalForm(INFINITY), "INF");
    EXPECT_EQ(f.generalForm(NAN), "NAN");
}

TEST(NumberFormsTest, FloatFormRoundsHalvesAwayFromZero) {
    NumberForms f;
    struct Case {
        double x;
        int places;
        const char* text;
    } cases[] = {
        {2.0 / 3.0, 4, "0.6667"},
        {0.00001, 2, "0.00001"},
        {0.000001, 2, "1E-6"},
        {1234.5, 0, "1,235"},
        {-1234.5, 0, "-1,235"},
        {2.5, 0, "3"},
        {2.675, 2, "2.68"},
        {1.005, 2, "1.01"},
        {999.996, 2, "1,000.00"},
        {-0.004, 2, "-0.004"},
        {1234567.891, 2, "1,234,567.89"},
        {0.5, 9, "0.500000000"},
        {1e20, 1, "100,000,000,000,000,000,000.0"},
        {2.0 / 3.0, -1, "0.666666666666667"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(f.floatForm(c.x, c.places), c.text) << c.x << " N=" << c.places;
}

TEST(NumberFormsTest, SeparatorsComeFromTheLocale) {
    NumberForms f;
    f.setSeparators({',', '.'});
    EXPECT_EQ(f.floatForm(1234567.5, 2), "1.234.567,50");
    EXPECT_EQ(f.generalForm(0.25), "0,25");
    EXPECT_EQ(f.integerForm(1234567, 0), "1.234.567");
}

TEST(NumberFormsTest, FractionForm) {
    NumberForms f;
    struct Case {
        int64_t n, d;
        const char* text;
    } cases[] = {
        {6, 4, "1  1/2"}, {4, 2, "2/1"},   {0, 6, "0/6"},
        {5, 6, "5/6"},    {-7, 2, "-7/2"}, {7, 2, "3  1/2"},
        {1, -2, "-1/2"},  {3, 0, "3/0"},   {INT64_MIN, 2, "-4611686018427387904/1"},
    };
    for (const Case& c : cases) EXPECT_EQ(f.fractionForm(c.n, c.d), c.text) << c.n << "/" << c.d;
}

TEST(NumberFormsTest, DisplayPattern) {
    NumberForms f;
    EXPECT_EQ(f.displayPattern(), "###,###,###,##0");
    f.setDecimalPlaces(4);
    EXPECT_EQ(f.displayPattern(), "###,###,###,##0.0000");
    f.setDecimalPlaces(0);
    EXPECT_EQ(f.displayPattern(), "###,###,###,##0");
}

TEST(NumberFormsTest, ReadNumberAndInteger) {
    EXPECT_EQ(NumberForms::readNumber("1.5e-3"), 1.5e-3);
    EXPECT_EQ(NumberForms::readNumber(".5"), 0.5);
    EXPECT_EQ(NumberForms::readNumber("5."), 5.0);
    EXPECT_EQ(NumberForms::readNumber("1E5"), 1e5);
    EXPECT_TRUE(std::isinf(NumberForms::readNumber("1e999")));
    // Exponents beyond any integer type only tell which way the number leaves the range.
    EXPECT_TRUE(std::isinf(NumberForms::readNumber("4611686018427387904e9223372036854775807")));
    EXPECT_TRUE(std::isinf(NumberForms::readNumber("1e99999999999999999999999")));
    EXPECT_EQ(NumberForms::readNumber("1e-99999999999999999999999"), 0.0);
    EXPECT_EQ(NumberForms::readNumber("0.00001e-9223372036854775807"), 0.0);
    EXPECT_EQ(NumberForms::readNumber("1e-999"), 0.0);
    EXPECT_EQ(NumberForms::readNumber("0.000000000000000000000000000000000000000000000000000000"
                                      "00000000000000000000000000000000000000000000000000000000"
                                      "00000000000000000000000000000000000000000000000000000000"
                                      "00000000000000000000000000000000000000000000000000000000"
                                      "00000000000000000000000000000000000000000000000000000000"
                                      "00000000000000000000000000000000000000000000000000000000"
                                      "000000001"),
              0.0);
    EXPECT_EQ(NumberForms::readNumber("-2.5"), -2.5);
    EXPECT_EQ(NumberForms::readNumber("nan"), 0.0);
    EXPECT_EQ(NumberForms::readNumber("inf"), 0.0);
    EXPECT_EQ(NumberForms::readNumber("call home"), 0.0);
    EXPECT_EQ(NumberForms::readNumber("12abc"), 12.0);
    int64_t v = 0;
    EXPECT_TRUE(NumberForms::readInteger("9223372036854775807", v));
    EXPECT_EQ(v, INT64_MAX);
    EXPECT_TRUE(NumberForms::readInteger("-42", v));
    EXPECT_EQ(v, -42);
    EXPECT_FALSE(NumberForms::readInteger("9223372036854775808", v));
    EXPECT_FALSE(NumberForms::readInteger("1.5", v));
    EXPECT_FALSE(NumberForms::readInteger("", v));
}

TEST(NumberFormsTest, StatementResults) {
    NumberForms f;
    f.setDecimalPlaces(2);
    std::string text;
    f.appendStatement(text, Value{3, 3, true, 1}, false, true);
    f.appendStatement(text, Value{2.0 / 3.0, 0, false, 1}, false, false);
    f.appendStatement(text, Value{0, 6, true, 4}, true, false);
    EXPECT_EQ(text, "3;     0.67;     1  1/2");
}

TEST(NumberFormsTest, RedisplayUsesTheStackTop) {
    CalcContext ctx;
    ctx.stack.slot(1).value = 1234.5;
    ctx.stack.slot(1).twin = 0;
    ctx.integerMode = false;
    EXPECT_EQ(ctx.redisplay(0), "1,235");
    EXPECT_EQ(ctx.resultText, "1,235");
    EXPECT_EQ(ctx.forms.displayPattern(), "###,###,###,##0");
    EXPECT_EQ(ctx.redisplayAutomatic(), "1234.5");
    ctx.stack.slot(1).value = 1234567;
    ctx.stack.slot(1).twin = 1234567;
    ctx.integerMode = true;
    ctx.forms.setIntegersWithoutDecimals(false);
    EXPECT_EQ(ctx.redisplay(2), "1,234,567.00");
}

// The general form from printf's exactly rounded digits, written the plain way.
std::string generalFormByPrintf(double x) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(x));
    std::string digits;
    const char* p = buf;
    for (; *p != 'e'; ++p)
        if (*p != '.') digits += *p;
    const int e = std::atoi(p + 1);
    const auto strip = [](std::string t) {
        while (t.size() > 1 && t.back() == '0') t.pop_back();
        return t;
    };
    std::string out = x < 0 ? "-" : "";
    if (e >= -5 && e < 15) {
        if (e < 0) return out + "0." + strip(std::string(-e - 1, '0') + digits);
        const std::string frac = strip(digits.substr(e + 1));
        out += digits.substr(0, e + 1);
        return frac.empty() || frac == "0" ? out : out + "." + frac;
    }
    const std::string frac = strip(digits.substr(1));
    out += digits.substr(0, 1) + (frac == "0" ? "" : "." + frac);
    return out + "E" + std::to_string(e);
}

TEST(NumberFormsTest, GeneralFormRoundsAsPrintfDoes) {
    NumberForms f;
    std::vector<double> values;
    // Halves at the 16th digit, exact and a step either side: the rounding decides there.
    std::mt19937_64 random(12345);
    for (int k = 0; k < 20000; ++k) {
        char text[40];
        std::snprintf(
            text, sizeof text, "%llu5e%d",
            static_cast<unsigned long long>(random() % 900000000000000ULL + 100000000000000ULL),
            static_cast<int>(random() % 600) - 300);
        const double x = std::strtod(text, nullptr);
        values.insert(values.end(), {x, std::nextafter(x, 0.0), std::nextafter(x, HUGE_VAL)});
    }
    for (double x : {0.5, 2.5, 0.125, 1e15, 999999999999999.5, 9.999999999999995, 0.1 + 0.2, 5e-324,
                     1.7976931348623157e308, 123456789012345.67, 2.0 / 3.0})
        values.push_back(x);
    // Every binary exponent of the common magnitudes, and any bit pattern.
    for (int k = 0; k < 100000; ++k)
        values.push_back(std::ldexp(static_cast<double>(random() >> 11) / 9007199254740992.0,
                                    static_cast<int>(random() % 80) - 20));
    for (int k = 0; k < 200000; ++k) {
        const double x = std::bit_cast<double>(random());
        values.push_back(x);
    }
    for (double x : values) {
        if (!std::isfinite(x) || x == 0) continue;
        ASSERT_EQ(f.generalForm(x), generalFormByPrintf(x)) << x;
    }
}

TEST(NumberFormsTest, DecimalsReadAsTheCorrectlyRoundedDouble) {
    // Short decimals take a quicker way than long ones; both must give the nearest double.
    std::mt19937_64 random(777);
    for (int k = 0; k < 200000; ++k) {
        std::string text;
        const int length = 1 + static_cast<int>(random() % 24);
        for (int i = 0; i < length; ++i) text += static_cast<char>('0' + random() % 10);
        if (random() % 4 != 0) text.insert(random() % (text.size() + 1), 1, '.');
        double expected = 0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        ASSERT_EQ(NumberForms::readNumber(text), expected) << text;
    }
}

}  // namespace
}  // namespace tobrisk
