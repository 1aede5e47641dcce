#include "rpn/ui/rpn_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/fakes.h"
#include "tests/qt_test_app.h"

namespace tobrisk {
namespace {

void app() {
    ensureTestApplication();
}

// The shell as the window sees it: records what was asked, calculates lines from a script.
class FakeHost : public CalculatorHost {
  public:
    explicit FakeHost(DataRecord& record) : record_(record) {}
    void switchCalculator(Calculator from, Calculator to) override {
        switches.emplace_back(from, to);
    }
    void closeFrom(Calculator) override {
        ++closeRequests;
        closing_ = true;
    }
    bool closing() const override { return closing_; }
    void showBuiltInHelp(Calculator which) override { helpShown.push_back(which); }
    void openHelpFile() override { ++helpFileOpened; }
    void showAbout() override { ++aboutShown; }
    void chooseExpressionFont() override {}
    bool calculateExpressionLine(const std::string& line, std::string& message) override {
        lines.push_back(line);
        if (!ok) {
            message = "error text";
            return false;
        }
        record_.setKind(1, EntryKind::Variable);
        record_.setValue(1, result);
        return true;
    }

    std::vector<std::pair<Calculator, Calculator>> switches;
    std::vector<Calculator> helpShown;
    std::vector<std::string> lines;
    int closeRequests = 0, helpFileOpened = 0, aboutShown = 0;
    bool ok = true;
    double result = 0;

  private:
    DataRecord& record_;
    bool closing_ = false;
};

class RpnWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        app();
        record.fillNew(NewRecordContext{});
        record.setRpnTop(100);
        record.setRpnLeft(120);
    }
    void TearDown() override { window.reset(); }
    RpnWindow& open() {
        window = std::make_unique<RpnWindow>(record, services, host);
        window->show();
        QApplication::processEvents();
        return *window;
    }
    QPushButton* button(const char* name) { return window->findChild<QPushButton*>(name); }
    QLineEdit* edit(const char* name) { return window->findChild<QLineEdit*>(name); }
    QString display() { return edit("Memo1")->text(); }
    void click(const std::string& names) {
        std::size_t start = 0;
        while (start < names.size()) {
            auto end = names.find(' ', start);
            if (end == std::string::npos) end = names.size();
            const std::string n = names.substr(start, end - start);
            QPushButton* b = button(n.c_str());
            EXPECT_NE(b, nullptr) << n;
            if (b) QTest::mouseClick(b, Qt::LeftButton);
            start = end + 1;
        }
    }
    QAction* action(const char* name) { return window->findChild<QAction*>(name); }

    DataRecord record;
    FakeAlerts alerts;
    FakeDialogs dialogs;
    FakeClock clock;
    AppServices services{alerts, dialogs, clock, Separators{}, "/tmp/", "/tmp/"};
    FakeHost host{record};
    std::unique_ptr<RpnWindow> window;
};

TEST_F(RpnWindowTest, EveryButtonAtItsPlace) {
    open();
    EXPECT_EQ(window->objectName(), "TForm6");
    EXPECT_EQ(window->windowTitle(), "Tobrisk RPN");
    const struct {
        const char* name;
        const char* caption;
        int x, y, w;
        const char* hint;
    } cases[] = {
        {"BtnAdSto", "sto", 6, 12, 43, ""},
        {"BtnUData", "udata", 150, 12, 43, "User Data"},
        {"BtnOpSub", "-", 6, 42, 43, ""},
        {"Btn7", "7", 54, 42, 43, ""},
        {"BtnE", "E", 150, 132, 43, ""},
        {"BtnOpExp", "^", 6, 162, 43, ""},
        {"BtnEnter", "Enter", 54, 162, 91, ""},
        {"BtnAdXY", "x-y", 150, 162, 43, ""},
        {"BtnFormat", "show", 6, 12, 43, "Edition modes menu: fix, sci, eng "},
        {"BtnUnitAng", "deg", 54, 12, 43, "Degrees/radians switch"},
        {"BtnAdRollD", "\u2193", 6, 42, 43, "Rolls stack down"},
        {"BtnUFunc", "ufunc", 54, 72, 43, "User Functions"},
        {"BtnAdFunc", "func", 6, 72, 43, "Native Functions"},
        {"BtnAdDel", "\u2190", 6, 102, 43, "Delete last entered digit"},
        {"BtnAdClx", "clx", 6, 162, 43, "Clear display"},
        {"BtnAdClst", "clst", 54, 162, 43, ""},
    };
    for (const auto& c : cases) {
        QPushButton* b = button(c.name);
        ASSERT_NE(b, nullptr) << c.name;
        EXPECT_EQ(b->text(), QString::fromUtf8(c.caption)) << c.name;
        EXPECT_EQ(b->geometry(), QRect(c.x, c.y, c.w, 25)) << c.name;
        EXPECT_EQ(b->toolTip(), QString::fromLatin1(c.hint)) << c.name;
    }
    EXPECT_EQ(window->findChildren<QPushButton*>().size(), 35);
    EXPECT_EQ(window->size(), QSize(302, 217));
    EXPECT_TRUE(edit("Edit1")->isHidden());
    EXPECT_EQ(display(), "0.0000");
    EXPECT_EQ(window->pos(), QPoint(120, 100));
}

TEST_F(RpnWindowTest, ButtonsDriveTheMachine) {
    open();
    click("Btn5 BtnEnter Btn3");
    EXPECT_EQ(display(), "3");
    EXPECT_EQ(edit("Edit3")->text(), "5");
    EXPECT_EQ(edit("Edit4")->text(), "3");
    click("BtnOpExp");
    EXPECT_EQ(display(), "125.0000");
    click("BtnAdFunc");
    EXPECT_EQ(button("Btn7")->text(), "sin");
    EXPECT_EQ(button("Btn7")->width(), 48);
    EXPECT_EQ(button("BtnP")->text(), "fact");
    click("BtnAdFunc");
    EXPECT_EQ(button("Btn7")->text(), "7");
    EXPECT_EQ(button("Btn7")->width(), 43);
    click("BtnUnitAng");
    EXPECT_EQ(button("BtnUnitAng")->text(), "rad");
    EXPECT_EQ(record.rpnAngleMode(), 1);
    click("BtnFormat");
    EXPECT_EQ(button("Btn8")->text(), "sci ");
    EXPECT_EQ(button("Btn7")->text(), "fix*");
    EXPECT_EQ(button("Btn1")->text(), "");
    click("Btn8 Btn2");
    EXPECT_EQ(display(), "1.25 E02");
    click("Btn1 BtnOpDiv");
    EXPECT_EQ(display(), "1.25 E02");
}

TEST_F(RpnWindowTest, KeyboardTable) {
    open();
    QTest::keyClick(window.get(), Qt::Key_1);
    QTest::keyClick(window.get(), Qt::Key_2, Qt::KeypadModifier);
    EXPECT_EQ(display(), "12");
    QTest::keyClick(window.get(), Qt::Key_Minus, Qt::ControlModifier);  // chs
    EXPECT_EQ(display(), "-12");
    // Enter with a button focused performs Enter, not the button's click.
    button("BtnAdChs")->setFocus();
    QTest::keyClick(button("BtnAdChs"), Qt::Key_Space);
    EXPECT_EQ(display(), "-12.0000");
    EXPECT_EQ(edit("Edit3")->text(), "-12");
    QTest::keyClick(button("BtnAdChs"), Qt::Key_Return);
    EXPECT_EQ(edit("Edit2")->text(), "-12");
    QTest::keyClick(window.get(), Qt::Key_Delete, Qt::ControlModifier);  // clst
    QTest::keyClick(window.get(), Qt::Key_1);
    QTest::keyClick(window.get(), Qt::Key_2);
    QTest::keyClick(window.get(), Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(button("BtnAdClrg"), Qt::Key_2);
    QTest::keyClick(button("BtnAdClrg"), Qt::Key_AsciiCircum, Qt::ShiftModifier);
    EXPECT_EQ(display(), "144.0000");
    QTest::keyClick(window.get(), Qt::Key_Space);
    QTest::keyClick(window.get(), Qt::Key_Plus, Qt::ShiftModifier);  // Shift+= is +
    EXPECT_EQ(display(), "288.0000");
    QTest::keyClick(window.get(), Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(button("Btn7")->text(), "7");
    QTest::keyClick(window.get(), Qt::Key_D);
    EXPECT_EQ(button("Btn7")->text(), "r");
    EXPECT_EQ(button("Btn8")->text(), "pi");
    QTest::keyClick(window.get(), Qt::Key_2);  // the second button in reading order: pi
    EXPECT_EQ(display(), "3.1416");
    QTest::keyClick(window.get(), Qt::Key_Left);
    EXPECT_TRUE(button("BtnAdDel")->hasFocus() || !window->isActiveWindow());
    QTest::keyClick(window.get(), Qt::Key_Delete, Qt::ControlModifier);  // clst
    EXPECT_EQ(edit("Edit3")->text(), "0");
    QTest::keyClick(window.get(), Qt::Key_S);
    EXPECT_EQ(display(), "STO _ ");
    QTest::keyClick(window.get(), Qt::Key_R, Qt::ShiftModifier);
    EXPECT_EQ(display(), "RCL _ ");
}

TEST_F(RpnWindowTest, UserFunctionThroughTheExpressionCalculator) {
    const int i = record.count() + 1;
    record.setCount(i);
    record.setKind(i, EntryKind::UserFunction);
    record.setName(i, "f");
    record.setParamCount(i, 2);
    record.setParamBody(i, "&02-&01");
    open();
    host.result = 7;
    click("Btn1 Btn0 BtnEnter Btn3 BtnUFunc");
    EXPECT_EQ(button("Btn7")->text(), "f");
    click("Btn7");
    ASSERT_EQ(host.lines.size(), 1u);
    EXPECT_EQ(host.lines[0], "10-3");
    EXPECT_EQ(display(), "7.0000");
    // comb through the functions pad: 10 Enter 3 comb.
    host.result = 120;
    click("Btn1 Btn0 BtnEnter Btn3 BtnAdFunc BtnE");
    EXPECT_EQ(host.lines.back(), "comb(10,3)");
    EXPECT_EQ(edit("Edit3")->text(), "7");
    // A failing line shows an error and keeps the stack.
    host.ok = false;
    click("Btn5 BtnAdFunc BtnP");
    EXPECT_TRUE(window->machine().errorShown());
    EXPECT_EQ(display(), "error text");  // the expression calculator's message
    EXPECT_EQ(edit("Edit4")->text(), "5");
}

TEST_F(RpnWindowTest, ShowingRefillsThePads) {
    open();
    window->hide();
    const int i = record.count() + 1;
    record.setCount(i);
    record.setKind(i, EntryKind::Variable);
    record.setName(i, "k");
    record.setValue(i, 4);
    window->show();
    QApplication::processEvents();
    click("BtnUData");
    EXPECT_EQ(button("Btn4")->text(), "k");
    click("Btn4");
    EXPECT_EQ(display(), "4.0000");
}

TEST_F(RpnWindowTest, StackViewToggle) {
    record.setRpnTop(0);
    open();
    const int displayY = edit("Memo1")->mapToGlobal(QPoint(0, 0)).y();
    action("MostrarOcultarstack1")->trigger();
    EXPECT_FALSE(edit("Edit1")->isHidden());
    EXPECT_EQ(edit("Memo1")->y(), 98);
    EXPECT_EQ(window->size(), QSize(302, 315));
    EXPECT_GE(window->y(), 0);
    EXPECT_TRUE(record.rpnStackShown());
    EXPECT_EQ(alerts.played.back(), AlertKind::Question);
    (void)displayY;
    action("MostrarOcultarstack1")->trigger();
    EXPECT_TRUE(edit("Edit1")->isHidden());
    EXPECT_EQ(edit("Memo1")->y(), 0);
    EXPECT_FALSE(record.rpnStackShown());
    // Saved state is read at creation.
    record.setRpnStackShown(true);
    window.reset();
    open();
    EXPECT_FALSE(edit("Edit1")->isHidden());
    EXPECT_EQ(edit("Edit4")->y(), 72);
}

TEST_F(RpnWindowTest, GlyphSetsSurviveARestart) {
    open();
    action("CaracNormais1")->trigger();
    EXPECT_EQ(button("BtnAdRollD")->text(), "down");
    EXPECT_EQ(button("BtnAdRollU")->text(), "up");
    EXPECT_EQ(button("BtnAdDel")->text(), "del");
    EXPECT_EQ(record.rpnGlyphSet(), 2);
    window.reset();
    open();
    EXPECT_TRUE(action("CaracNormais1")->isChecked());
    EXPECT_FALSE(action("WingDings31")->isChecked());
    EXPECT_EQ(button("BtnAdDel")->text(), "del");
    action("WebDings1")->trigger();
    EXPECT_EQ(record.rpnGlyphSet(), 1);
    EXPECT_FALSE(button("BtnAdRollU")->text().isEmpty());
}

TEST_F(RpnWindowTest, FontsThroughTheDialog) {
    open();
    dialogs.fonts.push_back(FontSpec{"DejaVu Sans Mono", 14, kItalic, 0x0000FF});
    action("FontedoVisor1")->trigger();
    EXPECT_EQ(alerts.played.back(), AlertKind::Asterisk);
    EXPECT_EQ(record.rpnDisplayFont().name, "DejaVu Sans Mono");
    EXPECT_EQ(record.rpnDisplayFont().size, 14);
    EXPECT_TRUE(edit("Memo1")->font().italic());
    dialogs.fonts.push_back(std::nullopt);  // Cancel
    action("FontedosBotes1")->trigger();
    EXPECT_EQ(record.rpnButtonsFont().name, "MS Sans Serif");
    dialogs.fonts.push_back(FontSpec{"DejaVu Sans", 14, kBold, 0});
    action("FontedosBotes1")->trigger();
    EXPECT_TRUE(button("BtnAdSto")->font().bold());
    EXPECT_EQ(button("BtnOpExp")->font().pixelSize(), 17);
    EXPECT_EQ(edit("Memo1")->font().family(), "DejaVu Sans Mono");
}

TEST_F(RpnWindowTest, FontDialogsStartFromTheSavedFontAndRefuseSizesOutsideTheLimits) {
    open();
    const FontSpec display = record.rpnDisplayFont();
    const FontSpec buttons = record.rpnButtonsFont();
    EXPECT_EQ(display.name, "LcdD");
    EXPECT_EQ(display.style, kBold);
    struct {
        int size;
        bool taken;
    } const cases[] = {{6, false}, {8, true}, {14, true}, {20, false}};
    for (const char* command : {"FontedoVisor1", "FontedosBotes1"}) {
        const bool isDisplay = std::string_view(command) == "FontedoVisor1";
        for (const auto& c : cases) {
            record.setRpnDisplayFont(display);
            record.setRpnButtonsFont(buttons);
            dialogs.messages.clear();
            FontSpec chosen = isDisplay ? display : buttons;
            chosen.size = c.size;
            dialogs.fonts.push_back(chosen);
            action(command)->trigger();
            // The dialog opened on the font as saved: design name, size and style.
            const FontSpec asked = dialogs.fontRequests.back();
            EXPECT_EQ(asked.name, isDisplay ? "LcdD" : "MS Sans Serif") << command;
            EXPECT_EQ(asked.size, isDisplay ? display.size : buttons.size) << command;
            EXPECT_EQ(asked.style, isDisplay ? display.style : buttons.style) << command;
            const FontSpec saved = isDisplay ? record.rpnDisplayFont() : record.rpnButtonsFont();
            EXPECT_EQ(saved.size, c.taken ? c.size : asked.size) << command << " " << c.size;
            if (c.taken) {
                EXPECT_TRUE(dialogs.messages.empty()) << command << " " << c.size;
            } else {
                ASSERT_EQ(dialogs.messages.size(), 1u) << command << " " << c.size;
                EXPECT_NE(dialogs.messages[0].text.find("is not possible"), std::string::npos);
                EXPECT_NE(dialogs.messages[0].text.find(std::to_string(c.size)), std::string::npos);
            }
        }
    }
    // OK without a change keeps the design names and styles.
    record.setRpnDisplayFont(display);
    dialogs.fonts.push_back(display);
    action("FontedoVisor1")->trigger();
    EXPECT_EQ(record.rpnDisplayFont().name, "LcdD");
    EXPECT_EQ(record.rpnDisplayFont().style, kBold);
}

TEST_F(RpnWindowTest, MenuCommandsGoToTheHost) {
    open();
    const char* names[] = {"CalcdeExpresses1",
                           "CalculadoraFinanceira1",
                           "Help1",
                           "BuiltinHelp1",
                           "MostrarOcultarstack1",
                           "FontedoVisor1",
                           "FontedosBotes1",
                           "WingDings31",
                           "WebDings1",
                           "CaracNormais1",
                           "Sobre1",
                           "Space1",
                           "Enter1"};
    for (const char* n : names) EXPECT_NE(action(n), nullptr) << n;
    EXPECT_EQ(action("CalcdeExpresses1")->shortcut(), QKeySequence("Ctrl+E"));
    action("CalcdeExpresses1")->trigger();
    action("CalculadoraFinanceira1")->trigger();
    action("Help1")->trigger();
    action("BuiltinHelp1")->trigger();
    action("Sobre1")->trigger();
    ASSERT_EQ(host.switches.size(), 2u);
    EXPECT_EQ(host.switches[0].second, Calculator::Expression);
    EXPECT_EQ(host.switches[1].second, Calculator::Financial);
    EXPECT_EQ(host.helpFileOpened, 1);
    EXPECT_EQ(host.helpShown, std::vector<Calculator>{Calculator::Rpn});
    EXPECT_EQ(host.aboutShown, 1);
}

TEST_F(RpnWindowTest, DisplayTextChangedFromOutside) {
    open();
    edit("Memo1")->setText("12.5");
    EXPECT_EQ(edit("Edit4")->text(), "12.5");
    EXPECT_EQ(window->machine().x(), 12.5L);
}

TEST_F(RpnWindowTest, RightClickAnywhereOpensTheMenu) {
    open();
    for (const char* name : {"BtnAdSto", "Btn5", "BtnAdClst"}) {
        QWidget* target = button(name);
        QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(2, 2),
                            target->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(target, &e);
        EXPECT_TRUE(window->popupMenu()->isVisible()) << name;
        window->popupMenu()->hide();
    }
    QWidget* field = edit("Memo1");
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(2, 2), field->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(field, &e);
    EXPECT_TRUE(window->popupMenu()->isVisible());
    window->popupMenu()->hide();
}

TEST_F(RpnWindowTest, AlwaysOnTopAndClose) {
    record.setRpnTopmost(1);
    open();
    EXPECT_EQ(record.rpnTopmost(), 0);  // never survives a restart
    QTest::mouseDClick(edit("Memo1"), Qt::LeftButton);
    EXPECT_EQ(record.rpnTopmost(), 1);
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    window->gatherInto(record);
    EXPECT_EQ(record.rpnLeft(), window->x());
    window->close();
    EXPECT_EQ(host.closeRequests, 1);
}

// With TOBRISK_RPN_SCREENSHOT=path the window is saved as a picture for a look by eye.
TEST_F(RpnWindowTest, Screenshot) {
    const char* path = std::getenv("TOBRISK_RPN_SCREENSHOT");
    if (!path) GTEST_SKIP() << "set TOBRISK_RPN_SCREENSHOT to save a picture";
    record.setRpnStackShown(true);
    open();
    click("Btn1 Btn2 Btn3 Btn4 BtnP Btn5 BtnEnter Btn2 BtnOpDiv Btn7");
    QTest::qWait(300);
    window->grab().save(QString::fromUtf8(path));
    click("BtnAdFunc");
    window->grab().save(QString::fromUtf8(path) + ".func.png");
    click("BtnAdFunc BtnUData");
    window->grab().save(QString::fromUtf8(path) + ".udata.png");
    click("BtnUData BtnFormat");
    window->grab().save(QString::fromUtf8(path) + ".show.png");
    if (std::getenv("TOBRISK_RPN_SCREENSHOT_WAIT")) QTest::qWait(3000);
}

}  // namespace
}  // namespace tobrisk
