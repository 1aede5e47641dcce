#include "exprwin/reminders.h"

#include <gtest/gtest.h>

#include "engine/calc_context.h"
#include "engine/variable_store.h"
#include "exprwin/control_commands.h"
#include "exprwin/expression_surface.h"
#include "platform/app_services.h"
#include "platform/fakes.h"

namespace tobrisk {
namespace {

class ListingSurface : public ExpressionSurface {
  public:
    std::string entryText() const override { return {}; }
    void setEntryText(const std::string&) override {}
    void selectAllEntry() override {}
    std::string resultText() const override { return result; }
    void setResultText(const std::string& t) override { result = t; }
    void setResultColour(ResultColour c) override { colours.push_back(c); }
    void addHistory(const std::string&) override {}
    void clearHistory() override {}
    std::vector<std::string> history() const override { return {}; }
    void setListing(const std::vector<std::string>& lines) override { listing = lines; }
    void setTimerInterval(int) override {}
    void repaintNow() override {}
    void setCaption(const std::string&) override {}

    std::string result;
    std::vector<ResultColour> colours;
    std::vector<std::string> listing;
};

double at(int h, int m, int s = 0) {
    return encodeDateTime(2026, 12, 8, h, m, s);
}

class RemindersTest : public ::testing::Test {
  protected:
    RemindersTest() { store.reset(); }

    void note(const std::string& line) {
        clock.set(at(10, 0));
        ASSERT_TRUE(commands.recognise(line));
        ASSERT_EQ(surface.result.rfind("event scheduled for ", 0), 0u) << surface.result;
    }
    int events() const {
        int n = 0;
        for (int i = 1; i <= store.count(); ++i) n += record.kind(i) == EntryKind::Event;
        return n;
    }
    std::vector<std::string> shownTexts() const {
        std::vector<std::string> texts;
        for (const auto& m : dialogs.messages) texts.push_back(m.text);
        return texts;
    }

    DataRecord record;
    VariableStore store{record};
    CalcContext context;
    FakeAlerts alerts;
    FakeDialogs dialogs;
    FakeClock clock{at(10, 0)};
    AppServices services{alerts, dialogs, clock, Separators{}, "", ""};
    ListingSurface surface;
    ControlCommands commands{store, context, services, surface};
};

TEST_F(RemindersTest, DueEventIsShownOnceThenRemoved) {
    note("note 30 tea");
    struct Tick {
        double now;
        int shown;  // boxes shown so far
    };
    const Tick ticks[] = {
        {at(10, 29, 59), 0}, {at(10, 30, 0), 0}, {at(10, 30, 10), 1}, {at(10, 30, 20), 1}};
    for (const auto& t : ticks) {
        clock.set(t.now);
        commands.timerTick(false);
        EXPECT_EQ(dialogs.messages.size(), static_cast<std::size_t>(t.shown))
            << formatLongTime(t.now);
    }
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const auto& box = dialogs.messages[0];
    EXPECT_EQ(box.caption, "Tobrisk");
    EXPECT_EQ(box.text, std::string(8, ' ') + "10:30:00 - tea" + std::string(8, ' '));
    EXPECT_TRUE(box.systemModal);
    EXPECT_FALSE(box.question);
    EXPECT_EQ(events(), 0);
    EXPECT_EQ(surface.listing.size(), 3u);
    EXPECT_TRUE(surface.colours.empty());
}

TEST_F(RemindersTest, OneReminderPerTickInStoreOrder) {
    note("note 31 second due first");
    note("note 30 first due second");
    clock.set(at(10, 40));
    commands.timerTick(false);
    EXPECT_EQ(shownTexts(),
              std::vector<std::string>{std::string(8, ' ') + "10:31:00 - second due first" +
                                       std::string(8, ' ')});
    EXPECT_EQ(events(), 1);
    commands.timerTick(false);
    commands.timerTick(false);
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text,
              std::string(8, ' ') + "10:30:00 - first due second" + std::string(8, ' '));
    EXPECT_EQ(events(), 0);
}

TEST_F(RemindersTest, TicksWhileTheBoxIsOpenDoNothing) {
    note("note 30 a");
    note("note 31 b");
    clock.set(at(11, 0));
    int nested = 0;
    dialogs.onMessage = [&](const RecordedMessage&) {
        EXPECT_TRUE(commands.reminders().busy());
        commands.timerTick(true);
        commands.timerTick(true);
        ++nested;
    };
    commands.timerTick(true);
    EXPECT_EQ(nested, 1);
    EXPECT_FALSE(commands.reminders().busy());
    // Only the outer tick shows a box and blinks once.
    EXPECT_EQ(surface.colours, std::vector<ResultColour>{ResultColour::Grey});
    EXPECT_EQ(events(), 1);
    dialogs.onMessage = nullptr;
    commands.timerTick(true);
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(events(), 0);
}

TEST_F(RemindersTest, BlinkAlternatesOnlyInContinuation) {
    for (int i = 0; i < 3; ++i) commands.timerTick(true);
    commands.timerTick(false);
    EXPECT_EQ(surface.colours, (std::vector<ResultColour>{ResultColour::Grey, ResultColour::Normal,
                                                          ResultColour::Grey}));
    EXPECT_TRUE(commands.reminders().blinkPhase());
}

TEST_F(RemindersTest, StoreChangedWhileTheBoxIsOpen) {
    const int x = store.append();
    record.setName(x, "x");
    store.setVariable(x, 1);
    note("note 30 a");
    note("note 600 later");
    clock.set(at(11, 0));
    dialogs.onMessage = [&](const RecordedMessage&) { store.remove(x); };
    commands.timerTick(false);
    // The shown event went, not the one that slid into its position.
    ASSERT_EQ(events(), 1);
    EXPECT_EQ(record.body(store.count()), "later ");
    EXPECT_EQ(surface.listing.back(), "20:00:00 - later ");
}

TEST_F(RemindersTest, BoxTextIsUtf8) {
    note("note 30 \x93quoted\x94 caf\xe9");
    clock.set(at(11, 0));
    commands.timerTick(false);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              std::string(8, ' ') + "10:30:00 - \xe2\x80\x9cquoted\xe2\x80\x9d caf\xc3\xa9" +
                  std::string(8, ' '));
}

}  // namespace
}  // namespace tobrisk
