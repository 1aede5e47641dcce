#include "exprwin/ui/expression_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <filesystem>

#include "exprwin/expression_controller.h"
#include "platform/fakes.h"
#include "tests/qt_test_app.h"

namespace tobrisk {
namespace {

namespace fs = std::filesystem;

void app() {
    ensureTestApplication();
}

class FakeHost : public CalculatorHost {
  public:
    void switchCalculator(Calculator from, Calculator to) override {
        switches.push_back({from, to});
    }
    void closeFrom(Calculator) override {}
    bool closing() const override { return false; }
    void showBuiltInHelp(Calculator) override { ++helps; }
    void openHelpFile() override {}
    void showAbout() override { ++abouts; }
    void chooseExpressionFont() override { ++fonts; }
    bool calculateExpressionLine(const std::string&, std::string&) override { return false; }
    std::vector<std::pair<Calculator, Calculator>> switches;
    int helps = 0, abouts = 0, fonts = 0;
};

class ExpressionWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        app();
        dir = fs::temp_directory_path() /
              (std::string("tobrisk-exprwin-") +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        folder = dir.string() + "/";
        services = std::make_unique<AppServices>(
            AppServices{alerts, dialogs, clock, Separators{}, folder, folder});
        files = std::make_unique<RecordFiles>(record, *services);
        window = std::make_unique<ExpressionWindow>(record, *files, *services, host);
        window->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        window.reset();
        fs::remove_all(dir);
    }
    void type(const QString& line) {
        window->entryLine()->setEditText(line);
        QTest::keyClick(window->entryLine()->lineEdit(), Qt::Key_Return);
    }
    QString result() const { return window->resultLine()->currentText(); }
    QString entry() const { return window->entryLine()->currentText(); }
    QAction* action(const char* name) const { return window->findChild<QAction*>(name); }

    fs::path dir;
    std::string folder;
    FakeAlerts alerts;
    FakeDialogs dialogs;
    FakeClock clock{encodeDateTime(2026, 12, 8, 10, 0, 0)};
    FakeHost host;
    DataRecord record;
    std::unique_ptr<AppServices> services;
    std::unique_ptr<RecordFiles> files;
    std::unique_ptr<ExpressionWindow> window;
};

TEST_F(ExpressionWindowTest, EnterCalculatesTheLineAndListsTheStore) {
    type("a = 3; a*2");
    EXPECT_EQ(result(), "3;     6");
    EXPECT_EQ(entry(), "a = 3; a*2");
    EXPECT_EQ(window->entryLine()->lineEdit()->selectedText(), "a = 3; a*2");
    bool listed = false;
    for (int i = 0; i < window->resultLine()->count(); ++i)
        listed = listed || window->resultLine()->itemText(i).startsWith("a = 3");
    EXPECT_TRUE(listed);
    EXPECT_EQ(window->resultLine()->currentText(), "3;     6");  // listing keeps the text
}

TEST_F(ExpressionWindowTest, FailureShowsTheNoticeColourAndKeepsTheLine) {
    type("1/0");
    EXPECT_FALSE(result().isEmpty());
    EXPECT_EQ(window->resultLine()->lineEdit()->palette().color(QPalette::Text),
              QColor(136, 68, 34));
    EXPECT_EQ(entry(), "1/0");
    EXPECT_EQ(alerts.played.back(), AlertKind::Asterisk);
    // Opening the listing (a click on its arrow) turns the text back to the user's colour.
    QComboBox* line = window->resultLine();
    QTest::mouseClick(line, Qt::LeftButton, {}, QPoint(line->width() - 6, line->height() / 2));
    EXPECT_NE(window->resultLine()->lineEdit()->palette().color(QPalette::Text),
              QColor(136, 68, 34));
    window->resultLine()->hidePopup();
}

TEST_F(ExpressionWindowTest, CtrlEnterCalculatesInFractionModeOnce) {
    window->entryLine()->setEditText("1/3+1/6");
    QTest::keyClick(window->entryLine()->lineEdit(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(result(), "1/2");
    type("1/4");
    EXPECT_EQ(result(), "0.25");
}

TEST_F(ExpressionWindowTest, CtrlTTogglesTheAngleUnitAndCaption) {
    EXPECT_EQ(window->windowTitle(), "Tobrisk         d");
    type("sin(90)");
    EXPECT_EQ(result(), "1");
    QTest::keyClick(window->entryLine()->lineEdit(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(window->windowTitle(), "Tobrisk         r");
    EXPECT_TRUE(action("Radianos1")->isChecked());
    EXPECT_FALSE(action("Graus1")->isChecked());
    type("sin(90)");
    EXPECT_NE(result(), "1");
    // Choosing "Degrees" while in radians switches back; choosing it again switches again.
    action("Graus1")->trigger();
    EXPECT_EQ(window->windowTitle(), "Tobrisk         d");
    action("Graus1")->trigger();
    EXPECT_EQ(window->windowTitle(), "Tobrisk         r");
}

TEST_F(ExpressionWindowTest, EnclosingKeys) {
    struct {
        const char* text;
        Qt::Key key;
        Qt::KeyboardModifier mod;
        const char* after;
        int caret;
    } const cases[] = {
        {"2+3", Qt::Key_End, Qt::ShiftModifier, "(2+3)", 5},
        {"(2+3)", Qt::Key_End, Qt::ShiftModifier, "(2+3)", 5},
        {"(1)+(2)", Qt::Key_Home, Qt::ControlModifier, "(1)+(2)", 0},
        {"4*5", Qt::Key_Home, Qt::ControlModifier, "(4*5)", 0},
    };
    for (const auto& c : cases) {
        window->entryLine()->setEditText(c.text);
        QTest::keyClick(window->entryLine()->lineEdit(), c.key, c.mod);
        EXPECT_EQ(entry(), c.after) << c.text;
        EXPECT_EQ(window->entryLine()->lineEdit()->cursorPosition(), c.caret) << c.text;
    }
}

TEST_F(ExpressionWindowTest, DecimalKeysRedisplayTheLastResult) {
    type("1234.5");
    QTest::keyClick(window->entryLine()->lineEdit(), Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(result(), "1,234.50");
    EXPECT_EQ(record.slot(layout::kDecimalPlaces), 2);
    type("0.0001");
    QTest::keyClick(window->entryLine()->lineEdit(), Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(result(), "0.0001");
    QTest::keyClick(window->entryLine()->lineEdit(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(record.slot(layout::kDecimalPlaces), -1);
    EXPECT_EQ(result(), "0.0001");
}

TEST_F(ExpressionWindowTest, TraceKeyShowsThePostfixOfTheLastLine) {
    type("2+3*4");
    QTest::keyClick(window->entryLine()->lineEdit(), Qt::Key_R,
                    Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_TRUE(result().contains("*"));
    EXPECT_TRUE(result().contains("+"));
}

TEST_F(ExpressionWindowTest, ShrinkStopsAtASeventhOfTheScreen) {
    const int screen = QApplication::primaryScreen()->geometry().width();
    for (int i = 0; i < 200; ++i)
        QTest::keyClick(window->entryLine()->lineEdit(), Qt::Key_Left, Qt::ControlModifier);
    EXPECT_GE(window->entryLine()->width(), screen / 7);
    const int narrow = window->entryLine()->width();
    QTest::keyClick(window->entryLine()->lineEdit(), Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(window->entryLine()->width(), narrow + 14);
}

TEST_F(ExpressionWindowTest, FactorIntegerAndMenuSwitching) {
    window->entryLine()->setEditText("360");
    QTest::keyClick(window->entryLine()->lineEdit(), Qt::Key_F,
                    Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(result(), "2^3 x 3^2 x 5^1");
    QTest::keyClick(window->entryLine()->lineEdit(), Qt::Key_R, Qt::ControlModifier);
    QTest::keyClick(window->entryLine()->lineEdit(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_EQ(host.switches.size(), 2u);
    EXPECT_EQ(host.switches[0].second, Calculator::Rpn);
    EXPECT_EQ(host.switches[1].second, Calculator::Financial);
}

TEST_F(ExpressionWindowTest, FontLimitIsFourteen) {
    FontSpec big = record.exprFont();
    big.size = 20;
    dialogs.fonts = {big};
    window->chooseFont({});
    EXPECT_EQ(result(), "max font size is 14");
    EXPECT_NE(record.exprFont().size, 20);
    FontSpec ok = record.exprFont();
    ok.size = 12;
    ok.name = "DejaVu Sans";
    dialogs.fonts = {ok};
    FontSpec applied;
    window->chooseFont([&](const FontSpec& f) { applied = f; });
    EXPECT_EQ(record.exprFont().size, 12);
    EXPECT_EQ(applied.name, "DejaVu Sans");
    EXPECT_EQ(alerts.played.back(), AlertKind::Asterisk);
}

TEST_F(ExpressionWindowTest, YesNoOptionsAreSavedInTheRecord) {
    action("Sim1")->trigger();
    EXPECT_EQ(record.slot(layout::kFactorBig), 1);
    EXPECT_TRUE(action("Sim1")->isChecked());
    EXPECT_FALSE(action("No1")->isChecked());
    action("No2")->trigger();
    EXPECT_EQ(record.slot(layout::kIntegersWithoutDecimals), 0);
    action("Yes1")->trigger();
    EXPECT_EQ(record.slot(layout::kAutoSoma), 1);
}

TEST_F(ExpressionWindowTest, OpenAppliesTheSavedOptions) {
    DataRecord other;
    other.fillNew(NewRecordContext{});
    other.setSlot(layout::kFactorBig, 1);
    other.setSlot(layout::kAngleUnit, 0);
    other.setActiveCalculator(2);
    std::string error;
    const std::string path = folder + "conf.dat";
    ASSERT_TRUE(RecordFiles(other, *services).saveAtClose({}));  // writes Tbdata.dat
    std::filesystem::copy_file(folder + "Tbdata.dat", path,
                               std::filesystem::copy_options::overwrite_existing);
    dialogs.openPaths = {path};
    window->Abrir1Click();
    EXPECT_TRUE(action("Sim1")->isChecked());
    EXPECT_EQ(window->windowTitle(), "Tobrisk         d");  // the unit in force stays
    EXPECT_EQ(record.activeCalculator(), 0);                // and so does the calculator
}

}  // namespace
}  // namespace tobrisk

namespace tobrisk {
namespace {

TEST_F(ExpressionWindowTest, RightClickOnEitherLineOpensTheWindowMenu) {
    QComboBox* lines[] = {window->entryLine(), window->resultLine()};
    for (QComboBox* line : lines) {
        for (QWidget* target :
             {static_cast<QWidget*>(line), static_cast<QWidget*>(line->lineEdit())}) {
            QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(5, 5),
                                target->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(target, &e);
            EXPECT_TRUE(window->popupMenu()->isVisible()) << target->metaObject()->className();
            window->popupMenu()->hide();
            // No other menu (a text field's Undo/Cut/Copy/Paste) came up.
            for (QWidget* w : QApplication::topLevelWidgets())
                EXPECT_FALSE(w->isVisible() && qobject_cast<QMenu*>(w)) << "another menu";
        }
    }
}

}  // namespace
}  // namespace tobrisk
