// Fraction mode: every value is an exact fraction of two 64-bit integers. Sums use the least
// common denominator (Euclid), products and quotients are formed directly; any step that would
// leave 64 bits fails with a message instead of wrapping. The sign is kept on the numerator.

#include <cmath>
#include <cstdlib>
#include <limits>
#include <numeric>

#include "engine/erro_c.h"
#include "engine/evaluator.h"

namespace tobrisk {

namespace {

constexpr const char* kOverflow = "integer overflow in fraction mode";
constexpr const char* kPowerTooLarge = "exponentiation will result in more-than-19-digit integer";
constexpr int64_t kMin = std::numeric_limits<int64_t>::min();

uint64_t magnitude(int64_t v) {
    return v < 0 ? uint64_t{0} - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
}

int64_t gcdAbs(int64_t a, int64_t b) {
    uint64_t g = std::gcd(magnitude(a), magnitude(b));
    return g > static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) ? 1
                                                                          : static_cast<int64_t>(g);
}

int64_t mul(int64_t a, int64_t b) {
    int64_t r;
    if (__builtin_mul_overflow(a, b, &r)) throw ErroC(kOverflow);
    return r;
}

struct Fraction {
    int64_t num;
    int64_t den;
};

// Denominator made positive; 0/d keeps its denominator, as the result form shows it.
Fraction normalised(int64_t num, int64_t den) {
    if (den < 0) {
        if (num == kMin || den == kMin) throw ErroC(kOverflow);
        num = -num;
        den = -den;
    }
    return {num, den};
}

Fraction reduced(Fraction f) {
    if (f.num == 0) return f;
    int64_t g = gcdAbs(f.num, f.den);
    return {f.num / g, f.den / g};
}

// (a*c)/(b*d) as written; only when that overflows are the factors cancelled crosswise first,
// which gives the same value and keeps every result that fits as it was.
Fraction product(Fraction x, Fraction y) {
    int64_t n, d;
    if (!__builtin_mul_overflow(x.num, y.num, &n) && !__builtin_mul_overflow(x.den, y.den, &d))
        return normalised(n, d);
    x = reduced(x);
    y = reduced(y);
    int64_t g1 = gcdAbs(x.num, y.den), g2 = gcdAbs(y.num, x.den);
    if (g1 == 0) g1 = 1;
    if (g2 == 0) g2 = 1;
    return normalised(mul(x.num / g1, y.num / g2), mul(x.den / g2, y.den / g1));
}

double lgAbs(int64_t v) {
    return v == 0 ? -std::numeric_limits<double>::infinity()
                  : std::log2(static_cast<double>(magnitude(v)));
}

constexpr double kBound = 62.9;

// (a/b)^n by square and multiply, the digit guard applied before every multiplication.
Fraction power(Fraction base, int64_t n) {
    Fraction result{1, 1};
    while (n > 0) {
        if (n & 1) {
            if (lgAbs(result.num) + lgAbs(base.num) > kBound ||
                lgAbs(result.den) + lgAbs(base.den) > kBound)
                throw ErroC(kPowerTooLarge);
            result = {mul(result.num, base.num), mul(result.den, base.den)};
        }
        n >>= 1;
        if (n > 0) {
            if (2 * lgAbs(base.num) > kBound || 2 * lgAbs(base.den) > kBound)
                throw ErroC(kPowerTooLarge);
            base = {mul(base.num, base.num), mul(base.den, base.den)};
        }
    }
    return result;
}

}  // namespace

void Evaluator::pushFraction(const PostfixItem& item, Slot& s) {
    if (item.kind != ItemKind::Number) throw ErroC("expression invalid for the fraction mode");
    int64_t num = 0, den = 1;
    if (!item.exact || !NumberForms::readInteger(item.text, num))
        throw ErroC("number " + item.text + " too large for the fraction mode");
    if (!item.denominator.empty() && !NumberForms::readInteger(item.denominator, den))
        throw ErroC("number " + item.denominator + " too large for the fraction mode");
    if (den == 0) throw FaultSignal{Fault::DivisionByZero};
    Fraction f = normalised(num, den);
    s.twin = f.num;
    s.den = f.den;
    s.exact = true;
    s.value = static_cast<double>(f.num) / static_cast<double>(f.den);
}

void Evaluator::applyFraction(Op op) {
    Slot& ys = slot(1);
    Slot& xs = slot(2);
    const Fraction x{xs.twin, xs.den}, y{ys.twin, ys.den};
    Fraction r{0, 1};
    switch (op) {
        case Op::Add:
        case Op::Sub: {
            int64_t g = gcdAbs(x.den, y.den);
            int64_t l;
            if (g == 0 || __builtin_mul_overflow(x.den / g, y.den, &l))
                throw ErroC("lcm: overflow");
            // L/b is exact, so (L/b)*a equals the quotient of L*a by b without its overflow.
            int64_t a = mul(l / x.den, x.num), c = mul(l / y.den, y.num);
            int64_t n;
            if (op == Op::Add ? __builtin_add_overflow(a, c, &n) : __builtin_sub_overflow(a, c, &n))
                throw ErroC(kOverflow);
            r = normalised(n, l);
            break;
        }
        case Op::Mul:
            r = product(x, y);
            break;
        case Op::Div:
            if (y.num == 0) throw FaultSignal{Fault::DivisionByZero};
            r = product(x, Fraction{y.den, y.num});
            break;
        case Op::Pow: {
            Fraction e = reduced(y);
            if (e.den != 1) throw ErroC("fractional exponent in fraction mode");
            Fraction base = x;
            int64_t n = e.num;
            if (n < 0) {
                if (x.num == 0) throw FaultSignal{Fault::DivisionByZero};
                base = normalised(x.den, x.num);
                if (n == kMin) throw ErroC(kPowerTooLarge);
                n = -n;
            }
            r = power(base, n);
            break;
        }
        default:
            throw ErroC("invalid operation for fraction mode");
    }
    drop(2);
    Slot& out = slot(1);
    out = Slot{};
    out.twin = r.num;
    out.den = r.den;
    out.exact = true;
    out.value = static_cast<double>(r.num) / static_cast<double>(r.den);
}

}  // namespace tobrisk
