#include "exprwin/expression_controller.h"

#include <gtest/gtest.h>

#include "engine/calc_context.h"
#include "exprwin/text_surface.h"
#include "platform/fakes.h"

namespace tobrisk {
namespace {

class ExpressionControllerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        record.fillNew(NewRecordContext{});
        controller = std::make_unique<ExpressionController>(record, services, surface);
        controller->start();
    }
    std::string calc(const std::string& line, bool fraction = false) {
        surface.setEntryText(line);
        controller->calculateLine(fraction);
        return surface.result;
    }

    FakeAlerts alerts;
    FakeDialogs dialogs;
    FakeClock clock{encodeDateTime(2026, 12, 8, 10, 0, 0)};
    AppServices services{alerts, dialogs, clock, {}, "/tmp/", "/tmp/"};
    DataRecord record;
    TextSurface surface;
    std::unique_ptr<ExpressionController> controller;
};

TEST_F(ExpressionControllerTest, SavedAngleUnitIsAppliedAtStartAndGatheredAtSave) {
    EXPECT_EQ(surface.caption, "Tobrisk         d");
    record.setSlot(layout::kAngleUnit, 0);
    ExpressionController radians(record, services, surface);
    radians.start();
    EXPECT_EQ(surface.caption, "Tobrisk         r");
    EXPECT_FALSE(radians.degrees());
    // Open does not apply a saved unit: the one in force is what the next save writes.
    record.setSlot(layout::kAngleUnit, 1);
    radians.recordReplaced();
    radians.gatherOptions(record);
    EXPECT_EQ(record.slot(layout::kAngleUnit), 0);
}

TEST_F(ExpressionControllerTest, WelcomeLines) {
    controller->showWelcome();
    EXPECT_EQ(surface.history(), (std::vector<std::string>{"(pi/2)^2.5 + sqrt(2)", "2+2"}));
    EXPECT_EQ(surface.entry, "2+2");
    EXPECT_EQ(surface.result, "4");
}

TEST_F(ExpressionControllerTest, FontRoutineLimits) {
    struct {
        int chosen;
        int saved;
        const char* result;
    } const cases[] = {{8, 8, ""},
                       {12, 12, ""},
                       {14, 14, ""},
                       {15, 10, "max font size is 14"},
                       {20, 10, "max font size is 14"},
                       {6, 10, "min font size is 8"}};
    for (const auto& c : cases) {
        FontSpec f = record.exprFont();
        f.size = 10;
        record.setExprFont(f);
        surface.result.clear();
        f.size = c.chosen;
        dialogs.fonts = {f};
        controller->chooseFont();
        EXPECT_EQ(record.exprFont().size, c.saved) << c.chosen;
        EXPECT_EQ(surface.result, c.result) << c.chosen;
        EXPECT_EQ(alerts.played.back(), AlertKind::Asterisk);
    }
    FontSpec ten = record.exprFont();
    ten.size = 10;
    record.setExprFont(ten);
    dialogs.fonts = {std::nullopt};  // Cancel keeps the font
    controller->chooseFont();
    EXPECT_EQ(record.exprFont().size, 10);

    // The financial window's command gets the refusal to show in its own window; the hidden
    // result line is left alone.
    surface.result = "4";
    FontSpec big = ten;
    big.size = 20;
    dialogs.fonts = {big};
    EXPECT_EQ(controller->chooseFont(true), std::optional<std::string>("max font size is 14"));
    EXPECT_EQ(surface.result, "4");
    EXPECT_EQ(record.exprFont(), ten);
}

TEST_F(ExpressionControllerTest, RpnCallsLeaveTheContinuationAlone) {
    record.setSlot(layout::kAutoSoma, 1);
    EXPECT_EQ(calc("7"), "7");
    EXPECT_EQ(calc("2^"), "49");
    EXPECT_EQ(controller->timerInterval(), 500);  // continuation blinks
    surface.setEntryText("2*");
    EXPECT_TRUE(controller->calculateForRpn("10-3"));  // never rewritten as a continuation
    EXPECT_EQ(surface.result, "7");
    EXPECT_EQ(controller->timerInterval(), 500);
    EXPECT_EQ(calc("+1"), "8");  // still in continuation, from the last result
}

}  // namespace
}  // namespace tobrisk
