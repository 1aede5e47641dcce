// The financial window driven headless: names and captions, languages, modes,
// the periods box, the menu, "Topmost Window" and the settings it keeps in the
// data record.

#include "fin/ui/financial_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <cmath>

#include "fin/ui/period_arrows.h"
#include "platform/fakes.h"
#include "tests/fin/ui/fake_calculator_host.h"
#include "tests/qt_test_app.h"

namespace tobrisk {
namespace {

void app() {
    ensureTestApplication();
}

class FinancialWindowTest : public ::testing::Test {
  protected:
    FinancialWindowTest() {
        app();
        record.fillNew(NewRecordContext{});
    }
    // Creates and shows the window as the shell does.
    FinancialWindow& open() {
        window = std::make_unique<FinancialWindow>(record, services, host);
        window->show();
        window->activateWindow();
        QApplication::processEvents();
        return *window;
    }
    void reopen() {
        window.reset();
        open();
    }
    QLineEdit* field(int k) { return window->field(k); }
    template <class T>
    T* child(const char* name) {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString label(const char* name) { return child<QLabel>(name)->text(); }
    void type(int k, const char* text) {
        field(k)->selectAll();
        QTest::keyClicks(field(k), text);
    }
    void click(const char* radio) { QTest::mouseClick(child<QRadioButton>(radio), Qt::LeftButton); }
    void doubleClick(int k) { QTest::mouseDClick(field(k), Qt::LeftButton); }
    QAction* action(const char* name) { return window->findChild<QAction*>(name); }

    FakeAlerts alerts;
    FakeDialogs dialogs;
    FakeClock clock;
    AppServices services{alerts, dialogs, clock, Separators{}, "/tmp/", "/tmp/"};
    DataRecord record;
    testing::FakeCalculatorHost host;
    std::unique_ptr<FinancialWindow> window;
};

TEST_F(FinancialWindowTest, NamesAndCaptions) {
    open();
    EXPECT_EQ(window->objectName(), "TForm2");
    EXPECT_EQ(window->windowTitle(), "Tobrisk FIN");
    for (const char* name :
         {"TextBox0", "TextBox1", "TextBox2", "TextBox3", "TextBox4", "TextBox5", "Edit1"}) {
        child<QLineEdit>(name);
    }
    for (const char* name :
         {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7", "Label9", "Label11",
          "Label12", "Label13", "Label14", "Label15", "Image1"}) {
        child<QLabel>(name);
    }
    child<QGroupBox>("GroupBox1");
    child<QGroupBox>("GroupBox2");
    child<QCheckBox>("CheckBox1");
    child<PeriodArrows>("UpDown1");
    // The design captions of Label3 and Control2 never show.
    EXPECT_EQ(label("Label3"), QString::fromUtf8("Períods/Rate"));
    EXPECT_EQ(child<QRadioButton>("Control2")->text(), "Start of Period");
    EXPECT_EQ(child<QLabel>("Label3")->toolTip(),
              QString::fromUtf8("É o número de períodos a que a taxa de juros se aplica"));
    for (int k = 0; k < 6; ++k) {
        EXPECT_TRUE(field(k)->alignment() & Qt::AlignRight);
        if (k != 4) {
            EXPECT_EQ(field(k)->text(), "");
        }
    }
}

TEST_F(FinancialWindowTest, FirstShowSelectsTheSavedModes) {
    record.setSlot(layout::kFinType, 0);
    record.setSlot(layout::kFinTiming, 0);
    record.setSlot(layout::kFinPeriods, 7);
    open();
    EXPECT_TRUE(child<QRadioButton>("Control0")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("Control2")->isChecked());
    EXPECT_EQ(child<QLineEdit>("Edit1")->text(), "7");
    EXPECT_EQ(window->model().periodsPerRate(), 7);
    EXPECT_FALSE(window->model().initialising());
    EXPECT_FALSE(window->model().quiet());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FinancialWindowTest, ConsumerCreditSolveByDoubleClick) {
    record.setSlot(layout::kFinType, 0);
    record.setSlot(layout::kFinTiming, 1);
    record.setSlot(layout::kFinPeriods, 1);
    open();
    type(0, "1200");
    type(4, "200");
    type(1, "2");
    type(2, "12");
    doubleClick(3);
    EXPECT_EQ(field(3)->text(), "94.56");
    EXPECT_EQ(field(2)->text(), "12.00");
    EXPECT_EQ(field(5)->text(), "1334.72");
    EXPECT_FALSE(field(5)->isEnabled());
    doubleClick(5);  // output only
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FinancialWindowTest, LanguagesSwapCaptionsOnly) {
    record.setSlot(layout::kFinType, 0);
    record.setSlot(layout::kFinPeriods, 1);
    open();
    type(0, "1200");
    type(4, "200");
    EXPECT_EQ(label("Label1"), "Goods Value");
    EXPECT_EQ(label("Label15"), "Payments Total");
    action("Portuguese1")->trigger();
    EXPECT_FALSE(window->english());
    EXPECT_TRUE(action("Portuguese1")->isChecked());
    EXPECT_FALSE(action("English1")->isChecked());
    EXPECT_EQ(label("Label1"), "Valor do Bem");
    EXPECT_EQ(label("Label15"), "Total Pago");
    EXPECT_EQ(label("Label5"), "Entrada");
    EXPECT_EQ(child<QGroupBox>("GroupBox2")->title(), "Pagamentos no");
    // Not translated: caption, menu, notation, messages; the fields keep their
    // texts.
    EXPECT_EQ(window->windowTitle(), "Tobrisk FIN");
    EXPECT_EQ(action("Mostrarprecisomxima1")->text(), "Shows more precision");
    EXPECT_EQ(field(0)->text(), "1200");
    EXPECT_EQ(field(4)->text(), "200");
    doubleClick(1);
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.back().text, "Must be given at least two  fields");

    click("Control1");
    EXPECT_TRUE(child<QLabel>("Label14")->isVisibleTo(window.get()));
    EXPECT_EQ(label("Label14"), "Calculadora");
    EXPECT_EQ(label("Label7"), "Financeira");
    EXPECT_EQ(label("Label1"), "Valor Presente");
    action("English1")->trigger();
    EXPECT_EQ(label("Label14"), "Financial");
    EXPECT_EQ(label("Label7"), "Calculator");
    EXPECT_EQ(label("Label4"), "Periods");
}

TEST_F(FinancialWindowTest, ModesDriveTheLayout) {
    record.setSlot(layout::kFinType, 0);
    record.setSlot(layout::kFinTiming, 1);
    open();
    QLabel* down = child<QLabel>("Label5");
    EXPECT_TRUE(field(4)->isEnabled());
    EXPECT_TRUE(field(4)->isVisibleTo(window.get()));
    EXPECT_FALSE(child<QLabel>("Image1")->isVisibleTo(window.get()));
    click("Control2");
    EXPECT_FALSE(field(4)->isEnabled());
    EXPECT_EQ(down->palette().color(QPalette::WindowText), window->palette().color(QPalette::Dark));
    click("Control1");
    EXPECT_FALSE(field(4)->isVisibleTo(window.get()));
    EXPECT_TRUE(field(5)->isEnabled());
    EXPECT_TRUE(child<QLabel>("Image1")->isVisibleTo(window.get()));
    EXPECT_EQ(record.slot(layout::kFinType), 1);
    EXPECT_EQ(record.slot(layout::kFinTiming), 0);
    // The (1+ notation appears with a payment at the next layout update.
    type(3, "-100");
    click("Control3");
    click("Control2");
    EXPECT_TRUE(child<QLabel>("Label11")->isVisibleTo(window.get()));
    EXPECT_TRUE(child<QLabel>("Label12")->isVisibleTo(window.get()));
}

// WCAG relative luminance of an sRGB colour.
double luminance(const QColor& c) {
    const auto channel = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST_F(FinancialWindowTest, TheDisabledPaymentsTotalStaysReadable) {
    record.setSlot(layout::kFinType, 0);  // Consumer Credit: field 5 only shows the total
    open();
    QLineEdit* total = field(5);
    ASSERT_FALSE(total->isEnabled());
    const QPalette p = total->palette();
    EXPECT_GE(contrast(p.color(QPalette::Disabled, QPalette::Text),
                       p.color(QPalette::Disabled, QPalette::Base)),
              4.5);
}

TEST_F(FinancialWindowTest, DownPaymentRefusesStartOfPeriod) {
    record.setSlot(layout::kFinType, 0);
    record.setSlot(layout::kFinTiming, 1);
    open();
    type(0, "1200");
    type(4, "200");
    click("Control2");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              "Can't make payments in begin of period,\rbecause was given a down "
              "payment");
    EXPECT_EQ(alerts.played.back(), AlertKind::Question);
    EXPECT_TRUE(child<QRadioButton>("Control3")->isChecked());
    EXPECT_FALSE(child<QRadioButton>("Control2")->isChecked());
    EXPECT_EQ(record.slot(layout::kFinTiming), 1);
}

TEST_F(FinancialWindowTest, PeriodsBoxAndArrows) {
    record.setSlot(layout::kFinType, 1);
    record.setSlot(layout::kFinPeriods, 12);
    open();
    QLineEdit* box = child<QLineEdit>("Edit1");
    box->selectAll();
    QTest::keyClicks(box, "7");
    EXPECT_EQ(window->model().periodsPerRate(), 7);
    EXPECT_EQ(record.slot(layout::kFinPeriods), 7);
    QTest::keyClicks(box, "x");  // not an integer: the previous text comes back
    EXPECT_EQ(box->text(), "7");
    type(0, "1000");
    type(1, "12");
    type(2, "12");
    doubleClick(3);
    EXPECT_NEAR(window->model().values().i, std::pow(1.12L, 1.0L / 7) - 1, 1e-15L);

    auto* arrows = child<PeriodArrows>("UpDown1");
    QTest::mouseClick(arrows->upButton(), Qt::LeftButton);
    EXPECT_EQ(box->text(), "8");
    EXPECT_EQ(window->model().periodsPerRate(), 8);
    box->selectAll();
    QTest::keyClicks(box, "250");  // clamped to the range
    EXPECT_EQ(box->text(), "99");
    QTest::mouseClick(arrows->upButton(), Qt::LeftButton);  // no wrap
    EXPECT_EQ(box->text(), "99");
    EXPECT_EQ(record.slot(layout::kFinPeriods), 99);
}

TEST_F(FinancialWindowTest, TopmostSwitchAndMessages) {
    open();
    auto* check = child<QCheckBox>("CheckBox1");
    QTest::mouseClick(check, Qt::LeftButton);
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(record.slot(layout::kFinTopmost), 1);
    // A message box: the window steps back while it is open.
    bool topmostDuringBox = true;
    dialogs.onMessage = [&](const RecordedMessage&) {
        topmostDuringBox = window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    };
    type(0, "1000");
    doubleClick(3);
    EXPECT_FALSE(topmostDuringBox);
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window->isVisible());
    dialogs.onMessage = nullptr;

    QTest::mouseClick(check, Qt::LeftButton);
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(record.slot(layout::kFinTopmost), 0);
    window->hide();
    window->show();
    EXPECT_FALSE(check->isChecked());
}

TEST_F(FinancialWindowTest, ShowsMorePrecisionAndFont) {
    record.setSlot(layout::kFinType, 1);
    record.setSlot(layout::kFinPeriods, 1);
    open();
    type(0, "1000");
    type(1, "2");
    type(2, "12");
    doubleClick(3);
    EXPECT_EQ(field(3)->text(), "-94.56");
    action("Mostrarprecisomxima1")->trigger();
    EXPECT_EQ(field(3)->text(), "-94.5595966229515");
    doubleClick(0);
    EXPECT_EQ(field(0)->text(), "1000.00");

    FontSpec f{"Courier", 12, kItalic, 0x0000FF};
    window->applyNumberFont(f);
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(field(k)->font().pointSize(), 12);
        EXPECT_TRUE(field(k)->font().italic());
        EXPECT_FALSE(field(k)->font().bold());
    }
}

TEST_F(FinancialWindowTest, MenuCommandsGoToTheHost) {
    open();
    struct Row {
        const char* action;
        std::function<bool()> happened;
    };
    const Row rows[] = {
        {"CalculadoradeExprsses1",
         [&] {
             return !host.switches.empty() &&
                    host.switches.back() ==
                        std::make_pair(Calculator::Financial, Calculator::Expression);
         }},
        {"RPNCalculator1",
         [&] {
             return host.switches.back() == std::make_pair(Calculator::Financial, Calculator::Rpn);
         }},
        {"Ajuda1", [&] { return host.helpFiles == 1; }},
        {"Refernciarpida1",
         [&] { return host.helps.size() == 1 && host.helps[0] == Calculator::Financial; }},
        {"Fonte1", [&] { return host.fontRequests == 1; }},
        {"About1", [&] { return host.abouts == 1; }},
    };
    for (const Row& r : rows) {
        QAction* a = action(r.action);
        ASSERT_NE(a, nullptr) << r.action;
        a->trigger();
        EXPECT_TRUE(r.happened()) << r.action;
    }
    EXPECT_EQ(action("CalculadoradeExprsses1")->shortcut(), QKeySequence("Ctrl+E"));
    EXPECT_EQ(action("RPNCalculator1")->shortcut(), QKeySequence("Ctrl+R"));
    EXPECT_EQ(action("Ajuda1")->shortcut(), QKeySequence("Ctrl+F1"));
    EXPECT_EQ(action("Refernciarpida1")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(action("Mostrarprecisomxima1")->shortcut(), QKeySequence("Ctrl+P"));
    EXPECT_EQ(action("Fonte1")->shortcut(), QKeySequence("Ctrl+M"));
}

TEST_F(FinancialWindowTest, CloseGoesToTheHostOnce) {
    open();
    window->close();
    ASSERT_EQ(host.closes.size(), 1u);
    EXPECT_EQ(host.closes[0], Calculator::Financial);
    window->show();
    window->close();  // the program is already closing
    EXPECT_EQ(host.closes.size(), 1u);
}

TEST_F(FinancialWindowTest, SettingsSurviveARestart) {
    record.setSlot(layout::kFinType, 1);
    record.setSlot(layout::kFinTiming, 1);
    open();
    click("Control0");
    click("Control2");
    action("Portuguese1")->trigger();
    QLineEdit* box = child<QLineEdit>("Edit1");
    box->selectAll();
    QTest::keyClicks(box, "4");
    window->gatherInto(record);
    EXPECT_EQ(record.slot(layout::kFinType), 0);
    EXPECT_EQ(record.slot(layout::kFinTiming), 0);
    EXPECT_EQ(record.slot(layout::kFinPeriods), 4);
    EXPECT_EQ(record.slot(layout::kFinLanguage), 1);
    EXPECT_EQ(record.slot(layout::kFinTopmost), 0);
    reopen();
    EXPECT_TRUE(child<QRadioButton>("Control0")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("Control2")->isChecked());
    EXPECT_EQ(child<QLineEdit>("Edit1")->text(), "4");
    EXPECT_FALSE(window->english());
    EXPECT_EQ(label("Label1"), "Valor do Bem");
}

TEST_F(FinancialWindowTest, ShortcutsWorkFromAField) {
    record.setSlot(layout::kFinType, 1);
    record.setSlot(layout::kFinPeriods, 1);
    open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    type(0, "1000");
    type(1, "2");
    type(2, "12");
    doubleClick(3);
    QTest::keyClick(field(0), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(field(3)->text(), "-94.5595966229515");
    QTest::keyClick(field(1), Qt::Key_R, Qt::ControlModifier);
    ASSERT_EQ(host.switches.size(), 1u);
    EXPECT_EQ(host.switches[0], std::make_pair(Calculator::Financial, Calculator::Rpn));
    QTest::keyClick(field(1), Qt::Key_F1);
    EXPECT_EQ(host.helps.size(), 1u);
    QTest::keyClick(field(2), Qt::Key_E, Qt::ControlModifier);  // also a text-box binding
    ASSERT_EQ(host.switches.size(), 2u);
    EXPECT_EQ(host.switches[1], std::make_pair(Calculator::Financial, Calculator::Expression));
    QTest::keyClick(child<QLineEdit>("Edit1"), Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(host.fontRequests, 1);
}

TEST_F(FinancialWindowTest, EnterInAFieldDoesNothing) {
    open();
    type(0, "1000");
    QTest::keyClick(field(0), Qt::Key_Return);
    EXPECT_EQ(field(0)->text(), "1000");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FinancialWindowTest, ValuesWiderThanTheirFieldShowTheirStart) {
    record.setSlot(layout::kFinType, 1);
    record.setSlot(layout::kFinPeriods, 1);
    open();
    window->applyNumberFont(FontSpec{"DejaVu Sans", 14, kBold, 0});
    type(0, "1000");
    type(1, "2");
    type(2, "12");
    doubleClick(3);
    action("Mostrarprecisomxima1")->trigger();
    ASSERT_EQ(field(3)->text(), "-94.5595966229515");
    ASSERT_GT(field(3)->fontMetrics().horizontalAdvance(field(3)->text()),
              field(3)->contentsRect().width());
    for (int k : {0, 1, 2, 3}) {
        SCOPED_TRACE(k);
        EXPECT_EQ(field(k)->cursorPosition(), 0);
        EXPECT_TRUE(field(k)->rect().contains(
            field(k)->inputMethodQuery(Qt::ImCursorRectangle).toRect().center()));
    }
}

}  // namespace
}  // namespace tobrisk
