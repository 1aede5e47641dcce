#pragma once
// Prime factorisation of 64-bit integers, the factor text of the "Factor Integer" command, and
// the gcd and lcm of 2 to 9 integers that rest on it. The lists are exactly those of plain trial
// division (primes ascending, each with its exponent; (1, 1) for n < 2), but they are computed
// with small-prime division, a deterministic Miller-Rabin test and Pollard-Brent rho, so any
// number below 2^63 factors in microseconds.
//
// Refusals are written into the `message` argument (the engine's message slot); a successful
// factorisation empties it. Callers that must keep an earlier message pass a scratch string.

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace tobrisk {

struct FactorPair {
    int64_t prime = 0;
    int64_t exponent = 0;
    bool operator==(const FactorPair&) const = default;
};

// At most 15 distinct primes divide a 64-bit number; 30 leaves the room of the saved layout.
struct FactorList {
    static constexpr int kCapacity = 30;
    int count = 0;
    std::array<FactorPair, kCapacity> pairs{};

    void add(int64_t prime, int64_t exponent);
    const FactorPair* begin() const { return pairs.data(); }
    const FactorPair* end() const { return pairs.data() + count; }
    bool operator==(const FactorList& o) const;
};

class Factoring {
  public:
    static constexpr int64_t kSmallLimit = 100000000000000;  // 10^14: the 14-digit limit

    // "Factor Big Numbers": while off, numbers above 10^14 are refused.
    void setFactorBig(bool on) { factorBig_ = on; }
    bool factorBig() const { return factorBig_; }

    // n < 2 gives (1, 1), with "factoring of N refused" for n < 1. Above the 14-digit limit
    // (option off) the list is empty and the message says so. Otherwise the message is emptied.
    FactorList factorise(int64_t n, std::string& message) const;
    // "2^3 x 3^2 x 5^1"; the refusal text when factorising is refused.
    std::string factorText(int64_t n, std::string& message) const;
    // gcd and lcm of values.size() integers through their factor lists. Values <= 0 are refused
    // ("factoring of V refused"); lcm gives -1 when the product would leave the overflow guard.
    int64_t gcd(std::span<const int64_t> values, std::string& message) const;
    int64_t lcm(std::span<const int64_t> values, std::string& message) const;

    // The prime factors of n >= 2, ascending with exponents: no refusals, no limit.
    static FactorList primeFactors(uint64_t n);
    static bool isPrime(uint64_t n);

  private:
    bool factorAll(std::span<const int64_t> values, std::span<FactorList> lists,
                   std::string& message) const;
    bool factorBig_ = false;
};

}  // namespace tobrisk
