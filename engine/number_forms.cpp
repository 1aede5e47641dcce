#include "engine/number_forms.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>

namespace tobrisk {

namespace {

constexpr int kSignificant = 15;
constexpr const char* kPatternBase = "###,###,###,##0";

// The 15 significant decimal digits of a finite, non-zero |x| and its decimal exponent: x is
// 0.d1d2...d15 * 10^(exp10 + 1), that is d1.d2... * 10^exp10.
struct Digits {
    std::string digits;  // exactly kSignificant digits
    int exp10 = 0;
};

Digits significantDigits(double x) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", kSignificant - 1, std::fabs(x));
    Digits d;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') d.digits += *p;
    }
    if (*p == 'e') d.exp10 = std::atoi(p + 1);
    return d;
}

void stripTrailingZeros(std::string& s) {
    while (s.size() > 1 && s.back() == '0') s.pop_back();
}

// Groups of three from the right with the separator, never at the end.
std::string groupThousands(const std::string& digits, char sep) {
    if (digits.size() <= 3) return digits;
    std::string out;
    const std::size_t lead = digits.size() % 3;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && i % 3 == lead % 3) out += sep;
        out += digits[i];
    }
    return out;
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

double NumberForms::readUnsigned(std::string_view text) {
    const char* first = text.data();
    const char* last = first + text.size();
    double v = 0;
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
    return (n < 0 ? "-" : "") + unsignedText(magnitude(n));
}

std::string NumberForms::integerForm(int64_t n, int places) const {
    if (places < 0) return plainInteger(n);
    std::string out =
        (n < 0 ? "-" : "") + groupThousands(unsignedText(magnitude(n)), seps_.thousands);
    if (!integersWithoutDecimals_ && places > 0) out += seps_.decimal + std::string(places, '0');
    return out;
}

std::string NumberForms::generalForm(double x) const {
    if (std::isnan(x)) return "NAN";
    if (std::isinf(x)) return x < 0 ? "-INF" : "INF";
    if (x == 0) return "0";
    Digits d = significantDigits(x);
    std::string sign = x < 0 ? "-" : "";
    std::string out;
    if (d.exp10 >= -5 && d.exp10 < kSignificant) {
        if (d.exp10 < 0) {
            std::string frac = std::string(-d.exp10 - 1, '0') + d.digits;
            stripTrailingZeros(frac);
            out = "0" + std::string(1, seps_.decimal) + frac;
        } else {
            std::string whole = d.digits.substr(0, d.exp10 + 1);
            std::string frac = d.digits.substr(d.exp10 + 1);
            stripTrailingZeros(frac);
            out = whole;
            if (frac != "0" && !frac.empty()) out += seps_.decimal + frac;
        }
    } else {
        std::string frac = d.digits.substr(1);
        stripTrailingZeros(frac);
        out = d.digits.substr(0, 1);
        if (frac != "0") out += seps_.decimal + frac;
        out += "E" + std::to_string(d.exp10);
    }
    return sign + out;
}

std::string NumberForms::floatForm(double x, int places) const {
    if (places < 0 || !std::isfinite(x)) return generalForm(x);
    // Round the decimal text of the 15 significant digits, halves away from zero: the digits the
    // user sees in the general form decide, not the binary value's tail.
    std::string intPart = "0", fracPart(places, '0');
    if (x != 0) {
        Digits d = significantDigits(x);
        // Place the digits on a decimal grid: all = integer digits followed by fraction digits.
        std::string all;
        int intLen;
        if (d.exp10 >= 0) {
            all = d.digits;
            if (static_cast<int>(all.size()) < d.exp10 + 1)
                all.append(d.exp10 + 1 - all.size(), '0');
            intLen = d.exp10 + 1;
        } else {
            all = std::string(-d.exp10, '0') + d.digits;
            intLen = 1;
        }
        const int keep = intLen + places;
        if (static_cast<int>(all.size()) < keep) all.append(keep - all.size(), '0');
        bool up = static_cast<int>(all.size()) > keep && all[keep] >= '5';
        all.resize(keep);
        if (up) {
            int i = keep - 1;
            for (; i >= 0; --i) {
                if (all[i] == '9') {
                    all[i] = '0';
                } else {
                    ++all[i];
                    break;
                }
            }
            if (i < 0) {
                all.insert(all.begin(), '1');
                ++intLen;
            }
        }
        intPart = all.substr(0, intLen);
        fracPart = all.substr(intLen);
        auto nz = intPart.find_first_not_of('0');
        intPart = nz == std::string::npos ? "0" : intPart.substr(nz);
    }
    const bool zero = intPart == "0" && fracPart.find_first_not_of('0') == std::string::npos;
    // A value that rounds to zero here keeps its digits visible in the general form.
    if (zero) return generalForm(x);
    std::string out = (x < 0 ? "-" : "") + groupThousands(intPart, seps_.thousands);
    if (places > 0) out += seps_.decimal + fracPart;
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
