#include "shell/help_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tobrisk {
namespace {

const HelpKind kKinds[] = {HelpKind::Expression, HelpKind::Financial, HelpKind::Rpn};

TEST(HelpTexts, PagesHaveTheirWindowsCaptionsAndPlaces) {
    const struct {
        HelpKind kind;
        const char* name;
        const char* caption;
        int left, top;
        bool maximise;
        size_t lines;
    } cases[] = {
        {HelpKind::Expression, "TForm3", "Tobrisk Built-in Help", 9, 8, false, 31},
        {HelpKind::Financial, "TForm4", "Tobrisk FIN Built-in Help", 80, 119, false, 25},
        {HelpKind::Rpn, "TForm7", "Tobrisk RPN Built-in Help", 9, -1, true, 35},
    };
    for (const auto& c : cases) {
        const HelpPage& p = helpPage(c.kind);
        EXPECT_EQ(p.objectName, c.name);
        EXPECT_EQ(p.caption, c.caption);
        EXPECT_EQ(p.left, c.left);
        EXPECT_EQ(p.top, c.top);
        EXPECT_EQ(p.maximiseBox, c.maximise);
        EXPECT_EQ(p.lines.size(), c.lines) << c.name;
    }
}

TEST(HelpTexts, LinesRunDownwardsWithoutOverlapAndInPlainText) {
    for (HelpKind kind : kKinds) {
        const HelpPage& p = helpPage(kind);
        int previous = -1000;
        for (const HelpLine& line : p.lines) {
            EXPECT_GE(line.top - previous, 14) << p.objectName << " " << line.text;
            previous = line.top;
            EXPECT_GE(line.left, 0);
            EXPECT_FALSE(line.text.empty());
            for (char ch : line.text) EXPECT_TRUE(ch >= 0x20 && ch < 0x7f) << line.text;
        }
        EXPECT_EQ(p.lines.front().top, 0);
        EXPECT_EQ(p.lines.front().text, "SHORTCUT KEYS");
    }
}

TEST(HelpTexts, HeadingsInOrder) {
    const struct {
        HelpKind kind;
        std::vector<std::string> headings;
    } cases[] = {
        {HelpKind::Expression, {"SHORTCUT KEYS", "CONTROL COMMANDS", "NATIVE FUNCTIONS"}},
        {HelpKind::Financial, {"SHORTCUT KEYS", "HOW TO USE"}},
        {HelpKind::Rpn, {"SHORTCUT KEYS", "KEYBOARD USAGE", "NON-CONVENTIONAL BUTTONS", "NOTES"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> found;
        for (const HelpLine& line : helpPage(c.kind).lines)
            if (line.style == HelpStyle::Heading) found.emplace_back(line.text);
        EXPECT_EQ(found, c.headings);
    }
}

TEST(HelpTexts, BlanksInsideAndAtTheEndAreKept) {
    const HelpPage& e = helpPage(HelpKind::Expression);
    EXPECT_EQ(e.lines[26].text, "  cos                        lcm    (2 to 9 integers) ");
    EXPECT_EQ(e.lines[2].left, 6);
    EXPECT_EQ(e.lines[2].text, "Ctrl+R                RPN calculator");
    const HelpPage& f = helpPage(HelpKind::Financial);
    EXPECT_EQ(f.lines[19].top, 324);
    EXPECT_EQ(f.lines[19].left, 0);
    EXPECT_EQ(f.lines[19].text, "        To see it entirely press  Ctrl+P.");
    const HelpPage& r = helpPage(HelpKind::Rpn);
    EXPECT_EQ(r.lines.back().top, 556);
    EXPECT_EQ(r.lines.back().text, "    client area");
}

TEST(HelpTexts, HeadingsUseTheirOwnFace) {
    EXPECT_TRUE(helpLook(HelpStyle::Heading).heading);
    EXPECT_EQ(helpLook(HelpStyle::Heading).colour, (Colour{128, 0, 0}));
    EXPECT_NE(helpFonts().bodyFamilies.front(), helpFonts().headingFamilies.front());
}

}  // namespace
}  // namespace tobrisk
