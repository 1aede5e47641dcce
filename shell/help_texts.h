#pragma once
// The three built-in help windows as data: caption, start position, border, and every line of
// text with its design position, style and colour. The Qt window (shell/ui/help_window.h) turns
// each line into one label; nothing here knows about widgets. Texts are plain ASCII; the blanks
// inside them align the columns and are part of the text.

#include <optional>
#include <span>
#include <string_view>

#include "shell/colour.h"

namespace tobrisk {

enum class HelpKind { Expression, Financial, Rpn };

// How a line looks. WindowText uses the system's window text colour; the others fix a colour.
enum class HelpStyle {
    Heading,       // heading font, bold, maroon
    Black,         // body font, black
    WindowText,    // body font, system window text colour
    BoldBlue,      // body font, bold, blue
    BoldDeepBlue,  // body font, bold, RGB(0,0,160)
    Purple,
    Green,
    Navy,
};

struct HelpLine {
    int top;
    int left;
    HelpStyle style;
    std::string_view text;
};

struct HelpLook {
    bool heading;  // heading font family instead of the body font
    bool bold;
    std::optional<Colour> colour;  // nullopt: the system's window text colour
};

struct HelpPage {
    std::string_view objectName;  // "TForm3", "TForm4", "TForm7"
    std::string_view caption;
    int left;  // start position of the window frame
    int top;
    bool maximiseBox;  // besides the system menu and the minimise box
    std::span<const HelpLine> lines;
};

// Fonts: the design's families first, then the nearest common ones, so that the heading face
// stays distinct from the body face wherever the design's fonts are missing.
struct HelpFonts {
    std::span<const std::string_view> bodyFamilies;
    std::span<const std::string_view> headingFamilies;
    int bodyPixelSize;  // character (em) height in pixels at design size
    int headingPixelSize;
};

const HelpPage& helpPage(HelpKind kind);
HelpLook helpLook(HelpStyle style);
const HelpFonts& helpFonts();

}  // namespace tobrisk
