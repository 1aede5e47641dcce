#include "rpn/display_format.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace tobrisk {

namespace {

// |x| = 0.digits * 10^exponent, digits without leading or trailing zeros ("" for zero).
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

// The first `significant` digits of x, correctly rounded from its binary value.
Decimal toDecimal(long double x, int significant) {
    Decimal d;
    if (x == 0 || !std::isfinite(x)) return d;
    d.negative = std::signbit(x);
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific,
                             significant - 1);
    std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
    auto ePos = text.find('e');
    for (char c : text.substr(0, ePos))
        if (c != '.') d.digits.push_back(c);
    int exp = 0;
    auto expText = text.substr(ePos + 1);
    if (!expText.empty() && expText.front() == '+') expText.remove_prefix(1);
    std::from_chars(expText.data(), expText.data() + expText.size(), exp);
    d.exponent = exp + 1;
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

// Keeps `decimals` fraction digits, rounding halves away from zero.
void roundToDecimals(Decimal& d, int decimals) {
    long keep = static_cast<long>(d.exponent) + decimals;
    if (static_cast<long>(d.digits.size()) <= keep) return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        long i = keep - 1;
        for (; i >= 0; --i) {
            auto& c = d.digits[static_cast<std::size_t>(i)];
            if (c == '9') {
                c = '0';
            } else {
                ++c;
                break;
            }
        }
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
}

char digitAt(const Decimal& d, long i) {
    return i >= 0 && i < static_cast<long>(d.digits.size()) ? d.digits[static_cast<std::size_t>(i)]
                                                            : '0';
}

}  // namespace

void DisplayFormat::set(DisplayMode mode, int digits) {
    int m = static_cast<int>(mode);
    mode_ = (m >= 0 && m <= 2) ? mode : DisplayMode::Fix;
    digits_ = (digits >= 0 && digits <= kMaxDigits) ? digits : 4;
}

std::string DisplayFormat::modeMarks() const {
    std::string marks = "   ";
    marks[static_cast<std::size_t>(mode_)] = '*';
    return marks;
}

std::string DisplayFormat::general(long double x) const {
    // 18 digits first, then 15 with halves up: a typed "1.000000000000005" reads as written.
    Decimal d = toDecimal(x, 18);
    roundToDecimals(d, 15 - d.exponent);
    if (d.digits.empty()) return "0";
    std::string out = d.negative ? "-" : "";
    const long n = static_cast<long>(d.digits.size());
    const int e = d.exponent;
    if (e >= -3 && e <= 15) {
        if (e <= 0) {
            out += '0';
            out += seps_.decimal;
            out.append(static_cast<std::size_t>(-e), '0');
            out += d.digits;
        } else {
            for (long i = 0; i < e; ++i) out += digitAt(d, i);
            if (n > e) {
                out += seps_.decimal;
                out += d.digits.substr(static_cast<std::size_t>(e));
            }
        }
        return out;
    }
    out += d.digits[0];
    if (n > 1) {
        out += seps_.decimal;
        out += d.digits.substr(1);
    }
    out += 'E';
    out += std::to_string(e - 1);
    return out;
}

std::string DisplayFormat::fixedWith(long double x, int decimals) const {
    // 18 significant digits first, as the SCI mantissa is read: typed values such as 0.145 then
    // round as written, not by the binary neighbour they happen to fall on.
    Decimal d = toDecimal(x, 18);
    roundToDecimals(d, decimals);
    std::string intPart;
    for (long i = 0; i < d.exponent; ++i) intPart += digitAt(d, i);
    if (intPart.empty()) intPart = "0";
    std::string out = (d.negative && !d.digits.empty()) ? "-" : "";
    const std::size_t len = intPart.size();
    for (std::size_t i = 0; i < len; ++i) {
        if (i > 0 && (len - i) % 3 == 0) out += seps_.thousands;
        out += intPart[i];
    }
    if (decimals > 0) {
        out += seps_.decimal;
        for (int i = 0; i < decimals; ++i) out += digitAt(d, d.exponent + i);
    }
    return out;
}

std::string DisplayFormat::fixed(long double x) const {
    if (digits_ == kGeneralDigits) return general(x);
    return fixedWith(x, digits_);
}

std::string DisplayFormat::sciOrEng(long double x, bool engineering) const {
    Decimal d = toDecimal(x, 18);
    int e = d.digits.empty() ? 0 : d.exponent - 1;  // exponent of d1.d2d3...
    int shift = 0;                                  // mantissa digits moved before the point
    if (engineering) {
        int r = e % 3;
        if (r > 0) {
            e -= r;
            shift = r;
        } else if (r < 0) {
            e = e - 3 - r;
            shift = 3 + r;
        }
    }
    // The mantissa, read back as a number: exactly the decimal digits with 1 + shift integer
    // digits.
    std::string text = d.negative ? "-" : "";
    if (d.digits.empty()) {
        text += "0";
    } else {
        for (int i = 0; i <= shift; ++i) text += digitAt(d, i);
        if (static_cast<int>(d.digits.size()) > shift + 1) {
            text += '.';
            text += d.digits.substr(static_cast<std::size_t>(shift + 1));
        }
    }
    long double m = 0;
    std::from_chars(text.data(), text.data() + text.size(), m);
    std::string expText = std::to_string(e < 0 ? -e : e);
    if (expText.size() < 2) expText.insert(0, 1, '0');
    if (e < 0) expText.insert(0, 1, '-');
    return fixed(m) + " E" + expText;
}

std::string DisplayFormat::display(long double x) const {
    switch (mode_) {
        case DisplayMode::Sci:
            return sciOrEng(x, false);
        case DisplayMode::Eng:
            return sciOrEng(x, true);
        case DisplayMode::Fix:
            break;
    }
    // The limit is the number the text "1e-<digits>" reads as.
    long double limit = 1;
    if (digits_ > 0) {
        std::string lim = "1e-" + std::to_string(digits_);
        std::from_chars(lim.data(), lim.data() + lim.size(), limit);
    }
    const long double mag = std::fabs(x);
    std::string text;
    if (digits_ != kGeneralDigits && (mag >= limit || x == 0) && mag <= 1e15L)
        text = fixedWith(x, digits_);
    else
        text = general(x);
    auto ePos = text.find('E');
    if (ePos != std::string::npos) text.insert(ePos, 1, ' ');
    return text;
}

}  // namespace tobrisk
