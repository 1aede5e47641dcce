#pragma once
// Reading the RPN entry buffer as a number: "." is always the decimal point, whatever the
// locale. Texts the keys can build ("-12.5E-3", "1E", "-", ".") and plain decimal numbers are
// read; a magnitude beyond the extended range is refused, one below it reads as 0 or a
// subnormal value.

#include <optional>
#include <string_view>

namespace tobrisk {

// Empty, "-" and "." read as 0; an exponent without digits ("1E", "1E-") counts as E0.
// Nothing for overflow or a text that is not a number.
std::optional<long double> readEntryNumber(std::string_view text);

}  // namespace tobrisk
