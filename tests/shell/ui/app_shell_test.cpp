#include "shell/ui/app_shell.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "exprwin/ui/expression_window.h"
#include "platform/fakes.h"
#include "tests/qt_test_app.h"

namespace tobrisk {
namespace {

namespace fs = std::filesystem;

void app() {
    ensureTestApplication();
}

class AppShellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        app();
        dir = fs::temp_directory_path() /
              (std::string("tobrisk-shell-") +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        folder = dir.string() + "/";
    }
    void TearDown() override {
        shell.reset();
        fs::remove_all(dir);
    }
    void startShell() {
        services = std::make_unique<AppServices>(
            AppServices{alerts, dialogs, clock, Separators{}, folder, folder});
        shell = std::make_unique<AppShell>(*services);
        shell->start();
        QApplication::processEvents();
        QTest::qWait(50);
    }
    DataRecord recordOnDisk() {
        std::ifstream in(dir / "Tbdata.dat", std::ios::binary);
        std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
        DataRecord r;
        EXPECT_EQ(bytes.size(), r.bytes().size());
        std::copy(bytes.begin(), bytes.begin() + std::min(bytes.size(), r.bytes().size()),
                  r.bytes().begin());
        return r;
    }
    void writeRecord(const DataRecord& r) {
        std::ofstream out(dir / "Tbdata.dat", std::ios::binary);
        out.write(reinterpret_cast<const char*>(r.bytes().data()), r.bytes().size());
    }

    fs::path dir;
    std::string folder;
    FakeAlerts alerts;
    FakeDialogs dialogs;
    FakeClock clock{encodeDateTime(2026, 12, 8, 12, 0, 0)};
    std::unique_ptr<AppServices> services;
    std::unique_ptr<AppShell> shell;
};

TEST_F(AppShellTest, FirstStartShowsTheWelcomeLinesAndWritesTheRecord) {
    startShell();
    ExpressionWindow* w = shell->expressionWindow();
    EXPECT_EQ(w->objectName(), "TForm1");
    EXPECT_TRUE(w->isVisible());
    QComboBox* entry = w->entryLine();
    ASSERT_EQ(entry->count(), 2);
    EXPECT_EQ(entry->itemText(0), "(pi/2)^2.5 + sqrt(2)");
    EXPECT_EQ(entry->itemText(1), "2+2");
    EXPECT_EQ(entry->currentText(), "2+2");
    EXPECT_EQ(entry->lineEdit()->selectedText(), "2+2");
    EXPECT_EQ(w->resultLine()->currentText(), "4");
    EXPECT_EQ(w->windowTitle(), "Tobrisk         d");
    EXPECT_EQ(fs::file_size(dir / "Tbdata.dat"), 14664u);
    for (const char* name : {"TForm2", "TForm3", "TForm4", "TAboutBox", "TForm6", "TForm7"}) {
        bool found = false;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == name) found = found || !top->isVisible();
        EXPECT_TRUE(found) << name << " created hidden";
    }
}

TEST_F(AppShellTest, SecondStartHasAnEmptyHistory) {
    startShell();
    shell->expressionWindow()->close();
    shell.reset();
    startShell();
    EXPECT_EQ(shell->expressionWindow()->entryLine()->count(), 0);
}

TEST_F(AppShellTest, StartsOnTheSavedCalculatorAtItsOwnPlace) {
    DataRecord r;
    r.fillNew(NewRecordContext{});
    r.setActiveCalculator(2);
    r.setRpnTop(200);
    r.setRpnLeft(150);
    writeRecord(r);
    startShell();
    EXPECT_FALSE(shell->expressionWindow()->isVisible());
    QWidget* rpn = shell->rpnWindow();
    EXPECT_TRUE(rpn->isVisible());
    EXPECT_EQ(rpn->pos(), QPoint(150, 200));
}

TEST_F(AppShellTest, SwitchingPlacesEachWindowWhereThePreviousOneWas) {
    startShell();
    ExpressionWindow* expr = shell->expressionWindow();
    expr->move(120, 90);
    QApplication::processEvents();
    const QPoint start = expr->pos();
    alerts.played.clear();

    shell->switchCalculator(Calculator::Expression, Calculator::Financial);
    EXPECT_EQ(shell->record().activeCalculator(), 1);
    EXPECT_FALSE(expr->isVisible());
    EXPECT_TRUE(shell->financialWindow()->isVisible());
    EXPECT_EQ(shell->financialWindow()->pos(), start);

    shell->financialWindow()->move(300, 250);
    const QPoint finPos = shell->financialWindow()->pos();
    shell->switchCalculator(Calculator::Financial, Calculator::Rpn);
    EXPECT_EQ(shell->record().activeCalculator(), 2);
    EXPECT_EQ(shell->rpnWindow()->pos(), finPos);

    shell->switchCalculator(Calculator::Rpn, Calculator::Expression);
    EXPECT_EQ(shell->record().activeCalculator(), 0);
    EXPECT_TRUE(expr->isVisible());
    EXPECT_FALSE(shell->rpnWindow()->isVisible());
    EXPECT_EQ(expr->pos(), finPos);
    EXPECT_EQ(alerts.played, std::vector<AlertKind>(3, AlertKind::Question));
}

TEST_F(AppShellTest, SwitchingAwayClosesTheHelpWindowLeft) {
    startShell();
    shell->showBuiltInHelp(Calculator::Expression);
    ASSERT_TRUE(shell->helpWindow(Calculator::Expression)->isVisible());
    shell->switchCalculator(Calculator::Expression, Calculator::Rpn);
    EXPECT_FALSE(shell->helpWindow(Calculator::Expression)->isVisible());
}

TEST_F(AppShellTest, ClosingTheFinancialWindowSavesItAsTheActiveCalculator) {
    startShell();
    shell->switchCalculator(Calculator::Expression, Calculator::Financial);
    shell->financialWindow()->close();
    QApplication::processEvents();
    EXPECT_TRUE(shell->closing());
    EXPECT_EQ(recordOnDisk().activeCalculator(), 1);
}

TEST_F(AppShellTest, AFailedSaveCanKeepTheProgramOpen) {
    startShell();
    shell->switchCalculator(Calculator::Expression, Calculator::Financial);
    fs::remove_all(dir);  // the data folder is gone: the save must fail
    dialogs.answers = {false};
    shell->financialWindow()->close();
    QApplication::processEvents();
    EXPECT_FALSE(shell->closing());
    EXPECT_TRUE(shell->financialWindow()->isVisible());
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_TRUE(dialogs.messages.back().question);
}

TEST_F(AppShellTest, InactiveApplicationGreysBothLines) {
    startShell();
    ExpressionWindow* w = shell->expressionWindow();
    const QColor normal = w->entryLine()->palette().color(QPalette::Text);
    w->setFocusGreyed(true);
    EXPECT_NE(w->entryLine()->palette().color(QPalette::Text), normal);
    EXPECT_EQ(w->entryLine()->palette().color(QPalette::Text),
              w->resultLine()->palette().color(QPalette::Text));
    w->setFocusGreyed(false);
    EXPECT_EQ(w->entryLine()->palette().color(QPalette::Text), normal);
}

TEST_F(AppShellTest, RpnUserFunctionRunsThroughTheExpressionCalculator) {
    startShell();
    ExpressionWindow* expr = shell->expressionWindow();
    expr->entryLine()->setEditText("sub = \"a-b\"");
    QTest::keyClick(expr->entryLine()->lineEdit(), Qt::Key_Return);
    // Continuation state of the expression window must survive the RPN's calls.
    expr->entryLine()->setEditText("6*7");
    QTest::keyClick(expr->entryLine()->lineEdit(), Qt::Key_Return);
    shell->switchCalculator(Calculator::Expression, Calculator::Rpn);
    QWidget* rpn = shell->rpnWindow();
    for (const char* name : {"Btn1", "Btn0", "BtnEnter", "Btn3", "BtnUFunc", "Btn7"}) {
        auto* b = rpn->findChild<QPushButton*>(name);
        ASSERT_NE(b, nullptr) << name;
        b->click();
    }
    auto* display = rpn->findChild<QLineEdit*>("Memo1");
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(display->text().trimmed(), "7.0000");  // sub(10, 3)
    shell->switchCalculator(Calculator::Rpn, Calculator::Expression);
    expr->entryLine()->setEditText("+1");
    QTest::keyClick(expr->entryLine()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(expr->resultLine()->currentText(), "1");  // "Automatic Soma Mode" is off
}

}  // namespace
}  // namespace tobrisk
