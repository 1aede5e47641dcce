// The bracketed rate search behind InterestRate: used where the Newton iteration refuses the
// signs of its inputs (no present value, two sign changes in the cash flows) or does not
// converge. It works on the equation as a polynomial in E = 1 + i:
//     p(E) = X E^n + PMT (E^(n-1) + ... + E) + Y
// with X = PV, Y = FV + PMT at the end of the period, X = PV + PMT, Y = FV at the start.
// By Descartes' rule p has as many positive roots as [X, PMT, Y] has sign changes, or two fewer:
// one change gives exactly one root; two changes give none or two, on either side of the one
// extremum of p (p' has a single sign change, so p is unimodal on E > 0).

#include <algorithm>
#include <cmath>

#include "fin/tvm_operations.h"

namespace tobrisk {
namespace {

class CashPolynomial {
  public:
    CashPolynomial(int n, long double x, long double pmt, long double y) : n_(n) {
        long double scale = std::max({std::fabs(x), std::fabs(pmt), std::fabs(y)});
        x_ = x / scale;
        pmt_ = n > 1 ? pmt / scale : 0;
        y_ = y / scale;
    }

    int signChanges() const {
        int changes = 0, previous = 0;
        for (long double c : {x_, pmt_, y_}) {
            int s = (c > 0) - (c < 0);
            if (s == 0) continue;
            if (previous != 0 && s != previous) ++changes;
            previous = s;
        }
        return changes;
    }

    long double leading() const { return x_; }

    // p(e^t); t = ln(1 + i).
    long double at(long double t) const {
        const long double nn = n_;
        if (t == 0) return x_ + pmt_ * (nn - 1) + y_;
        long double s = n_ > 1 ? std::exp(t) * std::expm1((nn - 1) * t) / std::expm1(t) : 0;
        return x_ * std::exp(nn * t) + pmt_ * s + y_;
    }

  private:
    int n_;
    long double x_, pmt_, y_;
};

int sign(long double v) {
    return (v > 0) - (v < 0);
}

// Bisection on [lo, hi] where p changes sign; to the last representable digit of t.
long double bisect(const CashPolynomial& p, long double lo, long double hi) {
    int slo = sign(p.at(lo));
    for (int k = 0; k < 400; ++k) {
        long double mid = lo + (hi - lo) / 2;
        if (mid <= lo || mid >= hi) break;
        int s = sign(p.at(mid));
        if (s == 0) return mid;
        if (s == slo) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    return std::fabs(p.at(lo)) <= std::fabs(p.at(hi)) ? lo : hi;
}

// The extremum of the unimodal s*p (s = sign of X): golden-section search.
long double extremum(const CashPolynomial& p, long double lo, long double hi, int s) {
    const long double g = (std::sqrt(5.0L) - 1) / 2;
    long double a = lo, b = hi;
    long double c = b - g * (b - a), d = a + g * (b - a);
    long double fc = s * p.at(c), fd = s * p.at(d);
    for (int k = 0; k < 200 && b - a > 1e-18L * (1 + std::fabs(a) + std::fabs(b)); ++k) {
        if (fc < fd) {
            b = d;
            d = c;
            fd = fc;
            c = b - g * (b - a);
            fc = s * p.at(c);
        } else {
            a = c;
            c = d;
            fc = fd;
            d = a + g * (b - a);
            fd = s * p.at(d);
        }
    }
    return (a + b) / 2;
}

}  // namespace

bool InterestRateBracketed(int n, long double pmt, long double pv, long double fv, int type,
                           long double& rate) {
    if (n <= 0) return false;
    long double x = type == 1 ? pv + pmt : pv;
    long double y = type == 1 ? fv : fv + pmt;
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(pmt)) return false;
    if (x == 0 && pmt == 0 && y == 0) return false;  // every rate fits: none is the answer
    CashPolynomial p(n, x, pmt, y);
    int changes = p.signChanges();
    if (changes == 0) return false;

    // From i = -1 + 4e-18 up to where E^n stays well inside the extended range.
    const long double lo = -40.0L;
    const long double hi = std::min(40.0L, 11000.0L / n);
    long double root;
    if (changes == 1) {
        if (sign(p.at(lo)) * sign(p.at(hi)) > 0) return false;
        root = bisect(p, lo, hi);
    } else {
        int s = sign(p.leading());
        long double t = extremum(p, lo, hi, s);
        long double pt = s * p.at(t);
        if (pt > 0) return false;
        if (pt == 0) {
            root = t;
        } else {
            bool left = s * p.at(lo) > 0, right = s * p.at(hi) > 0;
            if (!left && !right) return false;
            long double rl = left ? bisect(p, lo, t) : 0;
            long double rr = right ? bisect(p, t, hi) : 0;
            // Of two rates, the one nearer to zero is the one a user means.
            if (left && right) {
                root = std::fabs(rl) <= std::fabs(rr) ? rl : rr;
            } else {
                root = left ? rl : rr;
            }
        }
    }
    rate = std::expm1(root);
    return std::isfinite(rate) && rate > -1.0L;
}

}  // namespace tobrisk
