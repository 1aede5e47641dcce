// Refusals of the numeric operations and the rate search on the sign patterns the Newton
// iteration cannot take.

#include "fin/tvm_operations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace tobrisk {
namespace {

TEST(TvmOperations, RefuseRatesAtOrBelowMinusOneAndOverflow) {
    EXPECT_THROW(PresentValue(-1, 12, -100, 0, 0), std::invalid_argument);
    EXPECT_THROW(Payment(-1.5L, 12, 1000, 0, 0), std::invalid_argument);
    EXPECT_THROW(FutureValue(-1, 12, -100, 0, 0), std::invalid_argument);
    EXPECT_THROW(NumberOfPeriods(-1, -100, 1000, 0, 0), std::invalid_argument);
    EXPECT_THROW(PresentValue(NAN, 12, -100, 0, 0), std::invalid_argument);
    // Growth beyond 1e16: the future value is refused.
    EXPECT_THROW(FutureValue(0.1L, 1200, -100, 1000, 0), std::invalid_argument);
    // A payment over zero periods divides by zero.
    EXPECT_THROW(Payment(0, 0, 1000, 0, 0), std::invalid_argument);
    // Payments that only pay the interest never repay the loan.
    EXPECT_THROW(NumberOfPeriods(0.01L, -10, 1000, 0, 0), std::invalid_argument);
    EXPECT_THROW(NumberOfPeriods(0.01L, -5, 1000, 0, 0), std::invalid_argument);
    EXPECT_THROW(InterestRate(0, -100, 1000, 0, 0), std::invalid_argument);
}

struct RateCase {
    const char* what;
    int n;
    long double pmt, pv, fv;
    int type;
    bool exists;
    long double expected;  // when it exists; NAN: only the equation is checked
};

long double equation(long double i, int n, long double pmt, long double pv, long double fv,
                     int type) {
    if (i == 0) return pv + pmt * n + fv;
    long double x = n * std::log1p(i);
    return pv * std::exp(x) + pmt * (1 + i * type) * std::expm1(x) / i + fv;
}

TEST(TvmOperations, InterestRateOnEverySignPattern) {
    const RateCase cases[] = {
        {"loan", 12, -94.56L, 1000, 0, 0, true, 0.02L},
        {"savings plan without a present value", 10, -100, 0, 1200, 0, true, NAN},
        {"savings plan, start of period", 10, -100, 0, 1200, 1, true, NAN},
        {"paid in, paid back larger, start", 12, -100, 1000, 100, 1, true, NAN},
        {"all flows on one side", 10, 100, 1000, 0, 0, false, 0},
        {"payments and final sum both received", 10, 100, 0, 100, 0, false, 0},
        {"two sign changes without a root", 12, -100, 1000, 500, 0, false, 0},
        {"zero rate exactly", 12, 100, -1200, 0, 0, true, 0},
        {"sum of payments one short of the present value", 12, 100, -1300, 0, 0, true, NAN},
        {"one period, falling", 1, -100, 10000, -9800, 0, true, -0.01L},
        {"single period", 1, 0, -100, 110, 0, true, 0.1L},
        {"negative rate", 10, 0, -100, 90, 0, true, NAN},
    };
    for (const RateCase& c : cases) {
        SCOPED_TRACE(c.what);
        if (!c.exists) {
            EXPECT_THROW(InterestRate(c.n, c.pmt, c.pv, c.fv, c.type), std::invalid_argument);
            continue;
        }
        long double i = InterestRate(c.n, c.pmt, c.pv, c.fv, c.type);
        long double size = std::fabs(c.pv) + std::fabs(c.pmt) * c.n + std::fabs(c.fv);
        EXPECT_LE(std::fabs(equation(i, c.n, c.pmt, c.pv, c.fv, c.type)), 1e-10L * size);
        if (!std::isnan(static_cast<double>(c.expected))) {
            EXPECT_NEAR(i, c.expected, 1e-4L);
        }
    }
}

TEST(TvmOperations, OfTwoRatesTheOneNearerZero) {
    // +900 now, -100 for eleven periods, +100 at the end: about 1.5 % and about -50 % both fit.
    long double i = InterestRate(12, -100, 1000, 100, 1);
    EXPECT_GT(i, 0);
    EXPECT_LT(i, 0.05L);
    long double bracketed = 0;
    ASSERT_TRUE(InterestRateBracketed(12, -100, 1000, 100, 1, bracketed));
    EXPECT_NEAR(bracketed, i, 1e-15L);
}

TEST(TvmOperations, TwoSignChangesGiveTheRootNearestZero) {
    // Loans repaid at the start of each period with a final sum received back ([+, -, +]
    // flows), and their mirror images: the search must return a root, and no root may lie
    // between zero and it.
    int cases = 0;
    for (long double rate : {0.0001L, 0.002L, 0.01L, 0.05L, 0.2L, -0.01L, -0.05L}) {
        for (int n : {2, 6, 12, 60, 360}) {
            for (long double back : {10.0L, 100.0L, 400.0L}) {
                for (long double mirror : {1.0L, -1.0L}) {
                    const long double pv = 1000 * mirror, fv = back * mirror;
                    // The payment that makes `rate` a root.
                    long double c = std::pow(1 + rate, n);
                    long double pmt = -(pv * c + fv) / ((1 + rate) * (c - 1) / rate);
                    if ((pv + pmt) * mirror <= 0) continue;  // one sign change only
                    SCOPED_TRACE(::testing::Message() << static_cast<double>(rate) << " n=" << n
                                                      << " back=" << static_cast<double>(back));
                    long double i = InterestRate(n, pmt, pv, fv, 1);
                    long double growth = std::max(1.0L, std::pow(1 + i, n));
                    long double size =
                        (std::fabs(pv) + std::fabs(pmt) * n) * growth + std::fabs(fv);
                    EXPECT_LE(std::fabs(equation(i, n, pmt, pv, fv, 1)), 1e-12L * size);
                    // Scan between zero and the answer for an earlier sign change.
                    int s0 = equation(0, n, pmt, pv, fv, 1) > 0;
                    for (int k = 1; k < 200; ++k) {
                        long double x = i * k / 200;
                        if ((equation(x, n, pmt, pv, fv, 1) > 0) != s0) {
                            ADD_FAILURE() << "a root nearer zero near " << static_cast<double>(x);
                            break;
                        }
                    }
                    ++cases;
                }
            }
        }
    }
    EXPECT_GT(cases, 40);
}

TEST(TvmOperations, PerpetuityLimitOfTheIteration) {
    // At 5 % over 1200 periods the final value is negligible in one direction of the iteration
    // and enormous in the other; both must give 5 %.
    long double rate = 0;
    int iterations = 0;
    ASSERT_TRUE(InterestRateNewton(1200, -50, 1000, 0, 0, rate, iterations));
    EXPECT_NEAR(rate, 0.05L, 1e-15L);
    long double fv = -(std::pow(1.05L, 900) + 0.5L * std::expm1(900 * std::log1p(0.05L)) / 0.05L);
    ASSERT_TRUE(InterestRateNewton(900, 0.5L, 1, fv, 0, rate, iterations) ||
                InterestRateBracketed(900, 0.5L, 1, fv, 0, rate));
    EXPECT_NEAR(InterestRate(900, 0.5L, 1, fv, 0), 0.05L, 1e-14L);
}

}  // namespace
}  // namespace tobrisk
