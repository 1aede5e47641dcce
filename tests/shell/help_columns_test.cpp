#include "shell/help_columns.h"

#include <gtest/gtest.h>

#include "shell/help_texts.h"

namespace tobrisk {
namespace {

// Where each piece of `line` starts when the design's own blanks are counted in the design face.
std::vector<double> designStarts(std::string_view line) {
    std::vector<double> starts;
    std::size_t i = line.find_first_not_of(' ');
    while (i != std::string_view::npos) {
        starts.push_back(designTextWidth(line.substr(0, i)));
        const std::size_t gap = line.find("  ", i);
        i = gap == std::string_view::npos ? gap : line.find_first_not_of(' ', gap);
    }
    return starts;
}

const HelpKind kKinds[] = {HelpKind::Expression, HelpKind::Financial, HelpKind::Rpn};

TEST(HelpColumns, TheDesignFaceKeepsEveryLineAsDesigned) {
    for (HelpKind kind : kKinds)
        for (const HelpLine& line : helpPage(kind).lines) {
            const auto pieces = layoutColumns(line.text, 1.0, designTextWidth);
            const auto starts = designStarts(line.text);
            ASSERT_EQ(pieces.size(), std::max<std::size_t>(starts.size(), 1)) << line.text;
            std::string joined;
            for (std::size_t k = 0; k < starts.size(); ++k)
                EXPECT_DOUBLE_EQ(pieces[k].x, starts[k]) << line.text << " piece " << k;
            for (const auto& p : pieces) joined += p.text;
            // Nothing but blanks is left out.
            std::string words(line.text);
            std::erase(words, ' ');
            std::erase(joined, ' ');
            EXPECT_EQ(joined, words);
        }
}

TEST(HelpColumns, AWiderFaceMovesEveryColumnByTheSameScale) {
    const auto wider = [](std::string_view s) { return 1.25 * designTextWidth(s); };
    for (HelpKind kind : kKinds)
        for (const HelpLine& line : helpPage(kind).lines) {
            const auto pieces = layoutColumns(line.text, 1.25, wider);
            const auto starts = designStarts(line.text);
            for (std::size_t k = 0; k < starts.size(); ++k)
                EXPECT_NEAR(pieces[k].x, 1.25 * starts[k], 1e-9) << line.text;
        }
}

TEST(HelpColumns, ColumnsNeverRunIntoEachOther) {
    // A face whose capitals are very wide: "ENTER" would reach into the next column.
    const auto wideCapitals = [](std::string_view s) {
        double w = 0;
        for (char c : s) w += c >= 'A' && c <= 'Z' ? 20 : 5;
        return w;
    };
    const auto pieces = layoutColumns("  ENTER            calculate line", 1.0, wideCapitals);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_GE(pieces[1].x, pieces[0].x + wideCapitals(pieces[0].text) + wideCapitals(" "));
    EXPECT_EQ(pieces[0].text, "ENTER");
    EXPECT_EQ(pieces[1].text, "calculate line");
    // A blank line and a line of one word.
    EXPECT_EQ(layoutColumns("", 1.0, wideCapitals).size(), 1u);
    EXPECT_EQ(layoutColumns("word", 1.0, wideCapitals)[0].x, 0.0);
}

}  // namespace
}  // namespace tobrisk
