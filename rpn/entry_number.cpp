#include "rpn/entry_number.h"

#include <charconv>
#include <cmath>
#include <string>

namespace tobrisk {

namespace {

constexpr long kExponentCap = 100000;  // far beyond the extended range either way
constexpr std::size_t kMaxSignificant = 40;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<long double> readEntryNumber(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    // Significant digits (leading zeros dropped) and the decimal exponent of the first one.
    std::string digits;
    long exp10 = 0;
    bool sawDigit = false;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        sawDigit = true;
        if (digits.empty() && text[i] == '0') continue;
        if (digits.size() < kMaxSignificant) digits.push_back(text[i]);
        if (exp10 < kExponentCap) ++exp10;
    }
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && isDigit(text[i]); ++i) {
            sawDigit = true;
            if (digits.empty() && text[i] == '0') {
                if (exp10 > -kExponentCap) --exp10;
                continue;
            }
            if (digits.size() < kMaxSignificant) digits.push_back(text[i]);
        }
    }
    long exponent = 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        // "E" alone is only reachable from the keys after a mantissa ("1E"); a bare "E" is not
        // a number.
        if (!sawDigit) return std::nullopt;
        ++i;
        bool expNegative = false;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) expNegative = text[i++] == '-';
        for (; i < text.size() && isDigit(text[i]); ++i)
            if (exponent < kExponentCap) exponent = exponent * 10 + (text[i] - '0');
        if (expNegative) exponent = -exponent;
    }
    if (i != text.size()) return std::nullopt;
    if (digits.empty()) return negative ? -0.0L : 0.0L;

    const long scale = exp10 + exponent;  // value = 0.digits * 10^scale
    auto read = [&](long e, long double& out) {
        std::string t = "0." + digits + "e" + std::to_string(e);
        auto r = std::from_chars(t.data(), t.data() + t.size(), out);
        return r.ec == std::errc{};
    };
    long double value = 0;
    if (scale > 0) {
        if (!read(scale, value)) return std::nullopt;
    } else if (!read(scale, value)) {
        // The reader refuses subnormal results; scale into range and back so they underflow
        // gradually, and to 0 below them.
        if (read(scale + 200, value))
            value *= 1e-200L;
        else
            value = 0;
    }
    if (!std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}

}  // namespace tobrisk
