// Ctrl+C in the expression window: the result line without a selection, the selection with one.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <filesystem>

#include "exprwin/ui/expression_window.h"
#include "platform/fakes.h"
#include "tests/fin/ui/fake_calculator_host.h"
#include "tests/qt_test_app.h"

namespace tobrisk {
namespace {

namespace fs = std::filesystem;

class ExpressionClipboardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureTestApplication();
        dir = fs::temp_directory_path() /
              ("tobrisk-exprwin-clipboard-" + std::to_string(QCoreApplication::applicationPid()));
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
    QLineEdit* entry() { return window->entryLine()->lineEdit(); }
    QString clipboardAfterCtrlC(QWidget* target) {
        QGuiApplication::clipboard()->setText("before");
        QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);
        return QGuiApplication::clipboard()->text();
    }

    fs::path dir;
    FakeAlerts alerts;
    FakeDialogs dialogs;
    FakeClock clock{encodeDateTime(2026, 12, 8, 10, 0, 0)};
    testing::FakeCalculatorHost host;
    DataRecord record;
    std::unique_ptr<AppServices> services;
    std::unique_ptr<RecordFiles> files;
    std::unique_ptr<ExpressionWindow> window;
};

TEST_F(ExpressionClipboardTest, CtrlCWithoutASelectionCopiesTheResultLine) {
    window->entryLine()->setEditText("a = 3; a*2");
    QTest::keyClick(entry(), Qt::Key_Return);
    ASSERT_EQ(window->resultLine()->currentText(), "3;     6");
    // The calculation leaves the whole line selected; that is no selection of the user's.
    ASSERT_EQ(entry()->selectedText(), "a = 3; a*2");
    EXPECT_EQ(clipboardAfterCtrlC(entry()), "3;     6");
    EXPECT_EQ(entry()->text(), "a = 3; a*2");
    EXPECT_EQ(window->resultLine()->currentText(), "3;     6");

    QTest::keyClick(entry(), Qt::Key_End);
    EXPECT_EQ(clipboardAfterCtrlC(entry()), "3;     6");
    EXPECT_EQ(clipboardAfterCtrlC(window->resultLine()->lineEdit()), "3;     6");
}

TEST_F(ExpressionClipboardTest, ASelectionOfTheUsersIsCopiedAsUsual) {
    window->entryLine()->setEditText("2+3*4");
    QTest::keyClick(entry(), Qt::Key_Return);
    ASSERT_EQ(window->resultLine()->currentText(), "14");
    QTest::keyClick(entry(), Qt::Key_A, Qt::ControlModifier);  // the same selection, by hand
    EXPECT_EQ(clipboardAfterCtrlC(entry()), "2+3*4");

    QTest::keyClick(entry(), Qt::Key_End);
    QTest::keyClick(entry(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(entry(), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(clipboardAfterCtrlC(entry()), "*4");

    QTest::keyClick(entry(), Qt::Key_Return);  // a new calculation selects the line again
    EXPECT_EQ(clipboardAfterCtrlC(entry()), "14");
    QTest::mouseClick(entry(), Qt::LeftButton);  // a click makes the line the user's
    entry()->selectAll();
    EXPECT_EQ(clipboardAfterCtrlC(entry()), "2+3*4");
}

TEST_F(ExpressionClipboardTest, OtherControlKeysKeepTheirMeaning) {
    window->entryLine()->setEditText("2+3");
    entry()->deselect();
    // Ctrl+Shift+C is no copy key here; Ctrl+End still encloses the line.
    QGuiApplication::clipboard()->setText("before");
    QTest::keyClick(entry(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
    QTest::keyClick(entry(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(entry()->text(), "(2+3)");
}

}  // namespace
}  // namespace tobrisk
