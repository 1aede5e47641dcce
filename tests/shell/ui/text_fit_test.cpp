// Every text of every window fits its control at the smallest and the largest allowed font,
// whatever faces the machine has (run under tests/fonts/*.conf in CI).

#include "platform/qt/text_fit.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "exprwin/ui/expression_window.h"
#include "platform/fakes.h"
#include "platform/font_sizes.h"
#include "platform/qt/font_substitutes.h"
#include "shell/ui/app_shell.h"
#include "tests/qt_test_app.h"

namespace tobrisk {
namespace {

namespace fs = std::filesystem;

QString shownText(const QAbstractButton* b) {
    return b->text().replace(QStringLiteral("&&"), QStringLiteral("&"));
}

std::string describe(const QWidget* w) {
    std::ostringstream s;
    s << w->window()->objectName().toStdString() << "/" << w->objectName().toStdString() << " ("
      << w->metaObject()->className() << ")";
    return s.str();
}

// The room a radio button or check box leaves right of its indicator.
QSize indicatorTextRoom(const QAbstractButton* b) {
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.rect = b->rect();
    opt.text = b->text();
    const bool radio = qobject_cast<const QRadioButton*>(b) != nullptr;
    const QRect r = b->style()->subElementRect(
        radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &opt, b);
    return r.size();
}

void expectLabelsApart(const std::string& when, QWidget* window);

void expectFits(const std::string& when, QWidget* window) {
    ASSERT_NE(window, nullptr) << when;
    expectLabelsApart(when, window);
    const QRect client = window->rect();
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->isWindow()) continue;
        const std::string where = when + ": " + describe(w);
        // Inside the window: nothing hangs over its edge.
        const QRect inWindow(w->mapTo(window, QPoint(0, 0)), w->size());
        if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
            qobject_cast<QLineEdit*>(w)) {
            EXPECT_TRUE(client.contains(inWindow)) << where;
        }
        QSize need, room;
        if (auto* b = qobject_cast<QPushButton*>(w)) {
            need = textNeed(b->font(), shownText(b));
            room = textRoom(b);
        } else if (auto* r = qobject_cast<QRadioButton*>(w)) {
            need = textNeed(r->font(), shownText(r));
            room = indicatorTextRoom(r);
        } else if (auto* c = qobject_cast<QCheckBox*>(w)) {
            need = textNeed(c->font(), shownText(c));
            room = indicatorTextRoom(c);
        } else if (auto* l = qobject_cast<QLabel*>(w)) {
            if (l->text().isEmpty() || !l->pixmap().isNull()) continue;
            // What the label needs as drawn (a help line places its columns itself).
            need = l->sizeHint().shrunkBy(l->contentsMargins());
            room = textRoom(l);
        } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
            need = textNeed(e->font(), e->text().isEmpty() ? QStringLiteral("0") : e->text());
            room = textRoom(e);
            if (!e->isReadOnly()) need.setWidth(0);  // the user's own typing may scroll
        } else {
            continue;
        }
        EXPECT_LE(need.width(), room.width())
            << where << " \"" << w->property("text").toString().toStdString() << "\"";
        EXPECT_LE(need.height(), room.height()) << where;
    }
}

// No two lines of text cover each other.
void expectLabelsApart(const std::string& when, QWidget* window) {
    QList<QLabel*> labels;
    for (QLabel* l : window->findChildren<QLabel*>())
        if (l->isVisibleTo(window) && !l->text().trimmed().isEmpty()) labels << l;
    for (qsizetype i = 0; i < labels.size(); ++i)
        for (qsizetype j = i + 1; j < labels.size(); ++j) {
            const auto inked = [&](QLabel* l) {
                // The part of the label its text covers, blanks at the start left out.
                const QString t = l->text();
                const qsizetype first =
                    t.size() - t.trimmed().size() == 0 ? 0 : t.indexOf(t.trimmed().front());
                const QFontMetrics fm(l->font());
                const int x0 = fm.horizontalAdvance(t.left(first));
                const int w = std::min(fm.horizontalAdvance(t.trimmed()), l->width() - x0);
                const int x = l->alignment() & Qt::AlignRight ? l->width() - w : x0;
                return QRect(l->mapTo(window, QPoint(x, 0)), QSize(w, fm.ascent() + 1));
            };
            EXPECT_FALSE(inked(labels[i]).intersects(inked(labels[j])))
                << when << ": " << describe(labels[i]) << " over " << describe(labels[j]);
        }
}

class TextFitTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureTestApplication();
        // Per process: other checkouts may run the same tests at the same time.
        dir = fs::temp_directory_path() /
              ("tobrisk-text-fit-" + std::to_string(QCoreApplication::applicationPid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        folder = dir.string() + "/";
        DataRecord r;
        r.fillNew(NewRecordContext{});
        r.setRpnDisplayMode(0);  // FIX 10: the longest numbers the display shows
        r.setRpnDigits(10);
        std::ofstream out(dir / "Tbdata.dat", std::ios::binary);
        out.write(reinterpret_cast<const char*>(r.bytes().data()),
                  static_cast<std::streamsize>(r.bytes().size()));
    }
    void TearDown() override {
        shell.reset();
        fs::remove_all(dir);
    }
    void start() {
        services = std::make_unique<AppServices>(
            AppServices{alerts, dialogs, clock, Separators{}, folder, folder});
        shell = std::make_unique<AppShell>(*services);
        shell->start();
        QApplication::processEvents();
    }
    void trigger(QWidget* w, const char* action) {
        auto* a = w->findChild<QAction*>(QString::fromLatin1(action));
        ASSERT_NE(a, nullptr) << action;
        a->trigger();
    }
    void click(QWidget* w, std::initializer_list<const char*> names) {
        for (const char* n : names) {
            auto* b = w->findChild<QPushButton*>(QString::fromLatin1(n));
            ASSERT_NE(b, nullptr) << n;
            b->click();
        }
    }
    // Every calculator shown in turn, each window checked.
    void expectEverythingFits(const std::string& when) {
        QWidget* expr = shell->expressionWindow();
        QWidget* fin = shell->financialWindow();
        QWidget* rpn = shell->rpnWindow();
        expectFits(when, expr);
        shell->switchCalculator(Calculator::Expression, Calculator::Financial);
        for (const char* mode : {"Control0", "Control1"}) {
            auto* r = fin->findChild<QRadioButton*>(QString::fromLatin1(mode));
            ASSERT_NE(r, nullptr);
            r->click();
            expectFits(when + " " + mode, fin);
        }
        trigger(fin, "Portuguese1");
        expectFits(when + " Portuguese", fin);
        trigger(fin, "English1");
        shell->switchCalculator(Calculator::Financial, Calculator::Rpn);
        for (const char* glyphs : {"WingDings31", "WebDings1", "CaracNormais1"}) {
            trigger(rpn, glyphs);
            expectFits(when + " " + glyphs, rpn);
        }
        trigger(rpn, "MostrarOcultarstack1");
        expectFits(when + " stack shown", rpn);
        trigger(rpn, "MostrarOcultarstack1");
        shell->switchCalculator(Calculator::Rpn, Calculator::Expression);
        for (Calculator c : {Calculator::Expression, Calculator::Financial, Calculator::Rpn})
            expectFits(when + " help", shell->helpWindow(c));
        expectFits(when, shell->aboutBox());
    }

    fs::path dir;
    std::string folder;
    FakeAlerts alerts;
    FakeDialogs dialogs;
    FakeClock clock{encodeDateTime(2026, 12, 8, 12, 0, 0)};
    std::unique_ptr<AppServices> services;
    std::unique_ptr<AppShell> shell;
};

TEST_F(TextFitTest, EveryTextFitsAtTheSmallestAndLargestFonts) {
    start();
    for (int size : {kMinFontSize, kMaxFontSize}) {
        for (unsigned style : {0u, unsigned(kBold)}) {
            const std::string when = "size " + std::to_string(size) + (style ? " bold" : " plain");
            dialogs.fonts = {FontSpec{"Tahoma", size, style, static_cast<int>(0x80000008u)}};
            shell->chooseExpressionFont();
            dialogs.fonts = {FontSpec{"LcdD", size, style, 0xFFFFFF},
                             FontSpec{"MS Sans Serif", size, style, 0}};
            trigger(shell->rpnWindow(), "FontedoVisor1");
            trigger(shell->rpnWindow(), "FontedosBotes1");
            ASSERT_EQ(shell->record().rpnButtonsFont().size, size);
            expectEverythingFits(when);
        }
    }
}

TEST_F(TextFitTest, TheRpnDisplayShowsTheSignAndLeadingDigitsOfEveryText) {
    start();
    shell->switchCalculator(Calculator::Expression, Calculator::Rpn);
    QWidget* rpn = shell->rpnWindow();
    auto* display = rpn->findChild<QLineEdit*>(QStringLiteral("Memo1"));
    ASSERT_NE(display, nullptr);
    for (int size : {kMinFontSize, kMaxFontSize}) {
        dialogs.fonts = {FontSpec{"LcdD", size, kBold, 0}};
        trigger(rpn, "FontedoVisor1");
        // 0 - 1E15 in FIX 10.
        click(rpn, {"BtnAdClx", "Btn1", "BtnE", "Btn1", "Btn5", "BtnEnter", "Btn0", "BtnAdXY",
                    "BtnOpSub"});
        EXPECT_EQ(display->text(), QStringLiteral("-1,000,000,000,000,000.0000000000"));
        const auto fits = [&](const std::string& what) {
            EXPECT_LE(textNeed(display->font(), display->text()).width(), textRoom(display).width())
                << what << " at " << size;
            // A face that lacks a character would draw it from another face: never in the
            // display, whose text is drawn whole in one face.
            EXPECT_TRUE(fontCovers(display->font(), display->text())) << what;
        };
        fits("-1E15");
        // 1/0: the error text in the display.
        click(rpn, {"BtnAdClx", "BtnInv"});
        EXPECT_FALSE(display->text().isEmpty());
        fits(display->text().toStdString());
        // Prompts and the short texts keep the chosen size.
        click(rpn, {"BtnAdClx", "BtnAdSto"});
        fits("STO prompt");
        EXPECT_EQ(display->font().pointSizeF(), size);
        click(rpn, {"BtnAdRcl"});
        fits("RCL prompt");
    }
}

using FontCommandsTest = TextFitTest;

TEST_F(FontCommandsTest, TheFinancialWindowsFontCommandAnswersInTheFinancialWindow) {
    start();
    QWidget* fin = shell->financialWindow();
    shell->switchCalculator(Calculator::Expression, Calculator::Financial);
    const FontSpec saved = shell->record().exprFont();
    EXPECT_EQ(saved.name, "Tahoma");
    EXPECT_EQ(saved.style, unsigned(kBold));
    const std::string resultLine = shell->expressionWindow()->resultText();
    struct {
        int size;
        const char* message;
    } const cases[] = {{20, "max font size is 14"}, {6, "min font size is 8"}};
    for (const auto& c : cases) {
        dialogs.messages.clear();
        FontSpec chosen = saved;
        chosen.size = c.size;
        dialogs.fonts = {chosen};
        trigger(fin, "Fonte1");
        EXPECT_EQ(dialogs.fontRequests.back(), saved);  // opened on the font as saved
        ASSERT_EQ(dialogs.messages.size(), 1u) << c.size;
        EXPECT_EQ(dialogs.messages[0].caption, "Tobrisk FIN");
        EXPECT_EQ(dialogs.messages[0].text, c.message);
        EXPECT_EQ(shell->expressionWindow()->resultText(), resultLine);
        EXPECT_EQ(shell->record().exprFont(), saved);
    }
    // OK without a change keeps the look: the fields stay bold.
    dialogs.messages.clear();
    dialogs.fonts = {saved};
    trigger(fin, "Fonte1");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(shell->record().exprFont(), saved);
    auto* field = fin->findChild<QLineEdit*>(QStringLiteral("TextBox0"));
    ASSERT_NE(field, nullptr);
    EXPECT_TRUE(field->font().bold());
    EXPECT_EQ(field->font().family(), QStringLiteral("Tahoma"));
}

}  // namespace
}  // namespace tobrisk
