#pragma once
// Factorial and combinations of the expression engine, each twice: a double version that is
// always computed and an exact 64-bit version used in integer mode. The exact versions answer -1
// when the product would leave the overflow guard, and the evaluator then carries on with the
// double. Refusals ("fact: invalid argument", "comb: invalid arguments", "comb: division with
// remainder") are written into `message`; the returned value is then meaningless.
//
// The double versions stop at their first overflow and return infinity, so a huge argument
// answers at once; the caller turns that into its overflow message.

#include <cstdint>
#include <string>

namespace tobrisk {

class IntegerFunctions {
  public:
    // The overflow guard for a product of non-negative integers: lg(a) + lg(b) <= 62.9, with
    // lg(x) = log2(x) for x > 0 and 1 otherwise.
    static bool productFits(int64_t a, int64_t b);
    // The magnitude bound of exact arithmetic: v > 0 and log2(v) > 62.9.
    static bool tooLarge(double v);

    static double factorial(int32_t n, std::string& message);
    static int64_t factorialExact(int32_t n, std::string& message);
    static double combinations(int32_t n, int32_t p, std::string& message);
    static int64_t combinationsExact(int32_t n, int32_t p, std::string& message);
};

}  // namespace tobrisk
