#include "shell/help_columns.h"

#include <algorithm>

namespace tobrisk {

namespace {

// Advance widths of the design body font at its design size, characters 32 to 126.
constexpr unsigned char kDesignAdvances[95] = {
    3, 3, 5, 7, 6, 8, 6, 2,  3,  3, 4, 6, 3, 3, 3, 5, 6, 6, 6, 6, 6, 6, 6, 6,
    6, 6, 3, 3, 6, 6, 6, 6,  11, 7, 7, 7, 8, 7, 6, 8, 8, 3, 5, 7, 6, 9, 8, 8,
    7, 8, 8, 7, 7, 8, 7, 11, 7,  7, 7, 3, 5, 3, 6, 6, 3, 6, 6, 6, 6, 6, 3, 6,
    6, 2, 2, 6, 2, 8, 6, 6,  6,  6, 3, 5, 3, 6, 6, 8, 5, 5, 5, 4, 2, 4, 7};
constexpr int kOtherAdvance = 6;  // outside ASCII: a typical lower-case width

}  // namespace

double designTextWidth(std::string_view text) {
    double w = 0;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        w += c >= 32 && c < 127 ? kDesignAdvances[c - 32] : kOtherAdvance;
    }
    return w;
}

std::vector<ColumnPiece> layoutColumns(std::string_view line, double scale,
                                       const std::function<double(std::string_view)>& shownWidth) {
    std::vector<ColumnPiece> pieces;
    const double blank = shownWidth(" ");
    // Leading blanks are a column gap too: the first words start at their design place.
    std::size_t start = line.find_first_not_of(' ');
    std::size_t i = start;
    const double indent =
        start == std::string_view::npos ? 0.0 : designTextWidth(line.substr(0, start)) * scale;
    while (i != std::string_view::npos) {
        const std::size_t gap = line.find("  ", i);
        const std::size_t next = gap == std::string_view::npos ? std::string_view::npos
                                                               : line.find_first_not_of(' ', gap);
        const std::size_t end = next == std::string_view::npos ? line.size() : gap;
        ColumnPiece piece{std::string(line.substr(start, end - start)), indent};
        if (!pieces.empty()) {
            const ColumnPiece& before = pieces.back();
            const double free = before.x + shownWidth(before.text) + blank;
            piece.x = std::max(free, designTextWidth(line.substr(0, start)) * scale);
        }
        pieces.push_back(std::move(piece));
        if (next == std::string_view::npos) {
            if (end < line.size()) pieces.back().text.append(line.substr(end));  // trailing blanks
            break;
        }
        start = next;
        i = next;
    }
    if (pieces.empty()) pieces.push_back({std::string(line), 0.0});
    return pieces;
}

}  // namespace tobrisk
