#include "engine/number_forms.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <numeric>

namespace tobrisk {

namespace {

constexpr int kSignificant = 15;
constexpr const char* kPatternBase = "###,###,###,##0";

// The 15 significant decimal digits of a finite, non-zero |x| and its decimal exponent: x is
// d1.d2...d15 * 10^exp10. to_chars rounds the exact binary value as printf("%.14e") does.
struct Digits {
    char digits[kSignificant];
    int exp10 = 0;
};

#if defined(__SIZEOF_INT128__)
__extension__ typedef unsigned __int128 Wide;

constexpr uint64_t kPow10[] = {1ULL,
                               10ULL,
                               100ULL,
                               1000ULL,
                               10000ULL,
                               100000ULL,
                               1000000ULL,
                               10000000ULL,
                               100000000ULL,
                               1000000000ULL,
                               10000000000ULL,
                               100000000000ULL,
                               1000000000000ULL,
                               10000000000000ULL,
                               100000000000000ULL,
                               1000000000000000ULL,
                               10000000000000000ULL,
                               100000000000000000ULL,
                               1000000000000000000ULL,
                               10000000000000000000ULL};

// The common magnitudes, 1e-5 <= a < 1e17, by integer arithmetic on the exact value
// m * 2^e: N = a * 10^(14 - E) lies in [10^14, 10^15) for the right E and is rounded half to
// even as printf rounds. A fraction of the cost of the general conversion.
bool digitsByIntegers(double a, Digits& d) {
    if (!(a >= 1e-5 && a < 1e17)) return false;
    // a is normal here: a = m * 2^e exactly, with the implicit bit; -69 <= e <= 4.
    const uint64_t bits = std::bit_cast<uint64_t>(a);
    const uint64_t m = (bits & ((uint64_t{1} << 52) - 1)) | (uint64_t{1} << 52);
    const int e = static_cast<int>(bits >> 52) - 1075;
    const int e2 = e + 53;  // a = fraction * 2^e2 with the fraction in [0.5, 1)
    // floor((e2 - 1) * log10(2)) is E or E - 1.
    int exp10 = ((e2 - 1) * 78913) >> 18;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int k = kSignificant - 1 - exp10;  // -3 <= k <= 20
        if (k < -19 || k > 19) return false;
        Wide num = m, q, r, half;
        bool tieBreakable;
        if (k >= 0 && e < 0) {
            // The usual case: a power of two below, so the division is a shift.
            num *= kPow10[k];
            q = num >> -e;
            r = num & ((Wide(1) << -e) - 1);
            half = Wide(1) << (-e - 1);
            tieBreakable = true;
        } else {
            Wide den = 1;
            if (k >= 0) {
                num *= kPow10[k];
            } else {
                den = kPow10[-k];
            }
            if (e >= 0) {
                num <<= e;
            } else {
                den <<= -e;
            }
            q = num / den;
            r = num % den;
            // den is even whenever it is not 1; with den == 1 there is no remainder at all.
            half = den / 2;
            tieBreakable = den % 2 == 0;
        }
        if (q >= kPow10[kSignificant]) {
            ++exp10;
            continue;
        }
        if (q < kPow10[kSignificant - 1]) {
            --exp10;
            continue;
        }
        if (r > half || (tieBreakable && r == half && r != 0 && (q & 1))) ++q;
        if (q == kPow10[kSignificant]) {
            q = kPow10[kSignificant - 1];
            ++exp10;
        }
        std::to_chars(d.digits, d.digits + kSignificant, static_cast<uint64_t>(q));
        d.exp10 = exp10;
        return true;
    }
    return false;
}
#else
bool digitsByIntegers(double, Digits&) {
    return false;
}
#endif

Digits significantDigits(double x) {
    Digits d;
    if (digitsByIntegers(std::fabs(x), d)) return d;
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific,
                                 kSignificant - 1);
    // "d.ddddddddddddddde+XX"
    d.digits[0] = buf[0];
    std::memcpy(d.digits + 1, buf + 2, kSignificant - 1);
    const char* p = buf + kSignificant + 2;  // past the 'e'
    const bool negative = *p == '-';
    int e = 0;
    for (++p; p < r.ptr; ++p) e = e * 10 + (*p - '0');
    d.exp10 = negative ? -e : e;
    return d;
}

// Index one past the last digit other than '0' in [from, to), or from when there is none.
int endOfSignificant(const char* digits, int from, int to) {
    while (to > from && digits[to - 1] == '0') --to;
    return to;
}

// Groups of three from the right with the separator, never at the end.
void appendGrouped(std::string& out, const char* digits, std::size_t n, char sep) {
    const std::size_t lead = n % 3;
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && i % 3 == lead) out += sep;
        out += digits[i];
    }
}

uint64_t magnitude(int64_t n) {
    return n < 0 ? uint64_t(0) - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
}

std::string unsignedText(uint64_t v) {
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

}  // namespace

NumberForms::NumberForms() {
    setDecimalPlaces(kAutomatic);
}

void NumberForms::setDecimalPlaces(int n) {
    decimals_ = std::clamp(n, kAutomatic, 9);
    pattern_ = kPatternBase;
    if (decimals_ > 0) pattern_ += "." + std::string("0000000000").substr(0, decimals_);
}

double NumberForms::readNumber(std::string_view text) {
    // Only the typed syntax: an optional sign, then digits or a point. from_chars alone would
    // also take "inf" and "nan" from a body text.
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !(text.front() == '.' || (text.front() >= '0' && text.front() <= '9'))) {
        return 0;
    }
    const double v = readUnsigned(text);
    return negative ? -v : v;
}

namespace {
// Far beyond any double exponent and far from long's limits, so lead + exp cannot overflow.
constexpr long kHugeExponent = 1L << 40;
}  // namespace

namespace {

// Digits with at most one point, at most 15 significant digits and 22 after the point: both
// the digits as an integer and the power of ten are exact doubles, so one division rounds as
// reading the text does. False for anything else.
bool readShortDecimal(std::string_view text, double& out) {
    static constexpr double kTens[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    uint64_t n = 0;
    int significant = 0, decimals = 0, digits = 0;
    bool point = false;
    for (const char c : text) {
        if (c == '.') {
            if (point) return false;
            point = true;
            continue;
        }
        if (c < '0' || c > '9') return false;
        ++digits;
        if (point) ++decimals;
        if (n == 0 && c == '0') continue;
        if (++significant > 15) return false;
        n = n * 10 + static_cast<uint64_t>(c - '0');
    }
    if (digits == 0 || decimals > 22) return false;
    out = static_cast<double>(n) / kTens[decimals];
    return true;
}

}  // namespace

double NumberForms::readUnsigned(std::string_view text) {
    double v = 0;
    if (readShortDecimal(text, v)) return v;
    const char* first = text.data();
    const char* last = first + text.size();
    auto r = std::from_chars(first, last, v, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        // Beyond the double range either way: decide by the decimal exponent of the first
        // significant digit.
        long lead = 0;
        bool seenPoint = false, seenDigit = false;
        const char* p = first;
        for (; p < last && *p != 'e' && *p != 'E'; ++p) {
            if (*p == '.') {
                seenPoint = true;
            } else if (*p >= '1' && *p <= '9' && !seenDigit) {
                seenDigit = true;
                if (!seenPoint) ++lead;
            } else if (*p >= '0' && *p <= '9') {
                if (!seenPoint && seenDigit) ++lead;
                if (seenPoint && !seenDigit) --lead;
            }
        }
        long exp = 0;
        if (p < last) {
            const char* e = p + 1 + (p + 1 < last && p[1] == '+');
            // An exponent beyond long's range only says which way the number leaves the range.
            if (std::from_chars(e, last, exp).ec == std::errc::result_out_of_range)
                exp = (e < last && *e == '-') ? -kHugeExponent : kHugeExponent;
        }
        exp = std::clamp(exp, -kHugeExponent, kHugeExponent);
        return lead + exp > 0 ? HUGE_VAL : 0.0;
    }
    if (r.ec != std::errc()) return 0;
    return v;
}

bool NumberForms::readInteger(std::string_view text, int64_t& out) {
    out = 0;
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int64_t v = 0;
    auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return false;
    out = v;
    return true;
}

int64_t NumberForms::readInteger(std::string_view text) {
    int64_t v = 0;
    readInteger(text, v);
    return v;
}

std::string NumberForms::plainInteger(int64_t n) {
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, n);
    return std::string(buf, r.ptr);
}

std::string NumberForms::integerForm(int64_t n, int places) const {
    if (places < 0) return plainInteger(n);
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, magnitude(n));
    std::string out;
    if (n < 0) out += '-';
    appendGrouped(out, buf, static_cast<std::size_t>(r.ptr - buf), seps_.thousands);
    if (!integersWithoutDecimals_ && places > 0) {
        out += seps_.decimal;
        out.append(static_cast<std::size_t>(places), '0');
    }
    return out;
}

std::string NumberForms::generalForm(double x) const {
    std::string out;
    appendGeneralForm(out, x);
    return out;
}

void NumberForms::appendGeneralForm(std::string& out, double x) const {
    if (std::isnan(x)) {
        out += "NAN";
        return;
    }
    if (std::isinf(x)) {
        out += x < 0 ? "-INF" : "INF";
        return;
    }
    if (x == 0) {
        out += '0';
        return;
    }
    const uint64_t bits = std::bit_cast<uint64_t>(x);
    if (memoLength_ != 0 && bits == memoBits_ && seps_.decimal == memoDecimal_) {
        out.append(memo_, memoLength_);
        return;
    }
    const Digits d = significantDigits(x);
    // Longest: sign, 15 digits, 4 zeros, "0", separator, "E-308".
    char buf[40];
    char* p = buf;
    if (x < 0) *p++ = '-';
    auto copy = [&p](const char* from, int n) {
        std::memcpy(p, from, static_cast<std::size_t>(n));
        p += n;
    };
    if (d.exp10 >= -5 && d.exp10 < kSignificant) {
        if (d.exp10 < 0) {
            *p++ = '0';
            *p++ = seps_.decimal;
            for (int k = -d.exp10 - 1; k > 0; --k) *p++ = '0';
            copy(d.digits, endOfSignificant(d.digits, 1, kSignificant));
        } else {
            copy(d.digits, d.exp10 + 1);
            const int end = endOfSignificant(d.digits, d.exp10 + 1, kSignificant);
            if (end > d.exp10 + 1) {
                *p++ = seps_.decimal;
                copy(d.digits + d.exp10 + 1, end - d.exp10 - 1);
            }
        }
    } else {
        *p++ = d.digits[0];
        const int end = endOfSignificant(d.digits, 1, kSignificant);
        if (end > 1) {
            *p++ = seps_.decimal;
            copy(d.digits + 1, end - 1);
        }
        *p++ = 'E';
        p = std::to_chars(p, buf + sizeof buf, d.exp10).ptr;
    }
    static_assert(sizeof buf <= sizeof memo_);
    memoBits_ = bits;
    memoDecimal_ = seps_.decimal;
    memoLength_ = static_cast<unsigned char>(p - buf);
    std::memcpy(memo_, buf, memoLength_);
    out.append(buf, p);
}

std::string NumberForms::floatForm(double x, int places) const {
    if (places < 0 || !std::isfinite(x)) return generalForm(x);
    places = std::min(places, 9);
    // Round the decimal text of the 15 significant digits, halves away from zero: the digits the
    // user sees in the general form decide, not the binary value's tail.
    // The digits on a decimal grid: intLen integer digits, then at least `places` fraction
    // digits; one spare place in front takes a carry. Exponents run from -324 to 308.
    char grid[1 + 340 + kSignificant + 10];
    char* all = grid + 1;
    int intLen = 1, size = 1;
    all[0] = '0';
    if (x != 0) {
        const Digits d = significantDigits(x);
        if (d.exp10 >= 0) {
            std::memcpy(all, d.digits, kSignificant);
            size = std::max(kSignificant, d.exp10 + 1);
            std::memset(all + kSignificant, '0', static_cast<std::size_t>(size - kSignificant));
            intLen = d.exp10 + 1;
        } else {
            std::memset(all, '0', static_cast<std::size_t>(-d.exp10));
            std::memcpy(all - d.exp10, d.digits, kSignificant);
            size = -d.exp10 + kSignificant;
        }
    }
    const int keep = intLen + places;
    if (size < keep) std::memset(all + size, '0', static_cast<std::size_t>(keep - size));
    const bool up = size > keep && all[keep] >= '5';
    if (up) {
        int i = keep - 1;
        for (; i >= 0 && all[i] == '9'; --i) all[i] = '0';
        if (i >= 0) {
            ++all[i];
        } else {
            *--all = '1';
            ++intLen;
        }
    }
    // Leading zeros of the integer part go, one stays.
    int lead = 0;
    while (lead < intLen - 1 && all[lead] == '0') ++lead;
    const bool zero =
        std::all_of(all + lead, all + intLen + places, [](char c) { return c == '0'; });
    // A value that rounds to zero here keeps its digits visible in the general form.
    if (zero) return generalForm(x);
    std::string out;
    if (x < 0) out += '-';
    appendGrouped(out, all + lead, static_cast<std::size_t>(intLen - lead), seps_.thousands);
    if (places > 0) {
        out += seps_.decimal;
        out.append(all + intLen, static_cast<std::size_t>(places));
    }
    return out;
}

std::string NumberForms::fractionForm(int64_t n, int64_t d) const {
    if (n == 0) return "0/" + plainInteger(d);
    if (d == 0) return plainInteger(n) + "/0";
    // Keep the sign in the numerator so the mixed form reads naturally.
    bool negative = (n < 0) != (d < 0);
    uint64_t un = magnitude(n), ud = magnitude(d);
    uint64_t g = std::gcd(un, ud);
    un /= g;
    ud /= g;
    const std::string sign = negative ? "-" : "";
    if (negative || un < ud || ud == 1) return sign + unsignedText(un) + "/" + unsignedText(ud);
    return unsignedText(un / ud) + "  " + unsignedText(un % ud) + "/" + unsignedText(ud);
}

void NumberForms::appendStatement(std::string& text, const Value& v, bool fractionMode,
                                  bool integerMode) const {
    if (!text.empty()) text += ";     ";
    if (fractionMode) {
        text += fractionForm(v.twin, v.denominator);
    } else if (integerMode) {
        text += integerForm(v.twin);
    } else {
        text += floatForm(v.value);
    }
}

}  // namespace tobrisk
