#pragma once
// The help texts line up their columns with blanks, counted in the design's body font ("MS Sans
// Serif", 8 points). Drawn in another face the same blanks no longer line up. layoutColumns()
// places each column of a line (the text after two or more blanks) where the design put it,
// scaled to the face that draws it; the text itself stays exactly as written.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tobrisk {

// Width in pixels of `text` in the design's body font.
double designTextWidth(std::string_view text);

struct ColumnPiece {
    std::string text;  // from its first non-blank character
    double x;          // where it starts, in pixels of the drawing face from the line's start
};

// The pieces of `line`, each at its design place times `scale` (design pixels to pixels of the
// drawing face, which shownWidth measures), but never closer to the previous piece than one
// blank, so columns do not run into each other. Leading blanks place the first piece the same
// way. A blank line is one empty piece.
std::vector<ColumnPiece> layoutColumns(std::string_view line, double scale,
                                       const std::function<double(std::string_view)>& shownWidth);

}  // namespace tobrisk
