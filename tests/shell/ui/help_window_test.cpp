#include "shell/ui/help_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>

#include "platform/fakes.h"
#include "tests/qt_test_app.h"

namespace tobrisk {
namespace {

void app() {
    ensureTestApplication();
}

QString q(std::string_view s) {
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

class HelpWindowTest : public ::testing::TestWithParam<HelpKind> {
  protected:
    void SetUp() override { app(); }
};

TEST_P(HelpWindowTest, EveryLineIsALabelAtItsPlaceAndTheWindowHoldsThemAll) {
    const HelpPage& page = helpPage(GetParam());
    HelpWindow w(GetParam());
    EXPECT_EQ(w.objectName(), q(page.objectName));
    EXPECT_EQ(w.windowTitle(), q(page.caption));
    EXPECT_FALSE(w.isVisible());

    const QList<QLabel*> labels = w.findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), qsizetype(page.lines.size()));
    for (qsizetype i = 0; i < labels.size(); ++i) {
        const HelpLine& line = page.lines[size_t(i)];
        QLabel* label = labels[i];
        EXPECT_EQ(label->text(), q(line.text));
        EXPECT_EQ(label->pos(), QPoint(line.left, line.top)) << line.text;
        EXPECT_TRUE(w.rect().contains(label->geometry())) << line.text;
        const HelpLook look = helpLook(line.style);
        EXPECT_EQ(label->font().bold(), look.bold) << line.text;
        if (look.colour) {
            EXPECT_EQ(label->palette().color(QPalette::WindowText),
                      QColor(look.colour->r, look.colour->g, look.colour->b))
                << line.text;
        }
    }
    EXPECT_EQ(w.palette().color(QPalette::Window), w.palette().color(QPalette::ToolTipBase));
    EXPECT_EQ(bool(w.windowFlags() & Qt::WindowMaximizeButtonHint), page.maximiseBox);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST_P(HelpWindowTest, F1TwiceShowsOneWindowAndTheCalculatorKeepsTheFocus) {
    FakeAlerts alerts;
    QWidget calculator;
    calculator.resize(200, 100);
    calculator.show();
    calculator.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&calculator));

    HelpWindow w(GetParam());
    w.showBeside(&calculator, alerts);
    EXPECT_TRUE(w.isVisible());
    w.move(300, 200);  // the user drags it aside
    w.showBeside(&calculator, alerts);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.pos(), QPoint(300, 200));
    EXPECT_EQ(alerts.played, (std::vector<AlertKind>{AlertKind::Asterisk, AlertKind::Asterisk}));
    EXPECT_TRUE(QTest::qWaitForWindowActive(&calculator));
    EXPECT_EQ(QApplication::activeWindow(), &calculator);

    const QWidgetList tops = QApplication::topLevelWidgets();
    const int helpWindows = int(std::count_if(tops.cbegin(), tops.cend(), [](QWidget* t) {
        return t->isVisible() && qobject_cast<HelpWindow*>(t);
    }));
    EXPECT_EQ(helpWindows, 1);
}

TEST_P(HelpWindowTest, ClosingOnlyHidesAndTheWindowComesBackWhereItWas) {
    FakeAlerts alerts;
    HelpWindow w(GetParam());
    w.showBeside(nullptr, alerts);
    w.move(120, 90);
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(w.isVisible());
    w.showBeside(nullptr, alerts);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.pos(), QPoint(120, 90));
}

INSTANTIATE_TEST_SUITE_P(AllKinds, HelpWindowTest,
                         ::testing::Values(HelpKind::Expression, HelpKind::Financial,
                                           HelpKind::Rpn));

TEST(HelpWindow, StartsAtItsDesignPlace) {
    app();
    for (HelpKind kind : {HelpKind::Expression, HelpKind::Financial, HelpKind::Rpn}) {
        HelpWindow w(kind);
        EXPECT_EQ(w.pos(), QPoint(helpPage(kind).left, helpPage(kind).top));
    }
}

}  // namespace
}  // namespace tobrisk
