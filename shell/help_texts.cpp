#include "shell/help_texts.h"

namespace tobrisk {
namespace {

using S = HelpStyle;

constexpr HelpLine kExpressionLines[] = {
    {0, 0, S::Heading, "SHORTCUT KEYS"},
    {16, 0, S::Black, "  ENTER            calculate line"},
    {30, 6, S::WindowText, "Ctrl+R                RPN calculator"},
    {44, 0, S::Black, "  Ctrl+F                finance calculator"},
    {60, 0, S::Black, "  Ctrl+F1              big help"},
    {76, 0, S::Black, "  Ctrl+T                degrees/radians switch"},
    {92, 0, S::Black, "  Ctrl+O                open..."},
    {108, 0, S::Black, "  Ctrl+S                save as..."},
    {124, 0, S::Black, "  Ctrl+keys 0 to 9: edit with 0 a 9 decimals"},
    {140, 0, S::Black, "  Ctrl+Delete      automatic edition"},
    {156, 0, S::Black, "  Ctrl+ENTER    calculate line in fraction mode"},
    {172, 0, S::Black, "  Ctrl+Shift+F      factor integer"},
    {188, 0, S::BoldBlue, "Following commands not in menu"},
    {204, 0, S::Purple, "  Ctrl+right            enlarge window"},
    {220, 0, S::Purple, "  Ctrl+left               shrink window"},
    {236, 0, S::Purple, "  Shift+home  text  in quotes, caret in beginning"},
    {252, 0, S::Purple, "  Shift +End    text in quotes, caret in the end"},
    {268, 0, S::Heading, "CONTROL COMMANDS"},
    {284, 0, S::Green, "  note n text               reminder for n minutes after"},
    {300, 0, S::Green, "  note hh:mm  text   reminder for a given hour"},
    {316, 0, S::Black, "  del      name          excludes a variable"},
    {332, 0, S::Black, "  del      vars             excludes all variables"},
    {348, 0, S::Black, "  del      h:m:s           excludes a reminder"},
    {364, 0, S::Black, "  del      hist               excludes the historic"},
    {380, 0, S::Heading, "NATIVE FUNCTIONS"},
    {396, 0, S::Navy, "  sin                         gcd    (2 to 9 integers)"},
    {412, 0, S::Navy, "  cos                        lcm    (2 to 9 integers) "},
    {428, 0, S::Navy, "  tan                         mod(i1,i2)               exp"},
    {444, 0, S::Navy, "  asin                      comb(n,p)               log(x[,b])"},
    {460, 0, S::Navy, "  acos                     fact                           sqrt "},
    {476, 0, S::Navy, "  atan                      rand                          round(x[,y])"},
};

constexpr HelpLine kFinancialLines[] = {
    {0, 8, S::Heading, "SHORTCUT KEYS"},
    {18, 6, S::WindowText, "  Ctrl+E      Expression Calculator"},
    {36, 8, S::WindowText, "  Ctrl+R     RPN Calculator"},
    {52, 8, S::WindowText, "  F1            Built-in Help"},
    {68, 8, S::WindowText, "  Ctrl+F1   Big Help"},
    {84, 8, S::Black, "  Ctrl+P     Shows  more precision"},
    {100, 8, S::WindowText, "  Ctrl+M     Change Font"},
    {124, 8, S::Heading, "HOW TO USE"},
    {148, 8, S::BoldDeepBlue, "1.  Fill in the known values, and"},
    {164, 8, S::BoldDeepBlue, "     double-click the one you "},
    {180, 8, S::BoldDeepBlue, "     want to calculate."},
    {196, 8, S::WindowText, "2.  The values must be given without "},
    {212, 8, S::WindowText, "      thousand separators. "},
    {228, 8, S::WindowText, "3.   In the Generic Formula consider"},
    {244, 8, S::WindowText, "      negative the debits and positive "},
    {260, 8, S::WindowText, "      the credits, or vice-versa."},
    {276, 8, S::WindowText, "4.  In the Consumer Credit mode, the"},
    {292, 8, S::WindowText, "     values must be given all positive"},
    {308, 8, S::WindowText, "5.  After a calculus, the result is rounded. "},
    {324, 0, S::WindowText, "        To see it entirely press  Ctrl+P."},
    {340, 8, S::WindowText, "6.  The calculus of Number of Periods / "},
    {356, 8, S::WindowText, "     Payments can result in a number not"},
    {372, 8, S::WindowText, "     integer. Nevertheless  in the calculus"},
    {388, 8, S::WindowText, "     of another fields, this number is"},
    {404, 8, S::WindowText, "     rounded to the nearest integer."},
};

constexpr HelpLine kRpnLines[] = {
    {0, 0, S::Heading, "SHORTCUT KEYS"},
    {18, 8, S::WindowText, "Ctrl+E      Expression Calculator"},
    {36, 8, S::WindowText, "Ctrl+F      Financial Calculator"},
    {52, 8, S::WindowText, "F1            Built-in Help"},
    {68, 8, S::WindowText, "Ctrl+F1   Big Help"},
    {84, 8, S::Black, "Ctrl+H     Show/Hide Stack"},
    {100, 0, S::Heading, "KEYBOARD USAGE"},
    {116, 8, S::WindowText, "Delete              clx"},
    {132, 8, S::WindowText, "Ctrl+Delete     clst  (clear stack)"},
    {148, 8, S::WindowText, "Ctrl+minus       chs"},
    {164, 8, S::WindowText, "E                         exponential sign"},
    {180, 8, S::WindowText, "S                        sto"},
    {196, 8, S::WindowText, "R                        rcl"},
    {212, 8, S::WindowText, "L                         lastx"},
    {228, 8, S::WindowText, "X                         x<>y"},
    {244, 8, S::WindowText, "F                         opens the functions pad"},
    {260, 8, S::WindowText, "U                        opens user functions pad"},
    {276, 8, S::WindowText, "Ctrl+U               opens user data pad"},
    {292, 8, S::WindowText, "up arrow          rolls stack up"},
    {308, 8, S::WindowText, "down arrow    rolls stack down"},
    {324, 8, S::WindowText, "left or right arrow  delete last char"},
    {340, 8, S::WindowText, "Enter, space bar      Enter"},
    {356, 0, S::Heading, "NON-CONVENTIONAL BUTTONS"},
    {372, 8, S::WindowText, "udata      user data"},
    {388, 8, S::WindowText, "ufunc       user functions"},
    {404, 8, S::WindowText, "show       modes of exhibition menu"},
    {420, 8, S::WindowText, "^               exponential function"},
    {436, 8, S::WindowText, "deg or rad   degrees/radians switch"},
    {452, 0, S::Heading, "NOTES"},
    {472, 0, S::WindowText, "1. When the number pad is not showing the"},
    {488, 0, S::WindowText, "    numbers, numeric input from keyboard"},
    {504, 0, S::WindowText, "    (1 to 9) activates the ordered n-th button"},
    {520, 8, S::WindowText, "  in that space"},
    {540, 0, S::Black, "2.To see the menu, right-click the window"},
    {556, 0, S::Black, "    client area"},
};

constexpr HelpPage kPages[] = {
    {"TForm3", "Tobrisk Built-in Help", 9, 8, false, kExpressionLines},
    {"TForm4", "Tobrisk FIN Built-in Help", 80, 119, false, kFinancialLines},
    {"TForm7", "Tobrisk RPN Built-in Help", 9, -1, true, kRpnLines},
};

constexpr Colour kMaroon{128, 0, 0};

struct StyleLook {
    HelpStyle style;
    HelpLook look;
};

// The named colours are the classic sixteen-colour palette's.
const StyleLook kLooks[] = {
    {S::Heading, {true, true, kMaroon}},
    {S::Black, {false, false, Colour{0, 0, 0}}},
    {S::WindowText, {false, false, std::nullopt}},
    {S::BoldBlue, {false, true, Colour{0, 0, 255}}},
    {S::BoldDeepBlue, {false, true, Colour{0, 0, 160}}},
    {S::Purple, {false, false, Colour{128, 0, 128}}},
    {S::Green, {false, false, Colour{0, 128, 0}}},
    {S::Navy, {false, false, Colour{0, 0, 128}}},
};

constexpr std::string_view kBodyFamilies[] = {
    "MS Sans Serif", "Microsoft Sans Serif", "Tahoma",      "Liberation Sans",
    "Arial",         "Nimbus Sans",          "DejaVu Sans", "Sans Serif"};
constexpr std::string_view kHeadingFamilies[] = {"Comic Sans MS", "Comic Neue",   "Comic Relief",
                                                 "URW Gothic",    "DejaVu Serif", "Serif"};

const HelpFonts kFonts{kBodyFamilies, kHeadingFamilies, 13, 13};

}  // namespace

const HelpPage& helpPage(HelpKind kind) {
    return kPages[static_cast<int>(kind)];
}

HelpLook helpLook(HelpStyle style) {
    for (const auto& l : kLooks)
        if (l.style == style) return l.look;
    return {false, false, std::nullopt};
}

const HelpFonts& helpFonts() {
    return kFonts;
}

}  // namespace tobrisk
