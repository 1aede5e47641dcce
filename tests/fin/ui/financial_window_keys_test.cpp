// Keyboard-only solving: Ctrl+Enter in a value field solves it as a double-click does.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "fin/ui/financial_window.h"
#include "platform/fakes.h"
#include "tests/fin/ui/fake_calculator_host.h"
#include "tests/qt_test_app.h"

namespace tobrisk {
namespace {

class FinancialKeysTest : public ::testing::Test {
  protected:
    // Consumer credit, payments at the end, one period per rate: 1200 goods value, 200 down,
    // 2 % over 12 payments.
    void open() {
        ensureTestApplication();
        record.fillNew(NewRecordContext{});
        record.setSlot(layout::kFinType, 0);
        record.setSlot(layout::kFinTiming, 1);
        record.setSlot(layout::kFinPeriods, 1);
        window = std::make_unique<FinancialWindow>(record, services, host);
        window->show();
        QApplication::processEvents();
        for (auto [k, text] : {std::pair{0, "1200"}, {4, "200"}, {1, "2"}, {2, "12"}}) {
            window->field(k)->selectAll();
            QTest::keyClicks(window->field(k), text);
        }
    }
    QString solvedBy(int field, Qt::KeyboardModifiers mods, Qt::Key key = Qt::Key_Return) {
        window->field(field)->setFocus();
        QTest::keyClick(window->field(field), key, mods);
        return window->field(field)->text();
    }

    FakeAlerts alerts;
    FakeDialogs dialogs;
    FakeClock clock;
    AppServices services{alerts, dialogs, clock, Separators{}, "/tmp/", "/tmp/"};
    DataRecord record;
    testing::FakeCalculatorHost host;
    std::unique_ptr<FinancialWindow> window;
};

TEST_F(FinancialKeysTest, CtrlEnterSolvesTheFieldLikeADoubleClick) {
    open();
    EXPECT_EQ(solvedBy(3, Qt::ControlModifier), "94.56");
    EXPECT_EQ(window->field(5)->text(), "1334.72");
    EXPECT_EQ(window->field(2)->text(), "12.00");

    window->field(3)->clear();
    EXPECT_EQ(solvedBy(3, Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Enter), "94.56");
    // The rate from the payment, as a double-click on field 1 gives it.
    window->field(1)->clear();
    QTest::mouseDClick(window->field(1), Qt::LeftButton);
    const QString byMouse = window->field(1)->text();
    window->field(1)->clear();
    EXPECT_EQ(solvedBy(1, Qt::ControlModifier), byMouse);
    EXPECT_FALSE(byMouse.isEmpty());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FinancialKeysTest, EnterWithoutCtrlOrWithMoreKeysStillDoesNothing) {
    open();
    window->field(3)->clear();
    const Qt::KeyboardModifiers others[] = {
        Qt::NoModifier,
        Qt::KeypadModifier,
        Qt::ShiftModifier,
        Qt::AltModifier,
        Qt::ControlModifier | Qt::ShiftModifier,
        Qt::ControlModifier | Qt::AltModifier,
    };
    for (auto mods : others) {
        EXPECT_EQ(solvedBy(3, mods), "") << mods.toInt();
        EXPECT_EQ(solvedBy(3, mods, Qt::Key_Enter), "") << mods.toInt();
    }
    EXPECT_EQ(window->field(5)->text(), "");
    EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace tobrisk
