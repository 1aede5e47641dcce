// Start-up: only the expression window is made before the first paint; the six others follow
// it, and any path that needs one of them earlier makes them first.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPaintEvent>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "exprwin/ui/expression_window.h"
#include "platform/fakes.h"
#include "shell/ui/app_shell.h"
#include "tests/qt_test_app.h"

namespace tobrisk {
namespace {

namespace fs = std::filesystem;

class AppShellStartTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureTestApplication();
        dir = fs::temp_directory_path() /
              (std::string("tobrisk-start-") +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        services = std::make_unique<AppServices>(AppServices{
            alerts, dialogs, clock, Separators{}, dir.string() + "/", dir.string() + "/"});
    }
    void TearDown() override {
        shell.reset();
        fs::remove_all(dir);
    }
    void startWithActiveCalculator(int32_t active) {
        DataRecord r;
        r.fillNew(NewRecordContext{});
        r.setActiveCalculator(active);
        std::ofstream out(dir / "Tbdata.dat", std::ios::binary);
        out.write(reinterpret_cast<const char*>(r.bytes().data()), r.bytes().size());
        out.close();
        shell = std::make_unique<AppShell>(*services);
        shell->start();  // no event processed after this until the test says so
    }

    fs::path dir;
    FakeAlerts alerts;
    FakeDialogs dialogs;
    FakeClock clock{encodeDateTime(2026, 12, 8, 12, 0, 0)};
    std::unique_ptr<AppServices> services;
    std::unique_ptr<AppShell> shell;
};

TEST_F(AppShellStartTest, OthersFollowTheFirstPaint) {
    startWithActiveCalculator(0);
    EXPECT_TRUE(shell->expressionWindow()->isVisible());
    EXPECT_FALSE(shell->windowsCreated());
    // Well before the fallback for a window that is never painted.
    ASSERT_TRUE(QTest::qWaitFor([this] { return shell->windowsCreated(); }, 500));
    EXPECT_EQ(shell->financialWindow()->objectName(), "TForm2");
    EXPECT_EQ(shell->rpnWindow()->objectName(), "TForm6");
    EXPECT_EQ(shell->aboutBox()->objectName(), "TAboutBox");
    EXPECT_FALSE(shell->financialWindow()->isVisible());
    EXPECT_FALSE(shell->rpnWindow()->isVisible());
}

TEST_F(AppShellStartTest, EveryPathReachesAWindowBeforeTheLoopRuns) {
    struct Path {
        const char* name;
        std::function<void(AppShell&)> act;
        std::function<QWidget*(AppShell&)> shown;
    };
    const Path paths[] = {
        {"switch to financial",
         [](AppShell& s) { s.switchCalculator(Calculator::Expression, Calculator::Financial); },
         [](AppShell& s) { return s.financialWindow(); }},
        {"switch to RPN",
         [](AppShell& s) { s.switchCalculator(Calculator::Expression, Calculator::Rpn); },
         [](AppShell& s) { return s.rpnWindow(); }},
        {"help key", [](AppShell& s) { s.showBuiltInHelp(Calculator::Expression); },
         [](AppShell& s) { return s.helpWindow(Calculator::Expression); }},
        {"About", [](AppShell& s) { s.showAbout(); }, [](AppShell& s) { return s.aboutBox(); }},
    };
    for (const Path& p : paths) {
        startWithActiveCalculator(0);
        ASSERT_FALSE(shell->windowsCreated());
        p.act(*shell);
        EXPECT_TRUE(p.shown(*shell)->isVisible()) << p.name;
        shell.reset();
    }
}

TEST_F(AppShellStartTest, FirstPaintRedirectsEvenBeforeTheOthersWereDue) {
    startWithActiveCalculator(1);
    ASSERT_FALSE(shell->windowsCreated());
    QPaintEvent paint(QRect(0, 0, 10, 10));  // a paint ahead of the queued creation
    QApplication::sendEvent(shell->expressionWindow(), &paint);
    EXPECT_FALSE(shell->expressionWindow()->isVisible());
    EXPECT_TRUE(shell->financialWindow()->isVisible());
}

TEST_F(AppShellStartTest, ClosingAtOnceSavesEveryWindowsPart) {
    startWithActiveCalculator(2);
    shell->expressionWindow()->close();  // gathers the others' geometry: they must exist
    EXPECT_TRUE(shell->windowsCreated());
    EXPECT_EQ(fs::file_size(dir / "Tbdata.dat"), 14664u);
}

TEST_F(AppShellStartTest, BringToFrontRestoresTheCalculatorInUse) {
    startWithActiveCalculator(0);
    shell->switchCalculator(Calculator::Expression, Calculator::Rpn);
    QWidget* rpn = shell->rpnWindow();
    rpn->setWindowState(Qt::WindowMinimized);
    shell->bringToFront();
    EXPECT_FALSE(rpn->windowState() & Qt::WindowMinimized);
    EXPECT_TRUE(rpn->isVisible());
    EXPECT_FALSE(shell->expressionWindow()->isVisible());
}

}  // namespace
}  // namespace tobrisk
