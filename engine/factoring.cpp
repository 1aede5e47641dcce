#include "engine/factoring.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "engine/integer_functions.h"

namespace tobrisk {

namespace {

// ---- 64-bit modular arithmetic (Montgomery form), for odd moduli below 2^63 ----

#if defined(_MSC_VER) && !defined(__clang__)
uint64_t mulHigh(uint64_t a, uint64_t b) {
    return __umulh(a, b);
}
void mulFull(uint64_t a, uint64_t b, uint64_t& lo, uint64_t& hi) {
    lo = _umul128(a, b, &hi);
}
#else
__extension__ using U128 = unsigned __int128;
uint64_t mulHigh(uint64_t a, uint64_t b) {
    return static_cast<uint64_t>((U128(a) * b) >> 64);
}
void mulFull(uint64_t a, uint64_t b, uint64_t& lo, uint64_t& hi) {
    U128 p = U128(a) * b;
    lo = static_cast<uint64_t>(p);
    hi = static_cast<uint64_t>(p >> 64);
}
#endif

class Montgomery {
  public:
    explicit Montgomery(uint64_t n) : n_(n) {
        inv_ = n;  // correct to 3 bits for odd n; each Newton step doubles them
        for (int i = 0; i < 5; ++i) inv_ *= 2 - n * inv_;
        one_ = (0 - n) % n;  // 2^64 mod n
        r2_ = one_;
        for (int i = 0; i < 64; ++i) {  // n < 2^63, so doubling never wraps
            r2_ <<= 1;
            if (r2_ >= n_) r2_ -= n_;
        }
    }
    uint64_t mul(uint64_t a, uint64_t b) const {
        uint64_t lo, hi;
        mulFull(a, b, lo, hi);
        uint64_t mh = mulHigh(lo * inv_, n_);
        return hi >= mh ? hi - mh : hi - mh + n_;
    }
    uint64_t toMont(uint64_t a) const { return mul(a % n_, r2_); }
    uint64_t one() const { return one_; }
    uint64_t add(uint64_t a, uint64_t b) const {
        uint64_t s = a + b;  // both below n < 2^63
        return s >= n_ ? s - n_ : s;
    }
    uint64_t pow(uint64_t base, uint64_t e) const {
        uint64_t r = one_;
        while (e) {
            if (e & 1) r = mul(r, base);
            base = mul(base, base);
            e >>= 1;
        }
        return r;
    }
    uint64_t modulus() const { return n_; }

  private:
    uint64_t n_, inv_, one_, r2_;
};

uint64_t binaryGcd(uint64_t a, uint64_t b) {
    if (a == 0) return b;
    if (b == 0) return a;
    int shift = std::countr_zero(a | b);
    a >>= std::countr_zero(a);
    while (b != 0) {
        b >>= std::countr_zero(b);
        if (a > b) std::swap(a, b);
        b -= a;
    }
    return a << shift;
}

uint64_t isqrt(uint64_t n) {
    auto r = static_cast<uint64_t>(std::sqrt(static_cast<double>(n)));
    while (r > 0 && r > n / r) --r;
    while ((r + 1) <= n / (r + 1)) ++r;
    return r;
}

// ---- small primes, divided out with multiplicative inverses ----

constexpr int kSmallPrimeBound = 1024;

struct SmallPrime {
    uint32_t p;
    uint64_t inverse;  // p^-1 mod 2^64
    uint64_t limit;    // n is divisible by p exactly when n * inverse <= limit
};

constexpr int countSmallPrimes() {
    int c = 0;
    for (int n = 3; n < kSmallPrimeBound; n += 2) {
        bool prime = true;
        for (int d = 3; d * d <= n; d += 2)
            if (n % d == 0) prime = false;
        if (prime) ++c;
    }
    return c;
}

constexpr auto kSmallPrimes = [] {
    std::array<SmallPrime, countSmallPrimes()> t{};
    int k = 0;
    for (uint32_t n = 3; n < kSmallPrimeBound; n += 2) {
        bool prime = true;
        for (uint32_t d = 3; d * d <= n; d += 2)
            if (n % d == 0) prime = false;
        if (!prime) continue;
        uint64_t inv = n;
        for (int i = 0; i < 5; ++i) inv *= 2 - n * inv;
        t[k++] = {n, inv, ~uint64_t{0} / n};
    }
    return t;
}();

// ---- primality and splitting ----

bool millerRabin(const Montgomery& m, uint64_t n, uint64_t a) {
    a %= n;
    if (a == 0) return true;
    uint64_t d = n - 1;
    int s = std::countr_zero(d);
    d >>= s;
    const uint64_t one = m.one();
    const uint64_t minusOne = n - one;
    uint64_t x = m.pow(m.toMont(a), d);
    if (x == one || x == minusOne) return true;
    for (int i = 1; i < s; ++i) {
        x = m.mul(x, x);
        if (x == minusOne) return true;
        if (x == one) return false;
    }
    return false;
}

// Odd n with no prime factor below kSmallPrimeBound.
bool isPrimeLarge(uint64_t n) {
    if (n < uint64_t{kSmallPrimeBound} * kSmallPrimeBound) return true;
    Montgomery m(n);
    // Bases known to decide every n below 2^32 and 2^64 respectively.
    static constexpr uint64_t kBases32[] = {2, 7, 61};
    static constexpr uint64_t kBases64[] = {2, 325, 9375, 28178, 450775, 9780504, 1795265022};
    if (n < (uint64_t{1} << 32)) {
        for (uint64_t a : kBases32)
            if (!millerRabin(m, n, a)) return false;
        return true;
    }
    for (uint64_t a : kBases64)
        if (!millerRabin(m, n, a)) return false;
    return true;
}

// A few steps of Fermat's method catch squares and products of two close primes at once.
uint64_t fermatSplit(uint64_t n) {
    uint64_t a = isqrt(n);
    if (a * a == n) return a;
    ++a;
    for (int k = 0; k < 4; ++k, ++a) {
        uint64_t b2 = a * a - n;
        uint64_t b = isqrt(b2);
        if (b * b == b2) return a - b;
    }
    return 0;
}

// Pollard-Brent rho on an odd composite n: a proper divisor of n.
uint64_t rhoSplit(uint64_t n) {
    const Montgomery m(n);
    constexpr uint64_t kBatch = 128;
    for (uint64_t c0 = 1;; ++c0) {
        const uint64_t c = m.toMont(c0);
        auto f = [&](uint64_t v) { return m.add(m.mul(v, v), c); };
        uint64_t y = m.toMont(2), x = y, ys = y, q = m.one(), g = 1;
        for (uint64_t r = 1; g == 1; r <<= 1) {
            x = y;
            for (uint64_t i = 0; i < r; ++i) y = f(y);
            for (uint64_t k = 0; k < r && g == 1; k += kBatch) {
                ys = y;
                uint64_t steps = std::min(kBatch, r - k);
                for (uint64_t i = 0; i < steps; ++i) {
                    y = f(y);
                    q = m.mul(q, x > y ? x - y : y - x);
                }
                g = binaryGcd(q, n);
            }
        }
        if (g == n) {  // the batch overshot: step back one at a time
            do {
                ys = f(ys);
                g = binaryGcd(x > ys ? x - ys : ys - x, n);
            } while (g == 1);
        }
        if (g != n) return g;
    }
}

struct PrimeBag {
    std::array<uint64_t, 64> p{};
    int count = 0;
    void push(uint64_t v, int times = 1) {
        for (int i = 0; i < times; ++i) p[count++] = v;
    }
};

// n odd, free of small primes.
void splitLarge(uint64_t n, PrimeBag& bag) {
    if (n == 1) return;
    if (isPrimeLarge(n)) {
        bag.push(n);
        return;
    }
    uint64_t d = fermatSplit(n);
    if (d <= 1 || d >= n) d = rhoSplit(n);
    splitLarge(d, bag);
    splitLarge(n / d, bag);
}

}  // namespace

void FactorList::add(int64_t prime, int64_t exponent) {
    if (count < kCapacity) pairs[count++] = {prime, exponent};
}

bool FactorList::operator==(const FactorList& o) const {
    return count == o.count && std::equal(begin(), end(), o.begin());
}

bool Factoring::isPrime(uint64_t n) {
    if (n < 2) return false;
    if (n % 2 == 0) return n == 2;
    for (const SmallPrime& sp : kSmallPrimes) {
        if (uint64_t{sp.p} * sp.p > n) return true;
        if (n * sp.inverse <= sp.limit) return n == sp.p;
    }
    return isPrimeLarge(n);
}

FactorList Factoring::primeFactors(uint64_t n) {
    FactorList list;
    if (n < 2) {
        list.add(1, 1);
        return list;
    }
    if (int twos = std::countr_zero(n); twos > 0) {
        list.add(2, twos);
        n >>= twos;
    }
    for (const SmallPrime& sp : kSmallPrimes) {
        if (uint64_t{sp.p} * sp.p > n) break;
        int e = 0;
        while (n * sp.inverse <= sp.limit) {
            n *= sp.inverse;  // exact division
            ++e;
        }
        if (e > 0) list.add(sp.p, e);
    }
    if (n == 1) return list;
    if (n < uint64_t{kSmallPrimeBound} * kSmallPrimeBound) {
        list.add(static_cast<int64_t>(n), 1);
        return list;
    }
    PrimeBag bag;
    splitLarge(n, bag);
    std::sort(bag.p.begin(), bag.p.begin() + bag.count);
    for (int i = 0; i < bag.count;) {
        int j = i;
        while (j < bag.count && bag.p[j] == bag.p[i]) ++j;
        list.add(static_cast<int64_t>(bag.p[i]), j - i);
        i = j;
    }
    return list;
}

FactorList Factoring::factorise(int64_t n, std::string& message) const {
    if (n < 2) {
        FactorList one;
        one.add(1, 1);
        message.clear();
        if (n < 1) message = "factoring of " + std::to_string(n) + " refused";
        return one;
    }
    if (n > kSmallLimit && !factorBig_) {
        message = "Number to factor has more than 14 digits";
        return {};
    }
    message.clear();
    return primeFactors(static_cast<uint64_t>(n));
}

std::string Factoring::factorText(int64_t n, std::string& message) const {
    FactorList list = factorise(n, message);
    if (!message.empty()) return message;
    std::string text;
    for (const FactorPair& f : list) {
        if (!text.empty()) text += " x ";
        text += std::to_string(f.prime) + "^" + std::to_string(f.exponent);
    }
    return text;
}

bool Factoring::factorAll(std::span<const int64_t> values, std::span<FactorList> lists,
                          std::string& message) const {
    for (std::size_t j = 0; j < values.size(); ++j) {
        if (values[j] <= 0) {
            message = "factoring of " + std::to_string(values[j]) + " refused";
            return false;
        }
        lists[j] = factorise(values[j], message);
        if (!message.empty()) return false;
    }
    return true;
}

namespace {

// The first pair of `list` with prime p, scanning in ascending order and stopping at the first
// prime above p; neutralised pairs (prime 0 or 1) never match.
FactorPair* findPrime(FactorList& list, int64_t p) {
    for (int i = 0; i < list.count; ++i) {
        FactorPair& f = list.pairs[i];
        if (f.prime == p) return &f;
        if (f.prime > p) return nullptr;
    }
    return nullptr;
}

}  // namespace

int64_t Factoring::lcm(std::span<const int64_t> values, std::string& message) const {
    std::array<FactorList, 9> lists;
    if (values.size() > lists.size()) return 0;
    if (!factorAll(values, lists, message)) return 1;
    const std::size_t k = values.size();
    for (std::size_t j = 1; j < k; ++j) {
        for (int i = 0; i < lists[j].count; ++i) {
            FactorPair& pair = lists[j].pairs[i];
            if (pair.prime == 1) continue;
            for (std::size_t e = 0; e < j; ++e) {
                FactorPair* earlier = findPrime(lists[e], pair.prime);
                if (!earlier) continue;
                FactorPair& loser = earlier->exponent < pair.exponent ? *earlier : pair;
                loser = {1, 0};
                break;
            }
        }
    }
    // The guard is applied before every single multiplication, in list order, so that the
    // overflow answer (-1) comes exactly where the stepwise product would leave the range.
    int64_t result = 1;
    for (std::size_t j = 0; j < k; ++j) {
        for (const FactorPair& f : lists[j]) {
            if (f.prime == 1) continue;
            for (int64_t e = 0; e < f.exponent; ++e) {
                if (!IntegerFunctions::productFits(result, f.prime)) return -1;
                result *= f.prime;
            }
        }
    }
    return result;
}

int64_t Factoring::gcd(std::span<const int64_t> values, std::string& message) const {
    std::array<FactorList, 9> lists;
    if (values.size() > lists.size()) return 0;
    if (!factorAll(values, lists, message)) return 1;
    const std::size_t k = values.size();
    int64_t result = 1;
    for (const FactorPair& first : lists[0]) {
        int64_t smallest = first.exponent;
        bool everywhere = true;
        for (std::size_t j = 1; j < k && everywhere; ++j) {
            FactorPair* f = findPrime(lists[j], first.prime);
            if (!f)
                everywhere = false;
            else
                smallest = std::min(smallest, f->exponent);
        }
        if (!everywhere) continue;
        for (int64_t e = 0; e < smallest; ++e) result *= first.prime;  // never above values[0]
    }
    return result;
}

}  // namespace tobrisk
