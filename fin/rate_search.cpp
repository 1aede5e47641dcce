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
#include <limits>

#include "fin/tvm_operations.h"

namespace tobrisk {
namespace {

// The relative precision a search in Real asks for: about nine units in the last place.
template <typename Real>
constexpr Real kFine = 1e-18L;
template <>
constexpr double kFine<double> = 2e-15;

template <typename Real>
class CashPolynomial {
  public:
    CashPolynomial(int n, long double x, long double pmt, long double y) : n_(n) {
        long double scale = std::max({std::fabs(x), std::fabs(pmt), std::fabs(y)});
        x_ = static_cast<Real>(x / scale);
        pmt_ = n > 1 ? static_cast<Real>(pmt / scale) : 0;
        y_ = static_cast<Real>(y / scale);
    }

    int signChanges() const {
        int changes = 0, previous = 0;
        for (Real c : {x_, pmt_, y_}) {
            int s = (c > 0) - (c < 0);
            if (s == 0) continue;
            if (previous != 0 && s != previous) ++changes;
            previous = s;
        }
        return changes;
    }

    Real leading() const { return x_; }

    // p(e^t) and its derivative in t; t = ln(1 + i).
    void at(Real t, Real& value, Real& slope) const {
        const Real nn = n_;
        Real en = std::exp(nn * t);
        Real s, ds;  // sum of E^k for k = 1..n-1, and of k E^k
        if (std::fabs(t) < Real(1e-9L)) {
            s = (nn - 1) + t * nn * (nn - 1) / 2;
            ds = nn * (nn - 1) / 2 + t * (nn - 1) * nn * (2 * nn - 1) / 6;
        } else {
            Real d = std::expm1(t), e = 1 + d;
            s = std::fabs(t) < Real(1e-3L) ? e * std::expm1((nn - 1) * t) / d : (en - e) / d;
            ds = (nn * en - e - s * e) / d;
        }
        value = x_ * en + pmt_ * s + y_;
        slope = nn * x_ * en + pmt_ * ds;
    }
    Real value(Real t) const {
        Real v, d;
        at(t, v, d);
        return v;
    }
    Real slope(Real t) const {
        Real v, d;
        at(t, v, d);
        return d;
    }

  private:
    int n_;
    Real x_, pmt_, y_;
};

template <typename Real>
int sign(Real v) {
    return (v > 0) - (v < 0);
}

// Newton's method kept inside a bracket [lo, hi] where p changes sign: a step that would leave
// the bracket or shrink it too slowly is replaced by bisection. Starts at zero when the bracket
// holds it (rates near zero are the common case), else at `start`.
template <typename Real>
Real safeNewton(const CashPolynomial<Real>& p, Real lo, Real hi, Real start) {
    Real t = (lo <= 0 && hi >= 0) ? 0 : start;
    if (p.value(lo) > 0) std::swap(lo, hi);  // p(lo) < 0 < p(hi) from here on
    Real last = std::fabs(hi - lo), step = last;
    for (int k = 0; k < 200; ++k) {
        Real v, d;
        p.at(t, v, d);
        if (v == 0) return t;
        if (v < 0) {
            lo = t;
        } else {
            hi = t;
        }
        Real next = t - v / d;
        bool inside = std::isfinite(next) && (next - lo) * (next - hi) < 0;
        if (!inside || std::fabs(2 * v) > std::fabs(last * d)) {
            last = step;
            step = (hi - lo) / 2;
            next = lo + step;
            if (next == lo || next == hi) return t;
        } else {
            last = step;
            step = next - t;
        }
        if (std::fabs(step) <= kFine<Real> * std::fabs(next) + Real(1e-24L)) return next;
        t = next;
    }
    return t;
}

// The one root of the slope between a and b (the extremum of p): Brent's method, to a relative
// precision of `precision`.
template <typename Real>
Real extremum(const CashPolynomial<Real>& p, Real a, Real b, Real precision) {
    precision = std::max(precision, kFine<Real>);
    Real fa = p.slope(a), fb = p.slope(b);
    if (sign(fa) * sign(fb) > 0) return std::fabs(fa) < std::fabs(fb) ? a : b;
    Real c = b, fc = fb, d = b - a, e = d;
    for (int k = 0; k < 200; ++k) {
        if (sign(fb) * sign(fc) > 0) {
            c = a;
            fc = fa;
            e = d = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        Real tol = precision * std::fabs(b) + Real(1e-24L);
        Real m = (c - b) / 2;
        if (std::fabs(m) <= tol || fb == 0) return b;
        if (std::fabs(e) >= tol && std::fabs(fa) > std::fabs(fb)) {
            Real s = fb / fa, q, r, t;
            if (a == c) {
                t = 2 * m * s;
                q = 1 - s;
            } else {
                q = fa / fc;
                r = fb / fc;
                t = s * (2 * m * q * (q - r) - (b - a) * (r - 1));
                q = (q - 1) * (r - 1) * (s - 1);
            }
            if (t > 0) q = -q;
            t = std::fabs(t);
            if (2 * t < std::min(3 * m * q - std::fabs(tol * q), std::fabs(e * q))) {
                e = d;
                d = t / q;
            } else {
                d = m;
                e = d;
            }
        } else {
            d = m;
            e = d;
        }
        a = b;
        fa = fb;
        b += std::fabs(d) > tol ? d : (m > 0 ? tol : -tol);
        fb = p.slope(b);
    }
    return b;
}

// Two sign changes, s * p(0) > 0: Newton steps from zero towards the dip of s * p. Each step
// either stays outside the nearer root (and converges on it), or lands in the dip (and
// brackets it). False when it passes the extremum or leaves the range: no shortcut then.
template <typename Real>
bool downhillFromZero(const CashPolynomial<Real>& p, int s, Real lo, Real hi, Real& root) {
    Real t = 0, v, d;
    p.at(t, v, d);
    if (!(s * v > 0) || d == 0) return false;
    for (int k = 0; k < 60; ++k) {
        Real next = t - v / d;
        if (!std::isfinite(next) || next <= lo || next >= hi) return false;
        Real vn, dn;
        p.at(next, vn, dn);
        // A step far past the dip (the function is flat near zero) is halved until it lands
        // short of the far side.
        for (int h = 0; h < 30 && s * vn > 0 && s * vn >= s * v; ++h) {
            next = t + (next - t) / 2;
            p.at(next, vn, dn);
        }
        if (s * vn <= 0) {
            root = vn == 0 ? next : safeNewton(p, t, next, next);
            return true;
        }
        if (sign(dn) != sign(d)) {
            // Past the extremum without reaching the dip's floor: the extremum lies between
            // the last two steps, and the root before it when the floor is below zero.
            Real m = extremum(p, std::min(t, next), std::max(t, next), Real(1e-4L));
            if (!(s * p.value(m) < 0)) return false;
            root = safeNewton(p, t, m, t);
            return true;
        }
        if (s * vn >= s * v) return false;
        if (std::fabs(next - t) <= kFine<Real> * std::fabs(next) + Real(1e-24L)) {
            root = next;
            return true;
        }
        t = next;
        v = vn;
        d = dn;
    }
    return false;
}

// The root of p in t = ln(1 + i) between lo and hi that the rate search wants: the only one,
// or of two the one nearer to zero. False when there is none.
template <typename Real>
bool searchRoot(const CashPolynomial<Real>& p, int changes, Real lo, Real hi, Real& root) {
    if (changes == 1) {
        if (sign(p.value(lo)) * sign(p.value(hi)) > 0) return false;
        root = safeNewton(p, lo, hi, Real(0));
    } else {
        int s = sign(p.leading());
        // Usually zero lies outside both roots and Newton's method, run downhill from zero,
        // meets the nearer root at once; whatever else it meets goes to the full search.
        if (downhillFromZero(p, s, lo, hi, root)) return true;
        // Bracket the extremum outwards from zero: the slope grows exponentially, and Brent's
        // method is slow on the whole range.
        Real a = 0, b = 0, fa = p.slope(0);
        int towards = s * fa < 0 ? 1 : -1;
        for (Real width = Real(0.01L); fa != 0; width *= 4) {
            b = towards > 0 ? std::min(hi, width) : std::max(lo, -width);
            if (sign(p.slope(b)) != sign(fa) || b == lo || b == hi) break;
            a = b;
        }
        if (a > b) std::swap(a, b);
        Real t = fa == 0 ? Real(0) : extremum(p, a, b, Real(1e-4L));
        Real pt = s * p.value(t);
        if (pt > 0) {
            // Perhaps a shallow dip that the rough extremum missed.
            t = extremum(p, lo, hi, kFine<Real>);
            pt = s * p.value(t);
        }
        if (pt > 0) return false;
        if (pt == 0) {
            root = t;
        } else {
            bool left = s * p.value(lo) > 0, right = s * p.value(hi) > 0;
            if (!left && !right) return false;
            // Where zero lies outside both roots, only the nearer one is wanted.
            if (left && right && s * p.value(0) > 0) {
                if (t > 0) right = false;
                if (t < 0) left = false;
            }
            const Real away = Real(0.1L) * (1 + std::fabs(t));
            auto leftRoot = [&] { return safeNewton(p, lo, t, std::max(lo, t - away)); };
            auto rightRoot = [&] { return safeNewton(p, t, hi, std::min(hi, t + away)); };
            if (left && right) {
                // Zero lies between the roots: the root on zero's side of the extremum is the
                // nearer one unless it lies farther out than the extremum itself.
                root = t < 0 ? rightRoot() : leftRoot();
                if (std::fabs(root) > std::fabs(t)) {
                    Real other = t < 0 ? leftRoot() : rightRoot();
                    if (std::fabs(other) < std::fabs(root)) root = other;
                }
            } else {
                root = left ? leftRoot() : rightRoot();
            }
        }
    }
    return true;
}

}  // namespace

bool InterestRateBracketed(int n, long double pmt, long double pv, long double fv, int type,
                           long double& rate) {
    if (n <= 0) return false;
    long double x = type == 1 ? pv + pmt : pv;
    long double y = type == 1 ? fv : fv + pmt;
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(pmt)) return false;
    if (x == 0 && pmt == 0 && y == 0) return false;  // every rate fits: none is the answer
    const CashPolynomial<long double> p(n, x, pmt, y);
    const int changes = p.signChanges();
    if (changes == 0) return false;

    // From i = -1 + 4e-18 up to where E^n stays well inside the extended range.
    const long double lo = -40.0L;
    const long double hi = std::min(40.0L, 11000.0L / n);
    long double root = 0;
    bool found = false;
    // The search in double first (its exp and expm1 cost a fraction of the extended ones),
    // where double keeps every coefficient's sign and E^n in range; one Newton step in
    // extended precision then brings its root to the extended precision. Roots beyond the
    // double range (growth beyond 1e304) are left to the search in extended precision.
    const CashPolynomial<double> pd(n, x, pmt, y);
    if (pd.signChanges() == changes) {
        const double span = 700.0 / n;
        double rd = 0;
        if (searchRoot(pd, changes, std::max(-40.0, -span), std::min(static_cast<double>(hi), span),
                       rd)) {
            long double v, d;
            p.at(rd, v, d);
            const long double step = v == 0 ? 0 : v / d;
            if (std::isfinite(step) && std::fabs(step) <= 1e-6L * (1 + std::fabs(rd))) {
                root = rd - step;
                found = true;
            }
        }
    }
    if (!found && !searchRoot(p, changes, lo, hi, root)) return false;
    rate = std::expm1(root);
    return std::isfinite(rate) && rate > -1.0L;
}

}  // namespace tobrisk
