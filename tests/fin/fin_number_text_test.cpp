#include "fin/fin_number_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tobrisk {
namespace {

TEST(FinNumberText, Parse) {
    struct Row {
        const char* text;
        char decimal;
        bool ok;
        long double value;
    };
    const Row rows[] = {
        {"", '.', true, 0},
        {"   ", '.', true, 0},
        {"1200.50", '.', true, 1200.5L},
        {"1200,50", ',', true, 1200.5L},
        {" -12 ", '.', true, -12},
        {"+3", '.', true, 3},
        {".5", '.', true, 0.5L},
        {"5.", '.', true, 5},
        {"1.5E3", '.', true, 1500},
        {"2e-3", '.', true, 0.002L},
        {"1e-6000", '.', true, 0},
        {"1,200.50", '.', false, 0},
        {"1200,50", '.', false, 0},
        {"1200.50", ',', false, 0},
        {"abc", '.', false, 0},
        {"1e", '.', false, 0},
        {".", '.', false, 0},
        {"-", '.', false, 0},
        {"inf", '.', false, 0},
        {"nan", '.', false, 0},
        {"1e6000", '.', false, 0},
        {"12 3", '.', false, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        auto v = FinNumberText::parse(r.text, r.decimal);
        ASSERT_EQ(v.has_value(), r.ok);
        if (r.ok) {
            EXPECT_EQ(*v, r.value);
        }
    }
}

TEST(FinNumberText, FixedRoundsHalvesAwayFromZero) {
    struct Row {
        long double value;
        int decimals;
        char decimal;
        const char* text;
    };
    const Row rows[] = {
        {94.5555L, 2, '.', "94.56"},   {0.125L, 2, '.', "0.13"},
        {-0.125L, 2, '.', "-0.13"},    {2.5L, 0, '.', "3"},
        {0, 3, '.', "0.000"},          {-0.001L, 2, '.', "0.00"},
        {-0.0L, 2, '.', "0.00"},       {1334.72L, 2, ',', "1334,72"},
        {999.996L, 2, '.', "1000.00"}, {1234567.891L, 2, '.', "1234567.89"},
        {0.9489L, 3, '.', "0.949"},    {-94.56L, 2, '.', "-94.56"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(FinNumberText::fixed(r.value, r.decimals, r.decimal), r.text)
            << static_cast<double>(r.value);
    }
}

TEST(FinNumberText, GeneralFifteenDigits) {
    struct Row {
        long double value;
        const char* text;
    };
    const Row rows[] = {
        {0, "0"},
        {94.55959801537288L, "94.5595980153729"},
        {-94.5595980153729L, "-94.5595980153729"},
        {12, "12"},
        {0.5L, "0.5"},
        {0.00002L, "0.00002"},
        {0.000001L, "1E-6"},
        {1.5e20L, "1.5E20"},
        {123456789012345.0L, "123456789012345"},
        {1234567890123456.0L, "1.23456789012346E15"},
        {100.25L, "100.25"},
    };
    for (const Row& r : rows) EXPECT_EQ(FinNumberText::general(r.value, '.'), r.text);
    EXPECT_EQ(FinNumberText::general(1.5L, ','), "1,5");
}

TEST(FinNumberText, RoundHalfEven) {
    EXPECT_EQ(FinNumberText::roundHalfEven(12.5L), 12);
    EXPECT_EQ(FinNumberText::roundHalfEven(13.5L), 14);
    EXPECT_EQ(FinNumberText::roundHalfEven(-2.5L), -2);
    EXPECT_EQ(FinNumberText::roundHalfEven(100.25L), 100);
    EXPECT_EQ(FinNumberText::roundHalfEven(11.51L), 12);
}

}  // namespace
}  // namespace tobrisk
