#pragma once
// How the RPN calculator writes numbers: the general format of the stack fields, the fixed
// pattern, and the FIX / SCI / ENG display texts with their digits setting. Pure text
// production over the locale's separators; the machine owns one and keeps it in step with the
// display mode and digits saved in the data record.

#include <string>

#include "platform/separators.h"

namespace tobrisk {

enum class DisplayMode : int { Fix = 0, Sci = 1, Eng = 2 };

class DisplayFormat {
  public:
    static constexpr int kGeneralDigits = 11;  // the "E" key's choice
    static constexpr int kMaxDigits = 11;

    explicit DisplayFormat(Separators seps = {}) : seps_(seps) {}

    // Out-of-range values fall back to FIX and 4 digits.
    void set(DisplayMode mode, int digits);
    DisplayMode mode() const { return mode_; }
    int digits() const { return digits_; }
    const Separators& separators() const { return seps_; }

    // "*  ", " * " or "  *" for FIX, SCI, ENG.
    std::string modeMarks() const;

    // X as the display shows it in the current mode.
    std::string display(long double x) const;
    // 15 significant digits, plain between 1E-4 and 1E15, else "1.5E-7".
    std::string general(long double x) const;
    // The fixed pattern of the current digits setting; general format when it is empty.
    std::string fixed(long double x) const;

  private:
    std::string fixedWith(long double x, int decimals) const;
    std::string sciOrEng(long double x, bool engineering) const;

    Separators seps_;
    DisplayMode mode_ = DisplayMode::Fix;
    int digits_ = 4;
};

}  // namespace tobrisk
