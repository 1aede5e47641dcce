#include "engine/factoring.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace tobrisk {
namespace {

__extension__ using I128 = __int128;

// Plain trial division by every d >= 2, with the cofactor rule: the lists the fast method must
// reproduce exactly.
FactorList trialDivision(int64_t n) {
    FactorList list;
    if (n < 2) {
        list.add(1, 1);
        return list;
    }
    int64_t m = n;
    auto limit = static_cast<int64_t>(std::nearbyintl(std::sqrt(static_cast<long double>(m))));
    int64_t last = 0;
    for (int64_t d = 2; d <= limit; ++d) {
        if (m % d != 0) continue;
        if (d == last) {
            ++list.pairs[list.count - 1].exponent;
        } else {
            list.add(d, 1);
            last = d;
        }
        m /= d;
        limit = static_cast<int64_t>(std::nearbyintl(std::sqrt(static_cast<long double>(m)))) + 1;
        --d;
    }
    long double product = 1;
    for (const FactorPair& f : list)
        product *= std::pow(static_cast<long double>(f.prime), f.exponent);
    auto p = static_cast<int64_t>(std::nearbyintl(product));
    if (p != n) {
        int64_t q = n / p;
        if (list.count > 0 && q == list.pairs[list.count - 1].prime)
            ++list.pairs[list.count - 1].exponent;
        else
            list.add(q, 1);
    }
    return list;
}

std::string show(const FactorList& l) {
    std::string s;
    for (const FactorPair& f : l)
        s += std::to_string(f.prime) + "^" + std::to_string(f.exponent) + " ";
    return s;
}

TEST(Factoring, FastListsEqualTrialDivisionForEveryNumberUpTo300000) {
    for (int64_t n = -3; n <= 300000; ++n)
        ASSERT_EQ(Factoring::primeFactors(n < 0 ? 0 : n), trialDivision(n < 0 ? 0 : n)) << n;
}

TEST(Factoring, FastListsEqualTrialDivisionOnRandomNumbers) {
    std::mt19937_64 rng(12345);
    // Spread over magnitudes up to 10^11, where trial division stays affordable.
    for (int i = 0; i < 10000; ++i) {
        int digits = 6 + i % 6;
        int64_t top = 1;
        for (int k = 0; k < digits; ++k) top *= 10;
        int64_t n = static_cast<int64_t>(rng() % top) + 2;
        ASSERT_EQ(Factoring::primeFactors(n), trialDivision(n))
            << n << ": " << show(Factoring::primeFactors(n)) << "vs " << show(trialDivision(n));
    }
}

// Above what trial division can run in a test, the list must still be the ascending prime powers.
TEST(Factoring, BuiltProductsOfKnownPrimesUpTo2To63) {
    const std::vector<int64_t> primes = {
        2,          3,          5,          7,          1009,        65537,     999983,
        2147483629, 2147483647, 4294967291, 1000000007, 99999999977, 3037000493};
    std::mt19937_64 rng(7);
    int built = 0;
    while (built < 5000) {
        std::vector<int64_t> exps(primes.size(), 0);
        I128 n = 1;
        bool ok = true;
        for (int k = 0; k < 1 + static_cast<int>(rng() % 5) && ok; ++k) {
            std::size_t pi = rng() % primes.size();
            if (n * primes[pi] >= (I128{1} << 63)) break;
            n *= primes[pi];
            ++exps[pi];
        }
        if (n < 2) continue;
        FactorList want;
        std::vector<std::size_t> order(primes.size());
        for (std::size_t k = 0; k < primes.size(); ++k) order[k] = k;
        std::sort(order.begin(), order.end(),
                  [&](auto a, auto b) { return primes[a] < primes[b]; });
        for (std::size_t k : order)
            if (exps[k]) want.add(primes[k], exps[k]);
        ASSERT_EQ(Factoring::primeFactors(static_cast<uint64_t>(n)), want)
            << static_cast<int64_t>(n);
        ++built;
    }
}

// Random numbers over the whole range: ascending primes whose powers multiply back to n.
TEST(Factoring, RandomNumbersBelow2To63MultiplyBack) {
    std::mt19937_64 rng(99);
    for (int i = 0; i < 20000; ++i) {
        const uint64_t n = (rng() >> (1 + i % 40)) | 2;
        const FactorList list = Factoring::primeFactors(n);
        I128 product = 1;
        int64_t last = 1;
        for (const FactorPair& f : list) {
            ASSERT_GT(f.prime, last) << n;
            ASSERT_TRUE(Factoring::isPrime(static_cast<uint64_t>(f.prime))) << n << " " << f.prime;
            for (int64_t e = 0; e < f.exponent; ++e) product *= f.prime;
            last = f.prime;
        }
        ASSERT_EQ(product, static_cast<I128>(n)) << n;
    }
}

TEST(Factoring, PrimalityAgreesWithTrialDivision) {
    for (uint64_t n = 0; n < 200000; ++n) {
        const FactorList l = trialDivision(static_cast<int64_t>(n));
        const bool prime = n >= 2 && l.count == 1 && l.pairs[0].exponent == 1;
        ASSERT_EQ(Factoring::isPrime(n), prime) << n;
    }
    // Strong pseudoprimes to several small bases.
    for (uint64_t n : {3215031751ULL, 2152302898747ULL, 3474749660383ULL, 341550071728321ULL,
                       3825123056546413051ULL})
        EXPECT_FALSE(Factoring::isPrime(n)) << n;
}

TEST(Factoring, HardCasesBelow2To63) {
    struct Case {
        int64_t n;
        std::string text;
    } cases[] = {
        {2305843009213693951, "2305843009213693951^1"},  // 2^61 - 1
        {4611686014132420609, "2147483647^2"},
        {4611685975477714963, "2147483629^1 x 2147483647^1"},
        {9223372036854775783, "9223372036854775783^1"},  // largest prime below 2^63
        {99999999999973, "99999999999973^1"},            // largest prime below 10^14
        {9223372036854775807, "7^2 x 73^1 x 127^1 x 337^1 x 92737^1 x 649657^1"},
        {999999866000004473, "999999929^1 x 999999937^1"},
        {4611686018427387904, "2^62"},
        {9223253290108583207, "2097143^3"},  // prime cubes and powers beyond the small primes
        {1201024845477409681, "1031^6"},
        {281487861809153, "65537^3"},
        {4565522057410609, "1031^2 x 65537^2"},
        {9223371726543388987, "1073741789^1 x 8589934583^1"},
    };
    Factoring f;
    f.setFactorBig(true);
    for (const Case& c : cases) {
        std::string msg = "Factoring...";
        EXPECT_EQ(f.factorText(c.n, msg), c.text) << c.n;
        EXPECT_EQ(msg, "");
    }
}

TEST(Factoring, TextAndRefusals) {
    Factoring f;
    struct Case {
        int64_t n;
        std::string text;
    } cases[] = {
        {360, "2^3 x 3^2 x 5^1"},
        {97, "97^1"},
        {1, "1^1"},
        {0, "factoring of 0 refused"},
        {-7, "factoring of -7 refused"},
        {99999999999999, "3^2 x 11^1 x 239^1 x 4649^1 x 909091^1"},
        {100000000000000, "2^14 x 5^14"},
        {100000000000001, "Number to factor has more than 14 digits"},
    };
    for (const Case& c : cases) {
        std::string msg;
        EXPECT_EQ(f.factorText(c.n, msg), c.text) << c.n;
    }
    std::string msg;
    EXPECT_EQ(f.factorise(100000000000001, msg).count, 0);
    f.setFactorBig(true);
    EXPECT_EQ(f.factorText(100000000000001, msg), "29^1 x 101^1 x 281^1 x 121499449^1");
}

TEST(Factoring, GcdAndLcm) {
    Factoring f;
    struct Case {
        std::vector<int64_t> v;
        int64_t gcd, lcm;
        std::string msg;
    } cases[] = {
        {{12, 18}, 6, 36, ""},
        {{4, 6, 10}, 2, 60, ""},
        {{1, 1}, 1, 1, ""},
        {{1, 6}, 1, 6, ""},
        {{7, 13}, 1, 91, ""},
        {{8, 12, 20, 28, 44, 52, 68, 76, 92}, 4, 0, ""},
        {{0, 5}, 1, 1, "factoring of 0 refused"},
        {{5, -3}, 1, 1, "factoring of -3 refused"},
        {{6, 100000000000001}, 1, 1, "Number to factor has more than 14 digits"},
        // The guard refuses products above 2^62.9 even when they would still fit.
        {{4611686018427387904, 3}, 1, -1, ""},
    };
    f.setFactorBig(false);
    for (const Case& c : cases) {
        std::string m1 = "Factoring...", m2 = "Factoring...";
        Factoring g = f;
        if (c.v.back() == 3) g.setFactorBig(true);
        EXPECT_EQ(g.gcd(c.v, m1), c.gcd);
        EXPECT_EQ(m1, c.msg);
        int64_t l = g.lcm(c.v, m2);
        if (c.lcm != 0) {
            EXPECT_EQ(l, c.lcm);
        }
        EXPECT_EQ(m2, c.msg);
    }
    std::string m;
    EXPECT_EQ(f.lcm(std::vector<int64_t>{8, 12, 20, 28, 44, 52, 68, 76, 92}, m),
              int64_t{8} * 3 * 5 * 7 * 11 * 13 * 17 * 19 * 23);
}

}  // namespace
}  // namespace tobrisk
