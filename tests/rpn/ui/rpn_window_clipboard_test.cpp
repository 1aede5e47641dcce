// The RPN window's clipboard keys, on top of its keyboard table.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "platform/fakes.h"
#include "rpn/ui/rpn_window.h"
#include "tests/fin/ui/fake_calculator_host.h"
#include "tests/qt_test_app.h"

namespace tobrisk {
namespace {

class RpnClipboardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureTestApplication();
        record.fillNew(NewRecordContext{});
    }
    RpnWindow& open(Separators seps = {}) {
        services.separators = seps;
        window = std::make_unique<RpnWindow>(record, services, host);
        window->show();
        QApplication::processEvents();
        return *window;
    }
    void keys(const char* text) {
        for (const char* c = text; *c; ++c) {
            const Qt::Key k = *c == '.' ? Qt::Key_Period : static_cast<Qt::Key>(*c);
            QTest::keyClick(window.get(), k);
        }
    }
    QString display() { return window->findChild<QLineEdit*>("Memo1")->text(); }
    QClipboard* clipboard() { return QGuiApplication::clipboard(); }

    DataRecord record;
    FakeAlerts alerts;
    FakeDialogs dialogs;
    FakeClock clock;
    AppServices services{alerts, dialogs, clock, Separators{}, "/tmp/", "/tmp/"};
    testing::FakeCalculatorHost host;
    std::unique_ptr<RpnWindow> window;
};

TEST_F(RpnClipboardTest, CtrlCCopiesXAsDisplayedAndCtrlShiftCInFull) {
    open(Separators{',', '.'});
    keys("1234.5");
    QTest::keyClick(window.get(), Qt::Key_Return);
    QTest::keyClick(window.get(), Qt::Key_3);
    QTest::keyClick(window.get(), Qt::Key_Slash);
    ASSERT_EQ(display(), "411,5000");
    clipboard()->clear();
    QTest::keyClick(window.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard()->text(), "411,5000");
    QTest::keyClick(window.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(clipboard()->text(), "411.5");
    // The copy keys change nothing in the calculator.
    EXPECT_EQ(display(), "411,5000");
    EXPECT_EQ(window->machine().x(), 411.5L);
    EXPECT_TRUE(alerts.played.empty());
}

TEST_F(RpnClipboardTest, TheFullValueComesBackThroughCtrlV) {
    open();
    keys("2");
    QTest::keyClick(window.get(), Qt::Key_Return);
    keys("3");
    QTest::keyClick(window.get(), Qt::Key_Slash);  // 2/3, more digits than the display shows
    const long double third = window->machine().x();
    QTest::keyClick(window.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(window.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(window->machine().x(), third);
    EXPECT_EQ(window->machine().y(), third);  // a result is lifted, as before a typed number
}

TEST_F(RpnClipboardTest, CtrlVTypesANumberAndRefusesOtherTexts) {
    open();
    keys("7");
    QTest::keyClick(window.get(), Qt::Key_Return);
    clipboard()->setText(" -1.5e3\n");
    QTest::keyClick(window.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(display(), "-1.5E3");
    EXPECT_EQ(window->machine().x(), -1500.0L);
    EXPECT_EQ(window->machine().y(), 7.0L);
    QTest::keyClick(window.get(), Qt::Key_Return);  // typing goes on as after keys
    EXPECT_EQ(display(), "-1,500.0000");

    for (const char* text : {"seven", "1,5", "3 4", "\xc2\xbd"}) {
        alerts.played.clear();
        clipboard()->setText(QString::fromUtf8(text));
        QTest::keyClick(window.get(), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(display(), "-1,500.0000") << text;
        EXPECT_EQ(window->machine().x(), -1500.0L) << text;
        EXPECT_EQ(window->machine().y(), -1500.0L) << text;
        ASSERT_EQ(alerts.played.size(), 1u) << text;
        EXPECT_EQ(alerts.played[0], AlertKind::Exclamation) << text;
    }
}

TEST_F(RpnClipboardTest, TheOtherKeysKeepTheirMeaning) {
    open();
    keys("5");
    QTest::keyClick(window.get(), Qt::Key_Minus, Qt::ControlModifier);  // chs
    EXPECT_EQ(display(), "-5");
    clipboard()->setText("9");
    // Plain C and V are no keys of the calculator.
    QTest::keyClick(window.get(), Qt::Key_C);
    QTest::keyClick(window.get(), Qt::Key_V);
    EXPECT_EQ(display(), "-5");
    // Pasting into the focused display goes through the window: the number being typed is
    // replaced as a whole.
    window->findChild<QLineEdit*>("Memo1")->setFocus();
    QTest::keyClick(window->findChild<QLineEdit*>("Memo1"), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(display(), "9");
    EXPECT_EQ(window->machine().x(), 9.0L);
    EXPECT_EQ(window->machine().y(), 0.0L);
}

}  // namespace
}  // namespace tobrisk
