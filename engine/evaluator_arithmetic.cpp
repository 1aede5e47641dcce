// Operators and native functions outside fraction mode: the double result, the integer twin
// rule when all operands are exact, and the fault checks that stand in for a trapping FPU.

#include <array>
#include <chrono>
#include <cmath>
#include <limits>

#include "engine/erro_c.h"
#include "engine/evaluator.h"
#include "engine/integer_functions.h"

namespace tobrisk {

namespace {

constexpr double kTwo63 = 9223372036854775808.0;
constexpr double kTwo31 = 2147483648.0;

// Square and multiply: about 60 steps for any exponent; false when the power leaves 64 bits.
bool exactPower(int64_t base, int64_t exponent, int64_t& out) {
    int64_t result = 1;
    int64_t b = base;
    while (exponent > 0) {
        if ((exponent & 1) && __builtin_mul_overflow(result, b, &result)) return false;
        exponent >>= 1;
        // A square that overflows while bits remain means the power itself overflows.
        if (exponent > 0 && __builtin_mul_overflow(b, b, &b)) return false;
    }
    out = result;
    return true;
}

// Arguments are range-checked before any conversion, so 1e300 never reaches an integer.
bool roundToInt32(double v, int32_t& out) {
    double r = std::round(v);
    if (!(r >= -kTwo31 && r < kTwo31)) return false;
    out = static_cast<int32_t>(r);
    return true;
}

bool roundToInt64(double v, int64_t& out) {
    double r = std::round(v);
    if (!(r >= -kTwo63 && r < kTwo63)) return false;
    out = static_cast<int64_t>(r);
    return true;
}

}  // namespace

uint64_t Evaluator::nextRandom() {
    const auto mix = [](uint64_t z) {
        z += 0x9e3779b97f4a7c15ULL;
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    };
    if (seedPending_) {
        seedPending_ = false;
        const auto now =
            static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        random_ = mix(now ^ mix(seedCount_));
    }
    const uint64_t z = random_;
    random_ += 0x9e3779b97f4a7c15ULL;
    return mix(z);
}

void Evaluator::applyArithmetic(Op op, bool e) {
    const int count = op == Op::Neg || op == Op::Plus ? 1 : 2;
    Slot& y = slot(1);
    Slot& x = count == 2 ? slot(2) : y;
    double r = 0;
    int64_t twin = 0;
    bool exact = false;
    switch (op) {
        case Op::Add:
            r = x.value + y.value;
            exact = e && !__builtin_add_overflow(x.twin, y.twin, &twin);
            break;
        case Op::Sub:
            r = x.value - y.value;
            exact = e && !__builtin_sub_overflow(x.twin, y.twin, &twin);
            break;
        case Op::Mul:
            r = x.value * y.value;
            exact = e && !IntegerFunctions::tooLarge(r) &&
                    !__builtin_mul_overflow(x.twin, y.twin, &twin);
            break;
        case Op::Div:
            if (y.value == 0) {
                throw FaultSignal{x.value == 0 ? Fault::InvalidOperation : Fault::DivisionByZero};
            }
            r = x.value / y.value;
            break;
        case Op::Pow:
            if (x.value == 0 && y.value < 0) throw FaultSignal{Fault::DivisionByZero};
            if (x.value < 0 && std::trunc(y.value) != y.value)
                throw FaultSignal{Fault::InvalidOperation};
            r = std::pow(x.value, y.value);
            exact = e && y.twin >= 0 && !IntegerFunctions::tooLarge(r) &&
                    exactPower(x.twin, y.twin, twin);
            break;
        case Op::Neg:
            r = -y.value;
            exact = e && !__builtin_sub_overflow(int64_t{0}, y.twin, &twin);
            break;
        case Op::Plus:
            r = y.value;
            twin = y.twin;
            exact = e;
            break;
        default:
            throw ErroC("logical error: invalid operator");
    }
    if (std::isinf(r)) throw FaultSignal{Fault::Overflow};
    if (std::isnan(r)) throw FaultSignal{Fault::InvalidOperation};
    if (!exact) ctx_.integerMode = false;
    drop(count);
    Slot& out = slot(1);
    out = Slot{};
    out.value = exact ? static_cast<double>(twin) : r;
    // Keep the double of an exact result as the arithmetic gave it: the float form shows it.
    if (exact) out.value = r;
    out.twin = exact ? twin : 0;
    out.exact = exact;
}

void Evaluator::applyFunction(Op op, bool e, const std::string& name, int count) {
    if (op == Op::Fact || op == Op::Comb || op == Op::Mod || op == Op::Gcd || op == Op::Lcm) {
        applyIntegerFunction(op, e, name, count);
        return;
    }
    const double y = slot(1).value;
    const double x = count == 2 ? slot(2).value : 0;
    const double angle = ctx_.angleFactor;
    double r = 0;
    switch (op) {
        case Op::Sin:
            r = std::sin(y * angle);
            break;
        case Op::Cos:
            r = std::cos(y * angle);
            break;
        case Op::Tan:
            r = std::tan(y * angle);
            break;
        case Op::Asin:
            if (!(y >= -1 && y <= 1)) throw FaultSignal{Fault::InvalidOperation};
            r = std::asin(y) / angle;
            break;
        case Op::Acos:
            if (!(y >= -1 && y <= 1)) throw FaultSignal{Fault::InvalidOperation};
            r = std::acos(y) / angle;
            break;
        case Op::Atan:
            r = std::atan(y) / angle;
            break;
        case Op::Sqrt:
            if (y < 0) throw FaultSignal{Fault::InvalidOperation};
            r = std::sqrt(y);
            break;
        case Op::Log:
            if (y == 0) throw FaultSignal{Fault::DivisionByZero};
            if (y < 0) throw FaultSignal{Fault::InvalidOperation};
            r = std::log(y);
            break;
        case Op::LogBase: {
            if (x == 0 || y == 0) throw FaultSignal{Fault::DivisionByZero};
            if (x < 0 || y < 0) throw FaultSignal{Fault::InvalidOperation};
            const double lx = std::log(x), ly = std::log(y);
            if (ly == 0) {
                throw FaultSignal{lx == 0 ? Fault::InvalidOperation : Fault::DivisionByZero};
            }
            r = lx / ly;
            break;
        }
        case Op::Exp:
            r = std::exp(y);
            break;
        case Op::Rand: {
            int32_t n = 0;
            if (!roundToInt32(y, n) || n < 1) throw ErroC(prefix_ + "invalid argument");
            // Multiply-shift maps 64 random bits onto 0..n-1 without a modulo bias worth noting.
            r = static_cast<double>((nextRandom() >> 32) * static_cast<uint64_t>(n) >> 32);
            break;
        }
        case Op::Round:
            r = std::nearbyint(y);
            break;
        case Op::RoundMode:
            if (y == -1) {
                r = std::trunc(x);
            } else if (y == 0) {
                r = std::nearbyint(x);
            } else if (y == 1) {
                r = std::trunc(x) + 1;
            } else {
                throw ErroC("round: invalid arguments");
            }
            break;
        default:
            throw ErroC("logical error: invalid function");
    }
    if (std::isinf(r)) throw FaultSignal{Fault::Overflow};
    if (std::isnan(r)) throw FaultSignal{Fault::InvalidOperation};
    // No integer rule: the line leaves integer mode.
    ctx_.integerMode = false;
    drop(count);
    Slot& out = slot(1);
    out = Slot{};
    out.value = r;
}

void Evaluator::applyIntegerFunction(Op op, bool e, const std::string& name, int count) {
    double r = 0;
    int64_t twin = 0;
    bool exact = false;
    std::string refusal;
    switch (op) {
        case Op::Fact: {
            int32_t n = 0;
            if (!roundToInt32(slot(1).value, n)) throw ErroC("fact: invalid argument");
            r = IntegerFunctions::factorial(n, refusal);
            if (!refusal.empty()) throw ErroC(refusal);
            if (std::isinf(r)) throw FaultSignal{Fault::Overflow};
            if (e) {
                twin = IntegerFunctions::factorialExact(n, refusal);
                exact = twin >= 0;
            }
            break;
        }
        case Op::Comb: {
            int32_t n = 0, p = 0;
            if (!roundToInt32(slot(2).value, n) || !roundToInt32(slot(1).value, p))
                throw ErroC("comb: invalid arguments");
            r = IntegerFunctions::combinations(n, p, refusal);
            if (!refusal.empty()) throw ErroC(refusal);
            if (std::isinf(r)) throw FaultSignal{Fault::Overflow};
            if (e) {
                twin = IntegerFunctions::combinationsExact(n, p, refusal);
                if (!refusal.empty()) throw ErroC(refusal);
                exact = twin >= 0;
            }
            break;
        }
        case Op::Mod: {
            int64_t a = 0, b = 0;
            if (e) {
                a = slot(2).twin;
                b = slot(1).twin;
            } else if (!roundToInt64(slot(2).value, a) || !roundToInt64(slot(1).value, b)) {
                throw ErroC(prefix_ + "invalid arguments");
            }
            if (b == 0) throw FaultSignal{Fault::DivisionByZero};
            twin = b == -1 ? 0 : a % b;  // the most negative integer mod -1 must not trap
            r = static_cast<double>(twin);
            exact = e;
            break;
        }
        case Op::Gcd:
        case Op::Lcm: {
            if (count < 2 || count > 9) throw ErroC(name + ": wrong number of arguments");
            if (!e) throw ErroC(name + ": invalid arguments");
            std::array<int64_t, 9> values{};
            for (int k = 0; k < count; ++k)
                values[static_cast<std::size_t>(k)] = slot(count - k).twin;
            // "Factoring..." shows while the work runs; only this text is taken away again, so
            // a notice written earlier in the line survives a successful gcd.
            const std::string before = ctx_.message;
            ctx_.message = "Factoring...";
            if (repaint_) repaint_();
            std::span<const int64_t> args(values.data(), static_cast<std::size_t>(count));
            twin = op == Op::Gcd ? factoring_.gcd(args, refusal) : factoring_.lcm(args, refusal);
            if (!refusal.empty()) throw ErroC(refusal);
            if (twin < 0) throw ErroC(name + ": overflow");
            ctx_.message = before;
            r = static_cast<double>(twin);
            exact = true;
            break;
        }
        default:
            throw ErroC("logical error: invalid function");
    }
    if (!exact) ctx_.integerMode = false;
    drop(count);
    Slot& out = slot(1);
    out = Slot{};
    out.value = r;
    out.twin = exact ? twin : 0;
    out.exact = exact;
}

}  // namespace tobrisk
