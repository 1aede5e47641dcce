#pragma once
// Reading typed numbers and writing results in the expression calculator's three text forms
// (integer, float, fraction), with the display pattern and the locale's separators. One object
// per calculation context; the window changes its decimal places and option, the evaluator and
// the store listing ask it for texts. Typed input always uses '.', whatever the locale.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/value.h"
#include "platform/separators.h"

namespace tobrisk {

class NumberForms {
  public:
    static constexpr int kAutomatic = -1;

    NumberForms();

    // Decimal places: -1 automatic, 0..9 fixed (other values are clamped). Rebuilds the pattern.
    void setDecimalPlaces(int n);
    int decimalPlaces() const { return decimals_; }
    // "###,###,###,##0" followed by "." and N zeros when N > 0.
    const std::string& displayPattern() const { return pattern_; }
    void setIntegersWithoutDecimals(bool on) { integersWithoutDecimals_ = on; }
    bool integersWithoutDecimals() const { return integersWithoutDecimals_; }
    void setSeparators(const Separators& s) { seps_ = s; }
    const Separators& separators() const { return seps_; }

    // A number token's text (digits, one point, optional exponent; leading point allowed). Never
    // throws: text that is no number reads as far as it goes (0 if nothing), huge values as inf.
    static double readNumber(std::string_view text);
    // Decimal integer text with optional sign. False (and 0) when it is no integer or does not
    // fit in 64 bits.
    static bool readInteger(std::string_view text, int64_t& out);
    static int64_t readInteger(std::string_view text);  // 0 when unreadable

    // Plain decimal digits of n (no separators), as used by "r = " and the listing.
    static std::string plainInteger(int64_t n);

    // The forms; N is a decimal places setting (-1..9). The one-argument overloads use the
    // current setting.
    std::string integerForm(int64_t n, int n_places) const;
    std::string integerForm(int64_t n) const { return integerForm(n, decimals_); }
    std::string floatForm(double x, int n_places) const;
    std::string floatForm(double x) const { return floatForm(x, decimals_); }
    // At most 15 significant digits, plain or "E" notation, locale decimal separator.
    std::string generalForm(double x) const;
    void appendGeneralForm(std::string& out, double x) const;
    // n/d reduced, or the mixed form "q  r/d"; 0 gives "0/" + d unreduced. The sign is carried
    // by the numerator; a zero denominator gives n + "/0".
    std::string fractionForm(int64_t n, int64_t d) const;

    // The statement result rule: appends ";" and five blanks when text is not empty, then
    // the value's form (fraction in fraction mode, integer form in integer mode, float form).
    void appendStatement(std::string& text, const Value& v, bool fractionMode,
                         bool integerMode) const;

  private:
    static double readUnsigned(std::string_view text);

    Separators seps_;
    // The last general form made: a line's result and the listing's "r = " line ask for the
    // same value one after the other.
    mutable uint64_t memoBits_ = 0;
    mutable char memoDecimal_ = 0;
    mutable unsigned char memoLength_ = 0;
    mutable char memo_[40] = {};
    int decimals_ = kAutomatic;
    bool integersWithoutDecimals_ = true;
    std::string pattern_;
};

}  // namespace tobrisk
