#pragma once
// Number texts of the financial fields: reading a typed number in the locale's notation and the
// three display forms (fixed two or three decimals, and the 15-digit general form of "Shows more
// precision"). Decimal rounding is done on the exact digits, halves away from zero, so 0.125
// shows as 0.13 whatever the binary value's printf rounding would say.

#include <optional>
#include <string>
#include <string_view>

namespace tobrisk {

class FinNumberText {
  public:
    // Blanks around the number are ignored; an empty (or blank) text is 0. Accepts a sign,
    // digits with one decimal separator and an exponent; refuses digit grouping, "inf", "nan"
    // and numbers outside the extended range.
    static std::optional<long double> parse(std::string_view text, char decimal);
    // Fixed notation with `decimals` decimals, at least one integer digit, no grouping; never
    // "-0.00". From 1e18 on, the general form.
    static std::string fixed(long double value, int decimals, char decimal);
    // General form with 15 significant digits: fixed notation without trailing zeros, or
    // scientific ("1.5E20", "1E-7") when the exponent is 15 or more or the value is below 1e-5.
    static std::string general(long double value, char decimal);
    // Rounding to the nearest integer with halves to the even neighbour (12.5 -> 12).
    static long double roundHalfEven(long double value);
};

}  // namespace tobrisk
