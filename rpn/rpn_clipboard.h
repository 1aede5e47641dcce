#pragma once
// The RPN window's clipboard texts, apart from the clipboard itself: X as the display shows
// it, X in full for other programs, and a pasted text turned into the keys that type it.
// Pasting goes through the same keys as typing, so the entry's rules (lift, overwrite, range)
// hold for it unchanged.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tobrisk {

class RpnMachine;

// X in the current display mode, with the locale's separators ("1,234.5000").
std::string displayedX(const RpnMachine& machine);

// X with "." as decimal point and "E" before an exponent, in the fewest digits that read
// back as the same extended value ("0.1", "-1.5E-07", "1E+20").
std::string fullX(long double x);

// The key names (those of pressNamedKey) that type the number in `text`: blanks around it
// are dropped; then an optional "+" or "-", digits with at most one ".", and an optional
// exponent ("E" or "e", an optional sign, digits). Nothing for any other text, for one longer
// than the entry is worth typing, and for a value beyond the extended range.
std::optional<std::vector<std::string>> pasteKeys(std::string_view text);

// Types the number in `text` into the entry. A number being typed is replaced, as deleting
// its characters and typing the new one would. Refused (false, nothing changed) when the text
// is not a number or the pad waits for a register, a digit count or a pad key.
bool pasteNumber(RpnMachine& machine, std::string_view text);

}  // namespace tobrisk
