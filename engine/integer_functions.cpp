#include "engine/integer_functions.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace tobrisk {

namespace {

constexpr double kBound = 62.9;

double lg(double x) {
    return x > 0 ? std::log2(x) : 1.0;
}

// The smallest double whose log2 passes kBound, found once through log2 itself, so that a
// comparison with it gives what log2(v) > kBound gives, for every v (log2 is monotonic).
double firstBeyondBound() {
    uint64_t low = std::bit_cast<uint64_t>(1.0), high = std::bit_cast<uint64_t>(HUGE_VAL);
    // Positive doubles are ordered as their bit patterns; keep log2(low) <= kBound < log2(high).
    while (high - low > 1) {
        const uint64_t mid = low + (high - low) / 2;
        if (std::log2(std::bit_cast<double>(mid)) > kBound) {
            high = mid;
        } else {
            low = mid;
        }
    }
    return std::bit_cast<double>(high);
}

const double kFirstTooLarge = firstBeyondBound();

}  // namespace

bool IntegerFunctions::productFits(int64_t a, int64_t b) {
    return lg(static_cast<double>(a)) + lg(static_cast<double>(b)) <= kBound;
}

bool IntegerFunctions::tooLarge(double v) {
    return v >= kFirstTooLarge;
}

double IntegerFunctions::factorial(int32_t n, std::string& message) {
    if (n < 0) message = "fact: invalid argument";
    double r = 1.0;
    for (int32_t i = 1; i <= n; ++i) {
        r *= i;
        if (std::isinf(r)) break;  // 171! and beyond: the first overflow ends the loop
    }
    return r;
}

int64_t IntegerFunctions::factorialExact(int32_t n, std::string& message) {
    if (n < 0) message = "fact: invalid argument";
    if (n <= 0) return 1;
    int64_t r = 1;
    for (int32_t i = 1; i <= n; ++i) {
        if (!productFits(r, i)) return -1;
        r *= i;
    }
    return r;
}

namespace {

bool combRefused(int32_t n, int32_t p, std::string& message) {
    if (n <= 0 || p <= 0 || n < p) {
        message = "comb: invalid arguments";
        return true;
    }
    return false;
}

}  // namespace

double IntegerFunctions::combinations(int32_t n, int32_t p, std::string& message) {
    if (combRefused(n, p, message)) return 1.0;
    if (n / 2.0 > p) p = n - p;  // n - p becomes the smaller count
    double r = 1.0;
    int64_t i = 1;
    for (int64_t c = int64_t{p} + 1; c <= n; ++c) {
        ++i;
        r *= static_cast<double>(c);
        if (std::isinf(r)) break;
        if (i <= n - p) r /= static_cast<double>(i);
    }
    return r;
}

int64_t IntegerFunctions::combinationsExact(int32_t n, int32_t p, std::string& message) {
    if (combRefused(n, p, message)) return 1;
    if (n / 2.0 > p) p = n - p;
    int64_t r = 1;
    int64_t i = 1;
    int64_t s = 1;  // divisors not yet applied, kept back until r is divisible by them
    for (int64_t c = int64_t{p} + 1; c <= n; ++c) {
        if (!productFits(r, c)) return -1;
        r *= c;
        ++i;
        if (i <= n - p) {
            if (r % s == 0) {
                r /= s;
                s = 1;
            }
            if (r % i == 0) {
                r /= i;
            } else if (__builtin_mul_overflow(s, i, &s)) {
                return -1;
            }
        }
    }
    if (r % s != 0) message = "comb: division with remainder";
    return r / s;
}

}  // namespace tobrisk
