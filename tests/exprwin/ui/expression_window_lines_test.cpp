// The expression window's two lines from the keyboard: the history keys, the result line's
// colour when its list opens or the application comes back, and the `del vars` warning box.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <filesystem>

#include "exprwin/ui/expression_window.h"
#include "platform/fakes.h"
#include "tests/qt_test_app.h"

namespace tobrisk {
namespace {

namespace fs = std::filesystem;

class NoHost : public CalculatorHost {
  public:
    void switchCalculator(Calculator, Calculator) override {}
    void closeFrom(Calculator) override {}
    bool closing() const override { return false; }
    void showBuiltInHelp(Calculator) override {}
    void openHelpFile() override {}
    void showAbout() override {}
    void chooseExpressionFont() override {}
    bool calculateExpressionLine(const std::string&, std::string&) override { return false; }
};

const QColor kNotice(136, 68, 34);

class ExpressionLinesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureTestApplication();
        dir = fs::temp_directory_path() /
              ("tobrisk-exprwin-lines-" + std::to_string(QCoreApplication::applicationPid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        const std::string folder = dir.string() + "/";
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
    QLineEdit* entryEdit() const { return window->entryLine()->lineEdit(); }
    QLineEdit* resultEdit() const { return window->resultLine()->lineEdit(); }
    void type(const QString& line) {
        window->entryLine()->setEditText(line);
        QTest::keyClick(entryEdit(), Qt::Key_Return);
    }
    QColor resultColour() const { return resultEdit()->palette().color(QPalette::Text); }
    QColor entryColour() const { return entryEdit()->palette().color(QPalette::Text); }

    fs::path dir;
    FakeAlerts alerts;
    FakeDialogs dialogs;
    FakeClock clock{encodeDateTime(2026, 12, 8, 10, 0, 0)};
    NoHost host;
    DataRecord record;
    std::unique_ptr<AppServices> services;
    std::unique_ptr<RecordFiles> files;
    std::unique_ptr<ExpressionWindow> window;
};

TEST_F(ExpressionLinesTest, UpAndDownWalkTheHistoryNewestFirst) {
    // First start: the welcome lines are the history.
    ASSERT_EQ(window->entryLine()->count(), 2);
    type("3*3");
    type("10/4");
    window->entryLine()->setEditText("7-");
    const struct {
        Qt::Key key;
        const char* entry;
    } steps[] = {{Qt::Key_Up, "10/4"},
                 {Qt::Key_Up, "3*3"},
                 {Qt::Key_Up, "2+2"},
                 {Qt::Key_Up, "(pi/2)^2.5 + sqrt(2)"},
                 {Qt::Key_Up, "(pi/2)^2.5 + sqrt(2)"},
                 {Qt::Key_Down, "2+2"},
                 {Qt::Key_Down, "3*3"},
                 {Qt::Key_Down, "10/4"},
                 {Qt::Key_Down, "7-"}};
    for (const auto& s : steps) {
        QTest::keyClick(entryEdit(), s.key);
        EXPECT_EQ(window->entryLine()->currentText(), s.entry);
    }
    // A recalled line runs as typed and joins the history as the newest.
    QTest::keyClick(entryEdit(), Qt::Key_Up);
    QTest::keyClick(entryEdit(), Qt::Key_Up);
    QTest::keyClick(entryEdit(), Qt::Key_Return);
    EXPECT_EQ(window->resultLine()->currentText(), "9");
    QTest::keyClick(entryEdit(), Qt::Key_Up);
    EXPECT_EQ(window->entryLine()->currentText(), "3*3");
    EXPECT_EQ(window->entryLine()->count(), 5);
}

TEST_F(ExpressionLinesTest, ALineChosenFromTheListIsWhereDownContinues) {
    QComboBox* line = window->entryLine();
    line->setEditText("draft");
    line->showPopup();
    line->view()->setCurrentIndex(line->model()->index(0, 0));
    QTest::keyClick(line->view(), Qt::Key_Return);
    ASSERT_EQ(line->currentText(), "(pi/2)^2.5 + sqrt(2)");
    for (const char* next : {"2+2", "draft", "draft"}) {
        QTest::keyClick(entryEdit(), Qt::Key_Down);
        EXPECT_EQ(line->currentText(), next);
    }
}

TEST_F(ExpressionLinesTest, OpeningTheListingFromTheKeyboardRestoresTheUsersColour) {
    const QColor user = entryColour();
    ASSERT_NE(user, kNotice);
    for (const auto& keys :
         {std::pair{Qt::Key_Down, Qt::AltModifier}, std::pair{Qt::Key_F4, Qt::NoModifier}}) {
        type("1/0");
        ASSERT_EQ(resultColour(), kNotice);
        resultEdit()->setFocus();
        QTest::keyClick(resultEdit(), keys.first, keys.second);
        EXPECT_EQ(resultColour(), user);
        window->resultLine()->hidePopup();
    }
}

TEST_F(ExpressionLinesTest, RegainingTheFocusGivesBothLinesTheUsersColour) {
    const QColor user = entryColour();
    type("1/0");
    window->setFocusGreyed(true);
    EXPECT_NE(entryColour(), user);
    EXPECT_NE(resultColour(), kNotice);
    window->setFocusGreyed(false);
    EXPECT_EQ(entryColour(), user);
    EXPECT_EQ(resultColour(), user);
}

TEST_F(ExpressionLinesTest, DelVarsAsksInAWarningBox) {
    dialogs.answers = {false};
    type("del vars");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Warning);
    EXPECT_TRUE(dialogs.messages[0].question);
    EXPECT_EQ(window->resultLine()->currentText(), "action canceled");
}

}  // namespace
}  // namespace tobrisk
