// Factorisation of hard cases with "Factor Big Numbers" on: large primes, squares and products
// of two large primes, the worst inputs for trial division. One factorisation per iteration.

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "engine/factoring.h"

namespace {

using tobrisk::Factoring;

void factorText(benchmark::State& state, int64_t n) {
    Factoring f;
    f.setFactorBig(true);
    std::string message;
    for (auto _ : state) {
        std::string text = f.factorText(n, message);
        benchmark::DoNotOptimize(text);
    }
    state.SetLabel(f.factorText(n, message));
}

// 2^61 - 1, a Mersenne prime.
BENCHMARK_CAPTURE(factorText, mersenne61, int64_t{2305843009213693951});
// Largest prime below 2^63.
BENCHMARK_CAPTURE(factorText, prime_below_2to63, int64_t{9223372036854775783});
// Largest prime below 10^14 (the 14-digit limit).
BENCHMARK_CAPTURE(factorText, prime_below_1e14, int64_t{99999999999973});
// Two primes near 2^31.
BENCHMARK_CAPTURE(factorText, primes_near_2to31, int64_t{2147483647} * 2147483629);
// 2147483647^2.
BENCHMARK_CAPTURE(factorText, square_of_prime, int64_t{2147483647} * 2147483647);
// Two primes of very different size near the top of the range (2^30 and 2^33): rho's worst.
BENCHMARK_CAPTURE(factorText, primes_2to30_2to33, int64_t{1073741789} * 8589934583);
// Two primes near 10^9.
BENCHMARK_CAPTURE(factorText, primes_near_1e9, int64_t{999999929} * 999999937);
// A number with many small factors.
BENCHMARK_CAPTURE(factorText, smooth, int64_t{9223372036854775807});

// The worst class for rho: products of two primes of 31 and 32 bits, a fixed random set of
// them, one factorisation per iteration.
void balancedSemiprimes(benchmark::State& state) {
    std::mt19937_64 rng(3);
    auto prime = [&](uint64_t lo, uint64_t hi) {
        for (;;)
            if (uint64_t v = lo + rng() % (hi - lo); Factoring::isPrime(v)) return v;
    };
    std::vector<int64_t> numbers;
    while (numbers.size() < 64) {
        const uint64_t p = prime(uint64_t{1} << 30, uint64_t{1} << 31);
        const uint64_t q = prime(uint64_t{1} << 31, 3037000499);
        if (p <= (uint64_t{1} << 63) / q) numbers.push_back(static_cast<int64_t>(p * q));
    }
    Factoring f;
    f.setFactorBig(true);
    std::string message;
    std::size_t k = 0;
    for (auto _ : state) {
        std::string text = f.factorText(numbers[k], message);
        benchmark::DoNotOptimize(text);
        if (++k == numbers.size()) k = 0;
    }
}
BENCHMARK(balancedSemiprimes)->Unit(benchmark::kMicrosecond);

// What the plain trial division costs on the largest 14-digit prime, for comparison.
void trialDivisionReference(benchmark::State& state) {
    const int64_t n = 99999999999973;
    for (auto _ : state) {
        int64_t m = n, found = 0;
        auto limit = static_cast<int64_t>(std::sqrt(static_cast<long double>(m)));
        for (int64_t d = 2; d <= limit; ++d) {
            if (m % d == 0) {
                ++found;
                m /= d;
                --d;
            }
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(trialDivisionReference)->Unit(benchmark::kMillisecond);

}  // namespace
