// Up and Down in the entry line walk the line history as a shell does.
#include <gtest/gtest.h>

#include "exprwin/expression_controller.h"
#include "exprwin/text_surface.h"
#include "platform/fakes.h"

namespace tobrisk {
namespace {

class HistoryKeysTest : public ::testing::Test {
  protected:
    void SetUp() override {
        record.fillNew(NewRecordContext{});
        controller = std::make_unique<ExpressionController>(record, services, surface);
        controller->start();
    }
    void calc(const std::string& line) {
        surface.setEntryText(line);
        controller->calculateLine(false);
    }
    // Runs 'u'/'d' keys; after each, the entry line must read the next expected text and the
    // key must report whether it changed anything.
    struct Step {
        char key;
        const char* entry;
        bool acted;
    };
    void walk(std::initializer_list<Step> steps) {
        for (const Step& s : steps) {
            SCOPED_TRACE(std::string(1, s.key) + " -> " + s.entry);
            const bool acted = s.key == 'u' ? controller->historyUp() : controller->historyDown();
            EXPECT_EQ(acted, s.acted);
            EXPECT_EQ(surface.entry, s.entry);
        }
    }

    FakeAlerts alerts;
    FakeDialogs dialogs;
    FakeClock clock{0};
    AppServices services{alerts, dialogs, clock, {}, "/tmp/", "/tmp/"};
    DataRecord record;
    TextSurface surface;
    std::unique_ptr<ExpressionController> controller;
};

TEST_F(HistoryKeysTest, UpGoesToThePreviousLineNewestFirstAndDownComesBack) {
    controller->showWelcome();
    calc("3*3");
    calc("10/4");
    surface.setEntryText("7-");  // typed, not yet calculated
    walk({{'u', "10/4", true},
          {'u', "3*3", true},
          {'u', "2+2", true},
          {'u', "(pi/2)^2.5 + sqrt(2)", true},
          {'u', "(pi/2)^2.5 + sqrt(2)", false},  // the oldest line stays
          {'d', "2+2", true},
          {'d', "3*3", true},
          {'d', "10/4", true},
          {'d', "7-", true},  // past the newest: the typed line again
          {'d', "7-", false},
          {'u', "10/4", true}});
}

TEST_F(HistoryKeysTest, CalculatingALineStartsTheNextBrowseAtTheNewest) {
    calc("1+1");
    calc("2+2");
    calc("3+3");
    walk({{'u', "3+3", true}, {'u', "2+2", true}});
    controller->calculateLine(false);  // "2+2" again, added once more
    ASSERT_EQ(surface.lines.size(), 4u);
    surface.setEntryText("");
    walk({{'u', "2+2", true}, {'u', "3+3", true}, {'u', "2+2", true}, {'u', "1+1", true}});
}

TEST_F(HistoryKeysTest, EmptyOrEmptiedHistoryLeavesTheLineAlone) {
    surface.setEntryText("5*");
    walk({{'u', "5*", false}, {'d', "5*", false}});

    calc("1+1");
    calc("2+2");
    walk({{'u', "2+2", true}});
    calc("del hist");  // a command: the history is emptied, the line kept as typed
    ASSERT_TRUE(surface.lines.empty());
    walk({{'u', "del hist", false}, {'d', "del hist", false}});
    calc("4+4");
    walk({{'u', "4+4", true}, {'u', "4+4", false}});
}

TEST_F(HistoryKeysTest, ChoosingFromTheListContinuesFromThatLine) {
    calc("1+1");
    calc("2+2");
    calc("3+3");
    surface.setEntryText("draft");
    controller->historyChosen(0, "draft");
    surface.setEntryText("1+1");  // the list puts the chosen line in
    walk({{'d', "2+2", true}, {'d', "3+3", true}, {'d', "draft", true}});
    controller->historyChosen(7, "x");  // out of range: ignored
    walk({{'d', "draft", false}});
}

}  // namespace
}  // namespace tobrisk
