#include "exprwin/control_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "engine/calc_context.h"
#include "engine/line_calculation.h"
#include "engine/variable_store.h"
#include "exprwin/expression_surface.h"
#include "platform/app_services.h"
#include "platform/fakes.h"

namespace tobrisk {
namespace {

class FakeSurface : public ExpressionSurface {
  public:
    std::string entryText() const override { return entry; }
    void setEntryText(const std::string& t) override { entry = t; }
    void selectAllEntry() override {}
    std::string resultText() const override { return result; }
    void setResultText(const std::string& t) override { result = t; }
    void setResultColour(ResultColour c) override { colours.push_back(c); }
    void addHistory(const std::string& line) override { historyLines.push_back(line); }
    void clearHistory() override { historyLines.clear(); }
    std::vector<std::string> history() const override { return historyLines; }
    void setListing(const std::vector<std::string>& lines) override { listing = lines; }
    void setTimerInterval(int) override {}
    void repaintNow() override {}
    void setCaption(const std::string&) override {}

    std::string entry, result;
    std::vector<ResultColour> colours;
    std::vector<std::string> historyLines, listing;
};

// 2026-12-08 at h:m:s.ms, plus whole days.
double at(int h, int m, int s = 0, int days = 0, int ms = 0) {
    return encodeDateTime(2026, 12, 8, h, m, s, ms) + days;
}

class ControlCommandsTest : public ::testing::Test {
  protected:
    ControlCommandsTest() { store.reset(); }

    void setNow(int h, int m, int s = 0) { clock.set(at(h, m, s)); }
    std::string run(const std::string& line) {
        EXPECT_TRUE(commands.recognise(line)) << line;
        return surface.result;
    }
    int addVariable(const std::string& name, double v) {
        const int i = store.append();
        record.setName(i, name);
        store.setVariable(i, v);
        return i;
    }
    // Index of the first event, 0 when none.
    int firstEvent() const {
        for (int i = 1; i <= store.count(); ++i)
            if (record.kind(i) == EntryKind::Event) return i;
        return 0;
    }
    bool listed(const std::string& line) const {
        return std::find(surface.listing.begin(), surface.listing.end(), line) !=
               surface.listing.end();
    }

    DataRecord record;
    VariableStore store{record};
    CalcContext context;
    FakeAlerts alerts;
    FakeDialogs dialogs;
    FakeClock clock{at(10, 0)};
    AppServices services{alerts, dialogs, clock, Separators{}, "", ""};
    FakeSurface surface;
    ControlCommands commands{store, context, services, surface};
};

// ---- The recogniser ----

struct RecogniseCase {
    const char* line;
    bool command;
};

TEST_F(ControlCommandsTest, RecognisesOnlyTheExactKeywords) {
    const RecogniseCase cases[] = {
        {"del x", true},     {"   del x", true},  {"delete x", true},    {"del    x", true},
        {"del 1", true},     {"del 10:30", true}, {"note 30 tea", true}, {"note   5 x", true},
        {"note a", true},    {"Del x", false},    {"DEL x", false},      {"Delete x", false},
        {"del X", false},    {"del (x)", false},  {"del", false},        {"del ", false},
        {"delx", false},     {"deletex", false},  {"delete", false},     {"note :30 x", false},
        {"note Tea", false}, {"note ;", false},   {"Note 30 x", false},  {"notes 30", false},
        {"note", false},     {"note ", false},    {"x = 3", false},      {"", false},
        {"del \xe7", false},
    };
    for (const auto& c : cases) {
        surface.result = "untouched";
        const int before = store.count();
        EXPECT_EQ(commands.recognise(c.line), c.command) << c.line;
        if (!c.command) {
            EXPECT_EQ(surface.result, "untouched") << c.line;
            EXPECT_EQ(store.count(), before) << c.line;
        } else {
            EXPECT_EQ(context.message, surface.result) << c.line;
        }
    }
}

// ---- note ----

struct NoteCase {
    int h, m, s;  // now
    const char* line;
    const char* result;
    std::optional<double> due;  // nullopt: refused
    const char* body = "";
};

TEST_F(ControlCommandsTest, NoteSchedulesOrRefuses) {
    const char* hours12 = "impossible to annotate: more than 12 hours ahead";
    const char* badHour = "impossible to annotate: invalid hour";
    const NoteCase cases[] = {
        {10, 0, 0, "note 30 tea", "event scheduled for 10:30:00", at(10, 30), "tea "},
        {10, 0, 0, "note 0 now", "event scheduled for 10:00:00", at(10, 0), "now "},
        {10, 0, 0, "note 30", "event scheduled for 10:30:00", at(10, 30), ""},
        {10, 0, 0, "  note   30    tea  time  ", "event scheduled for 10:30:00", at(10, 30),
         "tea  time   "},
        {10, 0, 0, "note 720 x", "event scheduled for 22:00:00", at(22, 0), "x "},
        {10, 0, 0, "note 721 x", hours12, std::nullopt},
        {10, 0, 0, "note 99999999999999999999 x", hours12, std::nullopt},
        {10, 0, 0, "note 11:15 standup", "event scheduled for 11:15:00", at(11, 15), "standup "},
        {10, 0, 0, "note 9:15 standup", hours12, std::nullopt},
        {10, 0, 0, "note 22:00 x", "event scheduled for 22:00:00", at(22, 0), "x "},
        {10, 0, 0, "note 22:01 x", hours12, std::nullopt},
        {22, 0, 0, "note 9 am x", "event scheduled for 09:00:00", at(9, 0, 0, 1), "x "},
        {14, 0, 0, "note 3 pm call", "event scheduled for 15:00:00", at(15, 0), "call "},
        {14, 0, 0, "note 3 PM   call", "event scheduled for 15:00:00", at(15, 0), "call "},
        {14, 0, 0, "note 3 pm", "event scheduled for 15:00:00", at(15, 0), ""},
        {14, 0, 0, "note 11 pm x", "event scheduled for 23:00:00", at(23, 0), "x "},
        {14, 0, 0, "note 2:45 pm x", "event scheduled for 14:45:00", at(14, 45), "x "},
        {14, 0, 0, "note 13 pm x", badHour, std::nullopt},
        // 12 pm is noon and 12 am midnight.
        {10, 0, 0, "note 12 pm lunch", "event scheduled for 12:00:00", at(12, 0), "lunch "},
        {10, 0, 0, "note 12:30 pm x", "event scheduled for 12:30:00", at(12, 30), "x "},
        {20, 0, 0, "note 12 am x", "event scheduled for 00:00:00", at(0, 0, 0, 1), "x "},
        {20, 0, 0, "note 12:15 am x", "event scheduled for 00:15:00", at(0, 15, 0, 1), "x "},
        {14, 0, 0, "note 24:00 x", "event scheduled for 00:00:00", at(0, 0, 0, 1), "x "},
        {14, 0, 0, "note 24:01 x", badHour, std::nullopt},
        {14, 0, 0, "note 14:60 x", "event scheduled for 15:00:00", at(15, 0), "x "},
        {14, 0, 0, "note 14:61 x", badHour, std::nullopt},
        {10, 0, 0, "note 25:00 x", badHour, std::nullopt},
        {10, 0, 0, "note 99999999999999999999:00 x", badHour, std::nullopt},
        {10, 0, 0, "note 1x:00 y", "impossible to annotate: invalid number of hours", std::nullopt},
        {10, 0, 0, "note 1x:3x y", "impossible to annotate: invalid number of hours", std::nullopt},
        {10, 0, 0, "note 10:3x y", "impossible to annotate: invalid number of minutes",
         std::nullopt},
        {10, 0, 0, "note 10:30:00 y", "impossible to annotate: invalid number of minutes",
         std::nullopt},
        {10, 0, 0, "note 5x y", "impossible to annotate: invalid number of minutes", std::nullopt},
        {10, 0, 0, "note 10: y", "impossible to annotate: missing number of minutes", std::nullopt},
    };
    for (const auto& c : cases) {
        store.reset();
        setNow(c.h, c.m, c.s);
        EXPECT_EQ(run(c.line), c.result) << c.line;
        const int e = firstEvent();
        if (!c.due) {
            EXPECT_EQ(store.count(), VariableStore::kNativeEntries) << c.line;
            continue;
        }
        ASSERT_NE(e, 0) << c.line;
        EXPECT_NEAR(record.time(e), *c.due, 1e-8) << c.line;
        EXPECT_EQ(record.body(e), c.body) << c.line;
        EXPECT_EQ(record.name(e), "") << c.line;
        EXPECT_EQ(surface.listing.back(), formatLongTime(*c.due) + " - " + c.body) << c.line;
    }
}

TEST_F(ControlCommandsTest, ExactlyTwelveHoursAheadIsAcceptedAtAnyTime) {
    for (int ms : {0, 1, 457, 999}) {
        for (int h : {0, 3, 10, 11, 17, 23}) {
            store.reset();
            clock.set(at(h, 17, 23, 0, ms));
            EXPECT_NE(run("note 720 a").find("event scheduled"), std::string::npos) << h << ms;
            EXPECT_EQ(run("note 721 b"), "impossible to annotate: more than 12 hours ahead");
        }
    }
}

TEST_F(ControlCommandsTest, EmptyHoursFailTheConversion) {
    commands.addNote("note :30 x");
    EXPECT_EQ(surface.result, "impossible to annotate: missing number of hours");
    EXPECT_EQ(store.count(), VariableStore::kNativeEntries);
}

TEST_F(ControlCommandsTest, NoteTextIsCutAndDuplicatesRefused) {
    EXPECT_EQ(run("note 30 tea"), "event scheduled for 10:30:00");
    EXPECT_EQ(run("note 40 tea"), "impossible to annotate: note already exists");
    EXPECT_EQ(run("note 40 Tea"), "event scheduled for 10:40:00");

    const std::string longText(60, 'w');
    EXPECT_EQ(run("note 50 " + longText), "event scheduled for 10:50:00");
    EXPECT_EQ(record.body(store.count()), std::string(50, 'w'));
    // Same first 50 characters: the stored notes would be the same.
    EXPECT_EQ(run("note 55 " + std::string(55, 'w')),
              "impossible to annotate: note already exists");
    EXPECT_EQ(store.count(), 6);
}

TEST_F(ControlCommandsTest, FullStoreRefusesANoteAndKeepsItsEntries) {
    for (int i = store.count() + 1; i <= VariableStore::kMaxEntries; ++i)
        addVariable("v" + std::to_string(i), i);
    const auto before = record.bytes();
    EXPECT_EQ(run("note 30 tea"), "impossible to annotate: more than 60 variables/events");
    EXPECT_EQ(store.count(), 60);
    EXPECT_EQ(record.bytes(), before);
}

// ---- del ----

class DeleteTest : public ControlCommandsTest {
  protected:
    DeleteTest() {
        addVariable("x", 5);
        const int n = store.append();
        record.setName(n, "n");
        store.setIntegerVariable(n, 7, 7);
        EXPECT_TRUE(store.define("af", "a*2").stored);
        EXPECT_TRUE(store.define("f", "y+1").stored);
        run("note 30 tea");  // 10:30:00
        surface.historyLines = {"1+1", "x = 5"};
    }
};

struct DeleteCase {
    const char* line;
    const char* result;
    int removed;  // entries fewer afterwards
};

TEST_F(DeleteTest, DeletesByNameOrTimeAndRefusesTheRest) {
    const char* format = "event to be deleted must be in format hh:mm:ss";
    const DeleteCase cases[] = {
        {"del x", "\"x\" variable deleted", 1},
        {"delete x", "\"x\" variable deleted", 1},
        {"del x and more", "\"x\" variable deleted", 1},
        {"del n", "\"n\" variable deleted", 1},
        {"del af", "\"af\" function deleted", 1},
        {"del 10:30:00", "note for 10:30:00 deleted", 1},
        {"delete 10:30:0", "note for 10:30:0 deleted", 1},
        {"del 11:00:00", "\"11:00:00\" variable not found", 0},
        {"del pi", "\"pi\" variable can't be deleted", 0},
        {"del r", "\"r\" variable can't be deleted", 0},
        {"del e", "\"e\" variable can't be deleted", 0},
        {"del zz", "\"zz\" variable not found", 0},
        {"del xx", "\"xx\" variable not found", 0},
        {"del 10:30", format, 0},
        {"del 1x:00:00", format, 0},
        {"del 10::", format, 0},
        {"del 10:30:", format, 0},
        {"del 10:30:00:00", format, 0},
        {"del 10:30:0x", format, 0},
        {"del 99999999999999999999:0:0", "\"99999999999999999999:0:0\" variable not found", 0},
    };
    const auto original = record.bytes();
    for (const auto& c : cases) {
        record.bytes() = original;
        store.rebuildFunctionNames();
        const int before = store.count();
        EXPECT_EQ(run(c.line), c.result) << c.line;
        EXPECT_EQ(store.count(), before - c.removed) << c.line;
        if (c.removed) {
            EXPECT_EQ(surface.listing.size(), static_cast<std::size_t>(store.count())) << c.line;
        }
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(DeleteTest, DeletingAFunctionRemovesExactlyItsName) {
    EXPECT_EQ(run("del f"), "\"f\" function deleted");
    EXPECT_EQ(store.find("f"), 0);
    EXPECT_NE(store.find("af"), 0);
    EXPECT_FALSE(store.isFunctionName("f"));
    EXPECT_TRUE(store.isFunctionName("af"));
    EXPECT_EQ(store.userFunctionNames(), "af ");
    EXPECT_FALSE(listed("f(y) = y+1"));
    EXPECT_TRUE(listed("af(a) = a*2"));
}

TEST_F(DeleteTest, ListingFollowsEveryChange) {
    EXPECT_TRUE(listed("x = 5"));
    EXPECT_TRUE(listed("10:30:00 - tea "));
    run("del x");
    EXPECT_FALSE(listed("x = 5"));
    run("del 10:30:00");
    EXPECT_FALSE(listed("10:30:00 - tea "));
    EXPECT_EQ(surface.listing.size(), static_cast<std::size_t>(store.count()));
}

TEST_F(DeleteTest, OverdueEventNotYetShownCanBeDeleted) {
    setNow(10, 30, 5);
    EXPECT_EQ(run("del 10:30:00"), "note for 10:30:00 deleted");
    EXPECT_EQ(firstEvent(), 0);
}

TEST_F(DeleteTest, HistoryIsEmptied) {
    for (const char* line : {"del hist", "delete historic"}) {
        surface.historyLines = {"1+1"};
        EXPECT_EQ(run(line), "historic deleted");
        EXPECT_TRUE(surface.historyLines.empty());
    }
}

TEST_F(DeleteTest, VariablesNamedLikeKeywordsAreDeletedAsVariables) {
    for (const char* name : {"vars", "hist", "historic"}) {
        addVariable(name, 1);
        EXPECT_EQ(run(std::string("del ") + name),
                  "\"" + std::string(name) + "\" variable deleted");
    }
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(surface.historyLines.size(), 2u);
}

TEST_F(DeleteTest, DelVarsAsksFirst) {
    const auto before = record.bytes();
    dialogs.answers = {false};
    EXPECT_EQ(run("del vars"), "action canceled");
    EXPECT_EQ(record.bytes(), before);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].question);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(dialogs.messages[0].text,
              "This will delete all variables, functions and notes of Tobrisk");
    EXPECT_EQ(alerts.played, (std::vector<AlertKind>{AlertKind::Asterisk, AlertKind::Exclamation}));

    alerts.played.clear();
    dialogs.answers = {true};
    EXPECT_EQ(run("delete vars"), "all variables deleted");
    EXPECT_EQ(store.count(), VariableStore::kNativeEntries);
    EXPECT_EQ(surface.listing.size(), 3u);
    EXPECT_EQ(store.functionNames(), VariableStore::nativeNames());
    EXPECT_EQ(alerts.played, (std::vector<AlertKind>{AlertKind::Asterisk, AlertKind::Exclamation,
                                                     AlertKind::Default}));
}

// ---- Through the line calculation's hook ----

// Both sides of one window, as the expression window is.
class Window : public ExpressionView, public ExpressionSurface {
  public:
    explicit Window(Alerts& alerts) : alerts_(alerts) {}
    std::string entryText() const override { return entry; }
    void setEntryText(const std::string& t) override { entry = t; }
    void selectAllEntry() override {}
    std::string resultText() const override { return result; }
    void setResultText(const std::string& t) override { result = t; }
    void setResultColour(ResultColour c) override { colour = c; }
    void addHistory(const std::string& line) override { lines.push_back(line); }
    std::optional<std::string> lastHistoryItem() const override {
        if (lines.empty()) return std::nullopt;
        return lines.back();
    }
    void clearHistory() override { lines.clear(); }
    std::vector<std::string> history() const override { return lines; }
    bool automaticSomaMode() const override { return false; }
    void alert(AlertKind kind) override { alerts_.play(kind); }
    void setTimerInterval(int) override {}
    void repaint() override {}
    void setListing(const std::vector<std::string>& l) override { listing = l; }
    void repaintNow() override {}
    void setCaption(const std::string&) override {}

    std::string entry, result;
    ResultColour colour = ResultColour::Normal;
    std::vector<std::string> lines, listing;

  private:
    Alerts& alerts_;
};

class CommandLineTest : public ::testing::Test {
  protected:
    CommandLineTest() { store.reset(); }

    std::string calculate(const std::string& line) {
        window.entry = line;
        alerts.played.clear();
        calculation.calculateLine();
        return window.result;
    }

    DataRecord record;
    VariableStore store{record};
    CalcContext context;
    FakeAlerts alerts;
    FakeDialogs dialogs;
    FakeClock clock{encodeDateTime(2026, 12, 8, 10, 0, 0)};
    AppServices services{alerts, dialogs, clock, Separators{}, "", ""};
    Window window{alerts};
    ControlCommands commands{store, context, services, window};
    LineCalculation calculation{context, store, window, commands};
};

TEST_F(CommandLineTest, CommandsAreNoticesAndStayOutOfTheHistory) {
    EXPECT_EQ(calculate("x = 5"), "5");
    struct Case {
        const char* line;
        const char* result;
    };
    const Case cases[] = {
        {"note 30 tea", "event scheduled for 10:30:00"},
        {"note 721 tea", "impossible to annotate: more than 12 hours ahead"},
        {"del x", "\"x\" variable deleted"},
        {"del x", "\"x\" variable not found"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(calculate(c.line), c.result);
        EXPECT_EQ(window.colour, ResultColour::Notice) << c.line;
        EXPECT_EQ(window.entry, c.line);
        EXPECT_EQ(alerts.played, std::vector<AlertKind>{AlertKind::Asterisk}) << c.line;
    }
    EXPECT_EQ(window.lines, std::vector<std::string>{"x = 5"});
    EXPECT_EQ(window.listing.back(), "10:30:00 - tea ");
}

TEST_F(CommandLineTest, NonCommandsReachTheEngine) {
    calculate("x = 5");
    for (const char* line : {"Del x", "note :30 x"}) {
        const std::string result = calculate(line);
        EXPECT_EQ(result.find("deleted"), std::string::npos) << line;
        EXPECT_EQ(result.find("annotate"), std::string::npos) << line;
    }
    EXPECT_NE(store.find("x"), 0);
    EXPECT_EQ(calculate("del hist"), "historic deleted");
    EXPECT_TRUE(window.lines.empty());
    EXPECT_EQ(calculate("1+1"), "2");
    EXPECT_EQ(window.lines, std::vector<std::string>{"1+1"});
}

}  // namespace
}  // namespace tobrisk
