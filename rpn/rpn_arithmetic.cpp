#include "rpn/rpn_arithmetic.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace tobrisk {

namespace {

// A result from finite operands: inf is an overflow, NaN an invalid operation.
Outcome checked(long double r) {
    if (std::isnan(r)) return {0, Fault::Invalid};
    if (std::isinf(r)) return {0, Fault::Overflow};
    return {r, Fault::None};
}

// Squares only what a remaining bit needs, so 1E2000^2 does not overflow on a spare square.
long double powerBySquaring(long double base, std::uint64_t n) {
    long double result = 1;
    while (n != 0) {
        if (n & 1U) result *= base;
        n >>= 1U;
        if (n != 0) base *= base;
    }
    return result;
}

struct FaultText {
    Fault fault;
    const char* operators;
    const char* functions;
};

constexpr FaultText kFaultTexts[] = {
    {Fault::Overflow, "Out of Range", "Out of Range"},
    {Fault::DivisionByZero, "Division by Zero", "Division by Zero"},
    {Fault::Invalid, "Invalid Operation", "Invalid Argument"},
};

}  // namespace

Outcome RpnArithmetic::apply(Operator op, long double y, long double x) {
    if (!std::isfinite(x) || !std::isfinite(y)) return {0, Fault::Invalid};
    switch (op) {
        case Operator::Add:
            return checked(y + x);
        case Operator::Subtract:
            return checked(y - x);
        case Operator::Multiply:
            return checked(y * x);
        case Operator::Divide:
            if (x == 0) return {0, y == 0 ? Fault::Invalid : Fault::DivisionByZero};
            return checked(y / x);
        case Operator::Power:
            return power(y, x);
    }
    return {0, Fault::Invalid};
}

Outcome RpnArithmetic::power(long double y, long double x) {
    if (!std::isfinite(x) || !std::isfinite(y)) return {0, Fault::Invalid};
    if (x == 0) return {1, Fault::None};
    if (y == 0 && x > 0) return {0, Fault::None};
    if (std::trunc(x) == x && std::fabs(x) <= 2147483647.0L) {
        const auto n = static_cast<std::uint64_t>(std::fabs(x));
        if (x > 0) return checked(powerBySquaring(y, n));
        if (y == 0) return {0, Fault::DivisionByZero};
        long double p = powerBySquaring(y, n);
        if (std::isinf(p)) {
            // The reciprocal of an overflowing power may still be in range: (1/Y)^|X|,
            // underflowing quietly where it is not.
            return checked(powerBySquaring(1 / y, n));
        }
        if (p == 0) return {0, Fault::Overflow};  // |Y| < 1: 1/p is beyond the range
        // A subnormal power has lost digits its reciprocal would show.
        if (std::fabs(p) < std::numeric_limits<long double>::min()) return checked(std::pow(y, x));
        return checked(1 / p);
    }
    if (y == 0) return {0, Fault::DivisionByZero};  // ln 0 with a negative exponent
    if (y < 0) return {0, Fault::Invalid};
    // e^(X ln Y); powl computes the same without the rounding of the product.
    return checked(std::pow(y, x));
}

Outcome RpnArithmetic::function(NativeFunction f, long double y, long double x,
                                long double factor) {
    if (!std::isfinite(x) || !std::isfinite(y)) return {0, Fault::Invalid};
    constexpr long double kTwo63 = 9223372036854775808.0L;
    switch (f) {
        case NativeFunction::Sin:
        case NativeFunction::Cos: {
            long double a = x * factor;
            // The x87 gives up on arguments of 2^63 and more; so does this calculator.
            if (std::fabs(a) >= kTwo63) return {0, Fault::None};
            return checked(f == NativeFunction::Sin ? std::sin(a) : std::cos(a));
        }
        case NativeFunction::Tan:
            return checked(std::tan(x * factor));
        case NativeFunction::Asin:
            if (std::fabs(x) > 1) return {0, Fault::Invalid};
            return checked(std::atan2(x, std::sqrt(1 - x * x)) / factor);
        case NativeFunction::Acos:
            if (std::fabs(x) > 1) return {0, Fault::Invalid};
            return checked(std::atan2(std::sqrt(1 - x * x), x) / factor);
        case NativeFunction::Atan:
            return checked(std::atan(x) / factor);
        case NativeFunction::Log:
            if (x == 0) return {0, Fault::DivisionByZero};
            if (x < 0) return {0, Fault::Invalid};
            return checked(std::log(x));
        case NativeFunction::Exp:
            return checked(std::exp(x));
        case NativeFunction::Sqrt:
            if (x < 0) return {0, Fault::Invalid};
            return checked(std::sqrt(x));
        case NativeFunction::Percent:
            return checked(y * x / 100);
    }
    return {0, Fault::Invalid};
}

Outcome RpnArithmetic::reciprocal(long double x) {
    if (x == 0) return {0, Fault::DivisionByZero};
    return checked(1 / x);
}

const char* RpnArithmetic::operatorMessage(Fault f) {
    for (const auto& t : kFaultTexts)
        if (t.fault == f) return t.operators;
    return "";
}

const char* RpnArithmetic::functionMessage(Fault f) {
    for (const auto& t : kFaultTexts)
        if (t.fault == f) return t.functions;
    return "";
}

}  // namespace tobrisk
