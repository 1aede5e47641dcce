#include "fin/tvm_operations.h"

#include <cmath>
#include <stdexcept>

namespace tobrisk {
namespace {

// Below this rate the integer power loses the digits that C - 1 needs.
constexpr long double kSmallRate = 6.1e-5L;
// Beyond this growth the present value and payment use forms that never multiply by C.
constexpr long double kHugeGrowth = 1e16L;

long double checked(long double v, const char* operation) {
    if (!std::isfinite(v)) throw std::invalid_argument(operation);
    return v;
}

long double integerPower(long double base, long long e) {
    bool negative = e < 0;
    unsigned long long k = negative ? 0ULL - static_cast<unsigned long long>(e) : e;
    long double result = 1.0L;
    while (k != 0) {
        if (k & 1ULL) result *= base;
        k >>= 1;
        if (k != 0) base *= base;
    }
    return negative ? 1.0L / result : result;
}

}  // namespace

GrowthFactors growthFactors(long double i, int n, int type) {
    GrowthFactors g{1.0L, static_cast<long double>(n)};
    if (i == 0) return g;
    if (std::fabs(i) < kSmallRate) {
        // ln(1+i) and e^x - 1 without cancellation, so that tiny rates over long terms agree
        // with the closed equation (a second-order series drifts visibly at n = 1200).
        long double x = n * std::log1p(i);
        g.c = std::exp(x);
        g.a = std::expm1(x) / i;
    } else {
        g.c = integerPower(1.0L + i, n);
        g.a = (g.c - 1.0L) / i;
    }
    if (type == 1) g.a *= 1.0L + i;
    return g;
}

long double PresentValue(long double i, int n, long double pmt, long double fv, int type) {
    constexpr const char* kName = "PresentValue";
    if (!(i > -1.0L)) throw std::invalid_argument(kName);
    GrowthFactors g = growthFactors(i, n, type);
    if (g.c <= kHugeGrowth) return checked((-pmt * g.a - fv) / g.c, kName);
    // Divide before multiplying so that a huge C cannot overflow; only when C itself overflows
    // is the perpetuity limit left.
    if (std::isfinite(g.c) && std::isfinite(g.a)) {
        return checked(-pmt * (g.a / g.c) - fv / g.c, kName);
    }
    return checked(-pmt * (1.0L + i * type) / i, kName);
}

long double Payment(long double i, int n, long double pv, long double fv, int type) {
    constexpr const char* kName = "Payment";
    if (!(i > -1.0L)) throw std::invalid_argument(kName);
    GrowthFactors g = growthFactors(i, n, type);
    if (g.c <= kHugeGrowth) return checked((-pv * g.c - fv) / g.a, kName);
    if (std::isfinite(g.c) && std::isfinite(g.a)) {
        return checked(-pv * (g.c / g.a) - fv / g.a, kName);
    }
    return checked(-pv * i / (1.0L + i * type), kName);
}

long double FutureValue(long double i, int n, long double pmt, long double pv, int type) {
    constexpr const char* kName = "FutureValue";
    if (!(i > -1.0L)) throw std::invalid_argument(kName);
    GrowthFactors g = growthFactors(i, n, type);
    if (!(g.c <= kHugeGrowth)) throw std::invalid_argument(kName);
    return checked(-pmt * g.a - pv * g.c, kName);
}

long double NumberOfPeriods(long double i, long double pmt, long double pv, long double fv,
                            int type) {
    constexpr const char* kName = "NumberOfPeriods";
    if (!(i > -1.0L)) throw std::invalid_argument(kName);
    long double p = type == 1 ? pmt * (1.0L + i) : pmt;
    long double t = pv * i + p;
    if (t == 0 || !std::isfinite(t)) throw std::invalid_argument(kName);
    // The linear form is exact only at a zero rate; any other rate, however small, needs the
    // logarithms (the linear form is off by half a period at 0.005 % over 100 periods).
    if (i == 0) return checked(-(pv + fv) / t, kName);
    long double q = -(pv + fv) * i / t;
    if (!(q > -1.0L)) throw std::invalid_argument(kName);
    return checked(std::log1p(q) / std::log1p(i), kName);
}

namespace {

enum class Step { GoOn, Converged, Refused };

// One step of the logarithmic Newton iteration on t, the logarithm of the growth per period
// (of its inverse unless reversed), in the precision of Real.
template <typename Real>
Step newtonStep(Real nn, Real pm, Real first, Real last, Real& t) {
    const Real en = std::exp(nn * t);
    // No early exit at a huge or negligible E^n: the range carries the iteration on, and only
    // an overflow hands the inputs on.
    if (!std::isfinite(en)) return Step::Refused;
    const Real d = std::expm1(t);
    const Real e1 = 1 + d;
    Real k, kd;
    if (d == 0) {
        // The limits of both sums at a zero rate. (Taking n instead of n - 1 here stops the
        // iteration at once, at a rate of 0, whenever PMT * n + Last = -First.)
        k = nn - 1;
        kd = nn * (nn - 1) / 2;
    } else {
        // E (E^(n-1) - 1) / (E - 1); the difference of powers is exact enough away from 0.
        k = std::fabs(t) < Real(1e-3L) ? std::expm1((nn - 1) * t) * e1 / d : (en - e1) / d;
        kd = (nn * en - e1 - k * e1) / d;
    }
    const Real f = pm * k + last * en;
    const Real ratio = f / -first;
    if (!(ratio > 0) || !std::isfinite(ratio)) return Step::Refused;
    const Real slope = (pm * kd + nn * last * en) / f;
    const Real step = std::log(ratio) / slope;
    if (!std::isfinite(step)) return Step::Refused;
    t -= step;
    return std::fabs(step) < Real(1e-12L) * std::fabs(t) + Real(1e-15L) ? Step::Converged
                                                                        : Step::GoOn;
}

constexpr int kMaxSteps = 15;

// The iteration in extended precision from t, counting on from `iterations`.
bool extendedSteps(long double nn, long double pm, long double first, long double last,
                   long double& t, int& iterations) {
    for (; iterations <= kMaxSteps; ++iterations) {
        const Step s = newtonStep(nn, pm, first, last, t);
        if (s == Step::Refused) return false;
        if (s == Step::Converged) return true;
    }
    return false;
}

// The iteration in double (its exp, expm1 and log cost a fraction of the extended ones) until
// it settles; false when it cannot run in double or does not settle.
bool doubleSteps(long double nn, long double pm, long double first, long double last,
                 long double& t, int& iterations) {
    const double dn = static_cast<double>(nn), dpm = static_cast<double>(pm);
    const double dfirst = static_cast<double>(first), dlast = static_cast<double>(last);
    if (!std::isfinite(dpm) || !std::isfinite(dfirst) || !std::isfinite(dlast) || dfirst == 0)
        return false;
    double dt = 0;
    for (iterations = 1; iterations <= kMaxSteps; ++iterations) {
        const Step s = newtonStep(dn, dpm, dfirst, dlast, dt);
        if (s == Step::Refused) return false;
        if (s == Step::Converged) {
            t = dt;
            return true;
        }
    }
    return false;
}

}  // namespace

bool InterestRateNewton(int n, long double pmt, long double pv, long double fv, int type,
                        long double& rate, int& iterations) {
    iterations = 0;
    if (n <= 0) return false;
    long double pm = pmt;
    long double x = type == 1 ? pv + pmt : pv;
    long double y = type == 1 ? fv : fv + pmt;
    long double first = x, last = y;
    bool reverse = false;
    if (first * pmt > 0) {
        reverse = true;
        std::swap(first, last);
    }
    if (first > 0) {
        first = -first;
        pm = -pm;
        last = -last;
    }
    if (first == 0 || last < 0) return false;

    const long double nn = n;
    long double t = 0;
    // The iteration runs in double; the steps after it settles, in extended precision, bring
    // the root to the extended precision the operations work in (one step, as a rule). Where
    // double cannot take the iteration (its range, or a refusal), it runs in extended
    // precision from the start.
    int steps = 0;
    bool converged = doubleSteps(nn, pm, first, last, t, steps);
    if (converged) {
        ++steps;
        converged = extendedSteps(nn, pm, first, last, t, steps);
    }
    if (!converged) {
        t = 0;
        steps = 1;
        converged = extendedSteps(nn, pm, first, last, t, steps);
    }
    iterations = converged ? steps : kMaxSteps + 1;
    if (!converged) return false;
    if (!reverse) t = -t;
    rate = std::expm1(t);
    return std::isfinite(rate) && rate > -1.0L;
}

long double InterestRate(int n, long double pmt, long double pv, long double fv, int type) {
    constexpr const char* kName = "InterestRate";
    if (n <= 0) throw std::invalid_argument(kName);
    long double rate = 0;
    int iterations = 0;
    if (InterestRateNewton(n, pmt, pv, fv, type, rate, iterations)) return rate;
    if (InterestRateBracketed(n, pmt, pv, fv, type, rate)) return rate;
    throw std::invalid_argument(kName);
}

}  // namespace tobrisk
