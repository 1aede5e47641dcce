#include "engine/integer_functions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace tobrisk {
namespace {

TEST(IntegerFunctions, Factorials) {
    struct Case {
        int32_t n;
        double value;
        int64_t exact;
        const char* message;
    } cases[] = {
        {0, 1, 1, ""},
        {1, 1, 1, ""},
        {5, 120, 120, ""},
        {20, 2432902008176640000.0, 2432902008176640000, ""},
        {21, 51090942171709440000.0, -1, ""},
        {-1, 1, 1, "fact: invalid argument"},
    };
    for (const Case& c : cases) {
        std::string m1, m2;
        EXPECT_EQ(IntegerFunctions::factorial(c.n, m1), c.value) << c.n;
        EXPECT_EQ(IntegerFunctions::factorialExact(c.n, m2), c.exact) << c.n;
        EXPECT_EQ(m1, c.message);
        EXPECT_EQ(m2, c.message);
    }
    std::string m;
    EXPECT_TRUE(std::isfinite(IntegerFunctions::factorial(170, m)));
    EXPECT_TRUE(std::isinf(IntegerFunctions::factorial(171, m)));
    // The first overflow ends the loop: a huge argument answers at once.
    EXPECT_TRUE(std::isinf(IntegerFunctions::factorial(2000000000, m)));
    EXPECT_EQ(IntegerFunctions::factorialExact(2000000000, m), -1);
}

TEST(IntegerFunctions, Combinations) {
    struct Case {
        int32_t n, p;
        double value;
        int64_t exact;
        const char* message;
    } cases[] = {
        {5, 2, 10, 10, ""},
        {5, 5, 1, 1, ""},
        {5, 3, 10, 10, ""},
        {60, 30, 118264581564861424.0, 118264581564861424, ""},
        {62, 31, 465428353255261088.0, -1, ""},  // the guard refuses, the double is used
        {40, 20, 137846528819.99997, 137846528820, ""},
        {5, 0, 1, 1, "comb: invalid arguments"},
        {2, 5, 1, 1, "comb: invalid arguments"},
        {0, 0, 1, 1, "comb: invalid arguments"},
    };
    for (const Case& c : cases) {
        std::string m1, m2;
        const double d = IntegerFunctions::combinations(c.n, c.p, m1);
        EXPECT_NEAR(d, c.value, std::abs(c.value) * 1e-15) << c.n << "," << c.p;
        EXPECT_EQ(IntegerFunctions::combinationsExact(c.n, c.p, m2), c.exact) << c.n << "," << c.p;
        EXPECT_EQ(m1, c.message);
        EXPECT_EQ(m2, c.message);
    }
    std::string m;
    EXPECT_EQ(IntegerFunctions::combinations(40, 20, m), 137846528819.99997);
    EXPECT_EQ(IntegerFunctions::combinationsExact(2000000000, 1999999999, m), 2000000000);
    EXPECT_TRUE(std::isinf(IntegerFunctions::combinations(2000000000, 1000000000, m)));
}

TEST(IntegerFunctions, GuardAndBound) {
    EXPECT_TRUE(IntegerFunctions::productFits(1 << 30, 1 << 30));
    EXPECT_TRUE(IntegerFunctions::productFits(int64_t{1} << 31, int64_t{1} << 31));
    EXPECT_FALSE(IntegerFunctions::productFits(int64_t{1} << 32, int64_t{1} << 31));
    EXPECT_TRUE(IntegerFunctions::productFits(0, int64_t{1} << 61));  // lg(0) counts as 1
    EXPECT_FALSE(IntegerFunctions::productFits(0, int64_t{1} << 62));
    EXPECT_FALSE(IntegerFunctions::tooLarge(std::ldexp(1.0, 62)));
    EXPECT_TRUE(IntegerFunctions::tooLarge(std::ldexp(1.0, 63)));
    EXPECT_FALSE(IntegerFunctions::tooLarge(-1e300));
    EXPECT_FALSE(IntegerFunctions::tooLarge(0));
}

TEST(IntegerFunctions, TooLargeAgreesWithLog2AroundItsBound) {
    // The bound is 62.9 binary digits; near it and far from it the answer is log2's.
    const double bound = std::exp2(62.9);
    std::vector<double> values = {0.0,
                                  -1.0,
                                  1.0,
                                  1e18,
                                  9e18,
                                  HUGE_VAL,
                                  -HUGE_VAL,
                                  NAN,
                                  std::nextafter(bound, 0.0),
                                  bound,
                                  std::nextafter(bound, HUGE_VAL)};
    double v = std::nextafter(bound, 0.0);
    for (int k = 0; k < 8; ++k) v = std::nextafter(v, 0.0);
    for (int k = 0; k < 16; ++k, v = std::nextafter(v, HUGE_VAL)) values.push_back(v);
    for (double x : values)
        EXPECT_EQ(IntegerFunctions::tooLarge(x), x > 0 && std::log2(x) > 62.9) << x;
}

}  // namespace
}  // namespace tobrisk
