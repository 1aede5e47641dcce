// The five operations against the closed equation
//     PV (1+i)^n + PMT (1 + i type) ((1+i)^n - 1) / i + FV = 0
// over a table of rates (zero, tiny ones around 6.1e-5, ordinary and negative), terms up to 1200
// periods and both timings. Each case starts from a known solution, so every unknown exists.

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <vector>

#include "fin/fin_number_text.h"
#include "fin/tvm_operations.h"

namespace tobrisk {
namespace {

struct Terms {
    long double c;  // (1+i)^n
    long double a;  // annuity factor with the timing factor
};

// An independent evaluation: logarithms for every rate, real n.
Terms reference(long double i, long double n, int type) {
    if (i == 0) return {1.0L, n};
    long double x = n * std::log1p(i);
    return {std::exp(x), std::expm1(x) / i * (type == 1 ? 1 + i : 1)};
}

// The residual relative to the size of the terms; 0 for an exact solution.
long double residual(long double i, long double n, long double pmt, long double pv, long double fv,
                     int type) {
    Terms t = reference(i, n, type);
    long double sum = pv * t.c + pmt * t.a + fv;
    long double size = std::fabs(pv * t.c) + std::fabs(pmt * t.a) + std::fabs(fv);
    return size == 0 ? 0 : std::fabs(sum) / size;
}

struct Case {
    long double i;
    int n;
    long double pv, pmt;  // FV follows from the equation
    int type;
};

std::vector<Case> table() {
    const long double rates[] = {0,       1e-9L,    1e-7L,   1e-6L,   2e-5L,  5e-5L,
                                 6.0e-5L, 6.09e-5L, 6.1e-5L, 6.2e-5L, 1e-4L,  1e-3L,
                                 0.005L,  0.01L,    0.02L,   0.05L,   0.1L,   0.25L,
                                 1.0L,    -1e-6L,   -5e-5L,  -0.001L, -0.01L, -0.05L};
    const int terms[] = {1, 2, 12, 60, 100, 360, 1200};
    const long double flows[][2] = {{10000, -100},   {-10000, 250},   {0, -100},
                                    {1000, -94.56L}, {250000, -1500}, {-500, -20}};
    std::vector<Case> cases;
    for (long double i : rates)
        for (int n : terms)
            for (auto& f : flows)
                for (int type : {0, 1}) cases.push_back({i, n, f[0], f[1], type});
    return cases;
}

long double futureOf(const Case& k) {
    Terms t = reference(k.i, k.n, k.type);
    return -(k.pv * t.c + k.pmt * t.a);
}

// Skips what the operations refuse by design (growth beyond 1e16 for the future value).
bool hugeGrowth(const Case& k) {
    return reference(k.i, k.n, k.type).c > 1e16L;
}

TEST(TvmAccuracy, EveryOperationSatisfiesTheClosedEquation) {
    const long double tol = 1e-12L;
    int checked = 0;
    for (const Case& k : table()) {
        SCOPED_TRACE(::testing::Message() << "i=" << static_cast<double>(k.i) << " n=" << k.n
                                          << " pv=" << static_cast<double>(k.pv) << " pmt="
                                          << static_cast<double>(k.pmt) << " type=" << k.type);
        long double fv = futureOf(k);
        if (!hugeGrowth(k)) {
            long double f = FutureValue(k.i, k.n, k.pmt, k.pv, k.type);
            EXPECT_LE(residual(k.i, k.n, k.pmt, k.pv, f, k.type), tol);
        }
        long double pv = PresentValue(k.i, k.n, k.pmt, fv, k.type);
        EXPECT_LE(residual(k.i, k.n, k.pmt, pv, fv, k.type), tol);
        // Recovering the known value where it weighs in the equation.
        Terms t = reference(k.i, k.n, k.type);
        long double pvTerm = std::fabs(k.pv * t.c), pmtTerm = std::fabs(k.pmt * t.a);
        if (pvTerm > 1e-6L * (pmtTerm + std::fabs(fv))) {
            EXPECT_NEAR(pv / k.pv, 1.0L, 1e-9L);
        }
        long double pmt = Payment(k.i, k.n, k.pv, fv, k.type);
        EXPECT_LE(residual(k.i, k.n, pmt, k.pv, fv, k.type), tol);
        if (pmtTerm > 1e-6L * (pvTerm + std::fabs(fv))) {
            EXPECT_NEAR(pmt / k.pmt, 1.0L, 1e-9L);
        }

        // The rate from the other four, wherever it is determined (a single payment at the end
        // with no present value fits every rate).
        if (!(k.pv == 0 && k.n == 1 && k.type == 0)) try {
                long double rate = InterestRate(k.n, k.pmt, k.pv, fv, k.type);
                EXPECT_LE(residual(rate, k.n, k.pmt, k.pv, fv, k.type), 1e-12L);
            } catch (const std::invalid_argument&) {
                ADD_FAILURE() << "no rate found";
            }

        // The number of periods, where the term is not lost in a vanishing growth factor.
        if (reference(k.i, k.n, k.type).c > 1e-10L) {
            long double p = k.type == 1 ? k.pmt * (1 + k.i) : k.pmt;
            if (std::fabs(k.pv * k.i + p) > 1e-9L * std::fabs(p)) {
                long double n = NumberOfPeriods(k.i, k.pmt, k.pv, fv, k.type);
                EXPECT_NEAR(n, k.n, 1e-7L * k.n);
            }
        }
        ++checked;
    }
    EXPECT_GT(checked, 2000);
}

TEST(TvmAccuracy, NewtonConvergesWithinFifteenStepsWhereItApplies) {
    int used = 0;
    for (const Case& k : table()) {
        long double fv = futureOf(k);
        long double rate = 0;
        int iterations = 0;
        // The iteration refuses sign patterns with two changes and a zero present value; those
        // are the bracketed search's. Everything else must converge.
        long double x = k.type == 1 ? k.pv + k.pmt : k.pv;
        long double y = k.type == 1 ? fv : fv + k.pmt;
        bool oneChange = (x < 0 && k.pmt >= 0 && y >= 0) || (x > 0 && k.pmt <= 0 && y <= 0) ||
                         (x < 0 && k.pmt < 0 && y > 0) || (x > 0 && k.pmt > 0 && y < 0);
        if (!oneChange || x == 0 || y == 0) continue;
        SCOPED_TRACE(::testing::Message() << "i=" << static_cast<double>(k.i) << " n=" << k.n
                                          << " pv=" << static_cast<double>(k.pv) << " pmt="
                                          << static_cast<double>(k.pmt) << " type=" << k.type);
        ASSERT_TRUE(InterestRateNewton(k.n, k.pmt, k.pv, fv, k.type, rate, iterations));
        EXPECT_LE(iterations, 15);
        EXPECT_LE(residual(rate, k.n, k.pmt, k.pv, fv, k.type), 1e-12L);
        ++used;
    }
    EXPECT_GT(used, 500);
}

TEST(TvmAccuracy, TinyRatesOverLongTerms) {
    // 0.005 % over 1200 periods: the second-order annuity factor gave -85.91.
    EXPECT_EQ(FinNumberText::fixed(Payment(5e-5L, 1200, 100000, 0, 0), 2, '.'), "-85.86");
    // 0.005 % per period, payments of 100 on 10000: the linear form gave 100.50.
    EXPECT_EQ(FinNumberText::fixed(NumberOfPeriods(5e-5L, -100, 10000, 0, 0), 2, '.'), "100.25");
    EXPECT_EQ(FinNumberText::fixed(NumberOfPeriods(0, -100, 10000, 0, 0), 2, '.'), "100.00");
}

TEST(TvmAccuracy, HugeGrowthDoesNotLoseTheFutureValue) {
    // 10 % over 1200 periods: C is about 1e49; a present value due to a final sum alone.
    long double pv = PresentValue(0.1L, 1200, 0, -1e60L, 0);
    EXPECT_LE(residual(0.1L, 1200, 0, pv, -1e60L, 0), 1e-12L);
    // Growth beyond the extended range still gives the perpetuity values.
    EXPECT_NEAR(PresentValue(1.0L, 20000, -100, 0, 0), 100, 1e-9);
    EXPECT_NEAR(Payment(1.0L, 20000, 1000, 0, 1), -500, 1e-9);
}

}  // namespace
}  // namespace tobrisk
