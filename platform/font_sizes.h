#pragma once
// The sizes every font command allows, and the message for a size outside them. The dialog
// refuses such a size itself; the commands check again, so a size from elsewhere (a test, a
// damaged record) is refused with the same words and never silently changed.

#include <string>

namespace tobrisk {

constexpr int kMinFontSize = 8;
constexpr int kMaxFontSize = 14;

inline bool fontSizeAllowed(int size, int minSize = kMinFontSize, int maxSize = kMaxFontSize) {
    return size >= minSize && size <= maxSize;
}

// "A 20-point font is not possible: sizes 8 to 14 only."
inline std::string fontSizeRefusal(int size, int minSize = kMinFontSize,
                                   int maxSize = kMaxFontSize) {
    return "A " + std::to_string(size) + "-point font is not possible: sizes " +
           std::to_string(minSize) + " to " + std::to_string(maxSize) + " only.";
}

}  // namespace tobrisk
