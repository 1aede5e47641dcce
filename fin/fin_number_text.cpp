#include "fin/fin_number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

namespace tobrisk {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// Adds one unit in the last place of a string of digits; true when it carried out of the top.
bool incrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return false;
        }
        *it = '0';
    }
    return true;
}

}  // namespace

std::optional<long double> FinNumberText::parse(std::string_view text, char decimal) {
    std::string_view s = trimmed(text);
    if (s.empty()) return 0.0L;
    std::string plain;  // the number with '.' as decimal point, for from_chars
    std::size_t k = 0;
    bool negative = false;
    if (s[k] == '+' || s[k] == '-') negative = s[k++] == '-';
    int mantissaDigits = 0;
    while (k < s.size() && isDigit(s[k])) plain += s[k++], ++mantissaDigits;
    if (k < s.size() && s[k] == decimal) {
        plain += '.';
        ++k;
        while (k < s.size() && isDigit(s[k])) plain += s[k++], ++mantissaDigits;
    }
    if (mantissaDigits == 0) return std::nullopt;
    if (k < s.size() && (s[k] == 'e' || s[k] == 'E')) {
        plain += 'e';
        ++k;
        if (k < s.size() && (s[k] == '+' || s[k] == '-')) plain += s[k++];
        int exponentDigits = 0;
        while (k < s.size() && isDigit(s[k])) plain += s[k++], ++exponentDigits;
        if (exponentDigits == 0) return std::nullopt;
    }
    if (k != s.size()) return std::nullopt;
    long double v = 0;
    auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), v);
    if (ec == std::errc::result_out_of_range) {
        // Too small to represent is a zero; too large cannot be read.
        bool tiny = plain.find("e-") != std::string::npos;
        if (!tiny) return std::nullopt;
        v = 0;
    } else if (ec != std::errc() || end != plain.data() + plain.size() || !std::isfinite(v)) {
        return std::nullopt;
    }
    return negative ? -v : v;
}

std::string FinNumberText::fixed(long double value, int decimals, char decimal) {
    if (!std::isfinite(value)) return {};
    // Beyond 18 integer digits the decimals hold nothing: the general form keeps the text short.
    if (std::fabs(value) >= 1e18L) return general(value, decimal);
    bool negative = std::signbit(value);
    long double magnitude = std::fabs(value);
    // 30 decimals hold the exact value far beyond any rounding decision at 2 or 3 decimals.
    int size = std::snprintf(nullptr, 0, "%.30Lf", magnitude);
    std::vector<char> buffer(static_cast<std::size_t>(size) + 1);
    std::snprintf(buffer.data(), buffer.size(), "%.30Lf", magnitude);
    std::string full(buffer.data());
    std::size_t point = full.find('.');
    std::string integer = full.substr(0, point);
    std::string fraction = full.substr(point + 1);
    std::string kept = integer + fraction.substr(0, static_cast<std::size_t>(decimals));
    if (fraction[static_cast<std::size_t>(decimals)] >= '5' && incrementDigits(kept)) {
        kept.insert(kept.begin(), '1');
    }
    std::string out = kept.substr(0, kept.size() - static_cast<std::size_t>(decimals));
    if (decimals > 0)
        out += decimal + kept.substr(kept.size() - static_cast<std::size_t>(decimals));
    bool zero = kept.find_first_not_of('0') == std::string::npos;
    return (negative && !zero ? "-" : "") + out;
}

std::string FinNumberText::general(long double value, char decimal) {
    if (!std::isfinite(value)) return {};
    if (value == 0) return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14Le", value);
    std::string s(buffer);
    bool negative = s[0] == '-';
    if (negative) s.erase(0, 1);
    std::size_t e = s.find('e');
    int exponent = std::stoi(s.substr(e + 1));
    std::string digits = s.substr(0, 1) + s.substr(2, e - 2);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string out;
    if (exponent >= 15 || exponent < -5) {
        out = digits.substr(0, 1);
        if (digits.size() > 1) out += decimal + digits.substr(1);
        out += "E" + std::to_string(exponent);
    } else if (exponent < 0) {
        out = "0";
        out += decimal;
        out += std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else {
        auto intDigits = static_cast<std::size_t>(exponent + 1);
        if (digits.size() <= intDigits) {
            out = digits + std::string(intDigits - digits.size(), '0');
        } else {
            out = digits.substr(0, intDigits) + decimal + digits.substr(intDigits);
        }
    }
    return (negative ? "-" : "") + out;
}

long double FinNumberText::roundHalfEven(long double value) {
    if (!std::isfinite(value)) return value;
    long double lower = std::floor(value);
    long double rest = value - lower;
    if (rest > 0.5L) return lower + 1;
    if (rest < 0.5L) return lower;
    return std::fmod(lower, 2.0L) == 0 ? lower : lower + 1;
}

}  // namespace tobrisk
