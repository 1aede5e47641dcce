#include "platform/qt/font_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "platform/font_sizes.h"
#include "platform/qt/font_substitutes.h"
#include "tests/qt_test_app.h"

namespace tobrisk {
namespace {

constexpr int kWindowText = static_cast<int>(0x80000008u);

template <typename T>
T* child(const QWidget& w, const char* name) {
    auto* c = w.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

TEST(FontDialog, OkUnchangedReturnsTheFontItOpenedOn) {
    ensureTestApplication();
    // The record's fonts: design names that may exist only as substitutes.
    const FontSpec fonts[] = {
        {"Tahoma", 10, kBold, kWindowText},
        {"LcdD", 12, kBold, 0xFFFFFF},
        {"MS Sans Serif", 9, 0, 0},
        {"Tahoma", 14, kBold | kItalic | kUnderline | kStrikeOut, 0x123456},
        {"Not A Font Here", 8, kItalic, 0x0000FF},
    };
    for (const FontSpec& f : fonts) {
        FontDialog dlg(f, kMinFontSize, kMaxFontSize);
        EXPECT_EQ(child<QComboBox>(dlg, "Family")->currentText().toStdString(), f.name);
        EXPECT_TRUE(dlg.sizeAccepted()) << f.name;
        EXPECT_EQ(dlg.font(), f) << f.name;
        dlg.accept();
        EXPECT_EQ(dlg.result(), QDialog::Accepted) << f.name;
    }
}

TEST(FontDialog, OffersOnlyTheAllowedSizesAndRefusesOthersInside) {
    ensureTestApplication();
    FontDialog dlg({"Tahoma", 10, kBold, kWindowText}, kMinFontSize, kMaxFontSize);
    auto* size = child<QComboBox>(dlg, "Size");
    QStringList offered;
    for (int i = 0; i < size->count(); ++i) offered << size->itemText(i);
    EXPECT_EQ(offered, QStringList({"8", "9", "10", "11", "12", "13", "14"}));
    auto* refusal = child<QLabel>(dlg, "Refusal");
    struct {
        const char* typed;
        bool accepted;
    } const cases[] = {{"6", false}, {"8", true}, {"14", true}, {"20", false}, {"", false}};
    for (const auto& c : cases) {
        dlg.setResult(QDialog::Rejected);
        size->setEditText(QString::fromLatin1(c.typed));
        dlg.accept();
        EXPECT_EQ(dlg.result() == QDialog::Accepted, c.accepted) << c.typed;
        EXPECT_EQ(refusal->isVisibleTo(&dlg), !c.accepted) << c.typed;
        if (!c.accepted && *c.typed) {
            EXPECT_TRUE(refusal->text().contains(QStringLiteral("is not possible")) &&
                        refusal->text().contains(QString::fromLatin1(c.typed)))
                << refusal->text().toStdString();
        }
        if (c.accepted) {
            EXPECT_EQ(dlg.font().size, QString::fromLatin1(c.typed).toInt());
        }
    }
}

TEST(FontDialog, StyleEffectsAndColourComeBackAsChosen) {
    ensureTestApplication();
    FontDialog dlg({"Tahoma", 10, kBold, kWindowText}, kMinFontSize, kMaxFontSize);
    auto* style = child<QComboBox>(dlg, "Style");
    auto* colour = child<QComboBox>(dlg, "Colour");
    EXPECT_EQ(style->currentText(), QStringLiteral("Bold"));
    EXPECT_EQ(colour->currentText(), QStringLiteral("Automatic"));
    style->setCurrentIndex(style->findText(QStringLiteral("Italic")));
    child<QCheckBox>(dlg, "Underline")->setChecked(true);
    colour->setCurrentIndex(colour->findText(QStringLiteral("Red")));
    const FontSpec f = dlg.font();
    EXPECT_EQ(f.style, unsigned(kItalic | kUnderline));
    EXPECT_EQ(f.colour, 0x0000FF);  // 0x00BBGGRR
    EXPECT_EQ(f.name, "Tahoma");
    // The sample shows the choice.
    auto* sample = child<QLabel>(dlg, "Sample");
    EXPECT_TRUE(sample->font().italic());
    EXPECT_EQ(sample->palette().color(QPalette::WindowText), QColor(255, 0, 0));
}

TEST(FontSubstitutes, DesignNamesStayWhileAnInstalledFaceDraws) {
    ensureTestApplication();
    for (const FontSubstitute& s : fontSubstitutes()) {
        const QFont f(QString::fromLatin1(s.design));
        EXPECT_EQ(f.family(), QString::fromLatin1(s.design));  // the record keeps its name
        const QString drawn = QFontInfo(f).family();
        bool chosen = drawn.compare(QString::fromLatin1(s.design), Qt::CaseInsensitive) == 0;
        for (const char* face : s.faces) chosen = chosen || drawn == QString::fromLatin1(face);
        // On a machine with none of the chosen faces the toolkit's default stands in; the setup
        // installs them, so under its fonts every name lands on a face of the table.
        if (QFontDatabase::hasFamily(QString::fromLatin1(s.faces.back()))) {
            EXPECT_TRUE(chosen) << s.design << " drawn in " << drawn.toStdString();
        }
    }
}

TEST(FontSubstitutes, TheDisplayFaceDrawsEveryTextOfTheRpnDisplay) {
    ensureTestApplication();
    QFont lcd(QStringLiteral("LcdD"));
    lcd.setPointSize(12);
    lcd.setBold(true);
    if (!QFontInfo(lcd).family().startsWith(QLatin1String("DSEG")))
        GTEST_SKIP() << "no segment face installed";
    const char* texts[] = {"-1,234,567.0000000000",
                           "1.5 E-10",
                           "RCL _ ",
                           "STO + _ ",
                           "STO x _ ",
                           "FIX _ ",
                           "SCI _ ",
                           "ENG _ ",
                           "fix*",
                           "sci*",
                           "eng*",
                           "Error",
                           "Out of Range",
                           "Invalid Operation",
                           "Floating point overflow",
                           "Floating point division by zero",
                           "Invalid floating point operation",
                           "1.E",
                           "0."};
    for (const char* t : texts) EXPECT_TRUE(fontCovers(lcd, QString::fromLatin1(t))) << t;
    // Blanks as wide as a digit cell, so words stay apart.
    const QFont spaced = withSegmentBlanks(lcd);
    const QFontMetricsF fm(spaced);
    EXPECT_DOUBLE_EQ(fm.horizontalAdvance(QStringLiteral("0 0")),
                     fm.horizontalAdvance(QStringLiteral("000")));
}

}  // namespace
}  // namespace tobrisk
