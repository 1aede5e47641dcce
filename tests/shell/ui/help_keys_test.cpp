// The help commands as a user meets them: the calculators' own F1 and Ctrl+F1 keys on the
// running shell, with the real windows.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "platform/fakes.h"
#include "shell/help_lookup.h"
#include "shell/ui/app_shell.h"
#include "shell/ui/help_window.h"
#include "tests/qt_test_app.h"

namespace tobrisk {
namespace {

namespace fs = std::filesystem;

void app() {
    ensureTestApplication();
}

class HelpKeysTest : public ::testing::TestWithParam<Calculator> {
  protected:
    void SetUp() override {
        app();
        dir = fs::temp_directory_path() / ("tobrisk-help-keys-" + std::to_string(int(GetParam())));
        fs::remove_all(dir);
        fs::create_directories(dir);
        folder = dir.string() + "/";
        services = std::make_unique<AppServices>(
            AppServices{alerts, dialogs, clock, Separators{}, folder, folder});
        shell = std::make_unique<AppShell>(*services);
        shell->setLauncher(launcher);
        shell->start();
        QTest::qWait(50);
        if (GetParam() != Calculator::Expression)
            shell->switchCalculator(Calculator::Expression, GetParam());
        calculator = shell->calculatorWindow(GetParam());
        calculator->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(calculator));
    }
    void TearDown() override {
        shell.reset();
        fs::remove_all(dir);
    }
    // True when the calculator's window offers the key (a window still being built may not).
    bool offers(const QKeySequence& key) const {
        for (QAction* a : calculator->findChildren<QAction*>())
            if (a->shortcut() == key) return true;
        return false;
    }
    void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : calculator;
        QTest::keyClick(target, Qt::Key(key), mods);
        QApplication::processEvents();
    }
    int visibleHelpWindows() const {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && qobject_cast<HelpWindow*>(w)) ++n;
        return n;
    }

    fs::path dir;
    std::string folder;
    FakeAlerts alerts;
    FakeDialogs dialogs;
    FakeClock clock{encodeDateTime(2026, 12, 8, 12, 0, 0)};
    std::unique_ptr<AppServices> services;
    FakeLauncher launcher;
    std::unique_ptr<AppShell> shell;
    QWidget* calculator = nullptr;
};

TEST_P(HelpKeysTest, F1TwiceShowsOneHelpWindowAndTheCalculatorKeepsTheFocus) {
    if (!offers(QKeySequence(Qt::Key_F1))) GTEST_SKIP() << "window without F1 yet";
    QWidget* help = shell->helpWindow(GetParam());
    alerts.played.clear();
    press(Qt::Key_F1);
    ASSERT_TRUE(help->isVisible());
    const QPoint where = help->pos();
    press(Qt::Key_F1);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->pos(), where);
    EXPECT_EQ(visibleHelpWindows(), 1);
    EXPECT_EQ(alerts.played, (std::vector<AlertKind>{AlertKind::Asterisk, AlertKind::Asterisk}));
    EXPECT_TRUE(QTest::qWaitForWindowActive(calculator));
    EXPECT_EQ(QApplication::activeWindow(), calculator);
}

TEST_P(HelpKeysTest, CtrlF1OpensTheHelpFileWithItsApplicationElseTheManualInTheBrowser) {
    if (!offers(QKeySequence(Qt::CTRL | Qt::Key_F1))) GTEST_SKIP() << "window without Ctrl+F1 yet";
    fs::create_directories(dir / "help");
    std::ofstream(dir / "Tbhelp.chm") << "ITSF";
    std::ofstream(dir / "help" / "index.html") << "<html></html>";
    launcher.handlers = {kHelpFileMime};
    press(Qt::Key_F1, Qt::ControlModifier);
    EXPECT_EQ(launcher.documents, std::vector<std::string>{folder + "Tbhelp.chm"});
    EXPECT_TRUE(launcher.pages.empty());

    launcher.handlers.clear();
    press(Qt::Key_F1, Qt::ControlModifier);
    EXPECT_EQ(launcher.documents.size(), 1u);
    EXPECT_EQ(launcher.pages, std::vector<std::string>{folder + "help/index.html"});
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_P(HelpKeysTest, CtrlF1WithoutAnyHelpSaysSo) {
    if (!offers(QKeySequence(Qt::CTRL | Qt::Key_F1))) GTEST_SKIP() << "window without Ctrl+F1 yet";
    press(Qt::Key_F1, Qt::ControlModifier);
    EXPECT_TRUE(launcher.documents.empty());
    EXPECT_TRUE(launcher.pages.empty());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text.rfind("The help was not found", 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(EveryCalculator, HelpKeysTest,
                         ::testing::Values(Calculator::Expression, Calculator::Financial,
                                           Calculator::Rpn));

TEST(HelpKeys, SwitchingHidesTheHelpWindowLeftAndTheNextF1ShowsTheNewOne) {
    app();
    const fs::path dir = fs::temp_directory_path() / "tobrisk-help-switch";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string folder = dir.string() + "/";
    FakeAlerts alerts;
    FakeDialogs dialogs;
    FakeClock clock{encodeDateTime(2026, 12, 8, 12, 0, 0)};
    AppServices services{alerts, dialogs, clock, Separators{}, folder, folder};
    {
        AppShell shell(services);
        shell.start();
        QTest::qWait(50);
        shell.showBuiltInHelp(Calculator::Financial);
        ASSERT_TRUE(shell.helpWindow(Calculator::Financial)->isVisible());
        shell.switchCalculator(Calculator::Financial, Calculator::Rpn);
        EXPECT_FALSE(shell.helpWindow(Calculator::Financial)->isVisible());
        EXPECT_FALSE(shell.helpWindow(Calculator::Rpn)->isVisible());
        shell.showBuiltInHelp(Calculator::Rpn);
        EXPECT_TRUE(shell.helpWindow(Calculator::Rpn)->isVisible());
        EXPECT_FALSE(shell.helpWindow(Calculator::Financial)->isVisible());
        EXPECT_EQ(shell.helpWindow(Calculator::Rpn)->windowTitle(),
                  QStringLiteral("Tobrisk RPN Built-in Help"));
    }
    fs::remove_all(dir);
}

}  // namespace
}  // namespace tobrisk
