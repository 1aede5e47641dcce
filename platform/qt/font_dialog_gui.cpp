#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QVBoxLayout>

#include "platform/font_sizes.h"
#include "platform/qt/desktop_platform.h"
#include "platform/qt/font_dialog.h"
#include "platform/qt/font_substitutes.h"
#include "platform/qt/text_encoding.h"

namespace tobrisk {

namespace {

struct NamedColour {
    const char* name;
    int value;  // 0x00BBGGRR
};

// The sixteen colours of the classic font dialog.
constexpr NamedColour kColours[] = {
    {"Black", 0x000000},  {"Maroon", 0x000080},  {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000},   {"Purple", 0x800080},  {"Teal", 0x808000},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},     {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF},
};

// Style entries in the order of their bits (bold 1, italic 2).
constexpr const char* kStyles[] = {"Regular", "Bold", "Italic", "Bold Italic"};

QIcon swatch(const QColor& c) {
    QPixmap p(16, 12);
    p.fill(c);
    return QIcon(p);
}

}  // namespace

QColor recordColour(int colour, const QPalette& palette) {
    const auto c = static_cast<uint32_t>(colour);
    if (c & 0x80000000u) return palette.color(QPalette::WindowText);
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

FontDialog::FontDialog(const FontSpec& current, int minSize, int maxSize, QWidget* parent)
    : QDialog(parent), current_(current), minSize_(minSize), maxSize_(maxSize) {
    setObjectName(QStringLiteral("FontDialog"));
    setWindowTitle(QStringLiteral("Font"));

    family_ = new QComboBox(this);
    family_->setObjectName(QStringLiteral("Family"));
    QStringList families = designFontNames();
    for (const QString& f : QFontDatabase::families(QFontDatabase::Latin))
        if (!QFontDatabase::isPrivateFamily(f) && !families.contains(f, Qt::CaseInsensitive))
            families << f;
    const QString shown = toQString(current.name);
    if (!shown.isEmpty() && !families.contains(shown)) families << shown;
    families.sort(Qt::CaseInsensitive);
    family_->addItems(families);
    family_->setCurrentIndex(family_->findText(shown));
    family_->setMaxVisibleItems(12);

    style_ = new QComboBox(this);
    style_->setObjectName(QStringLiteral("Style"));
    for (const char* s : kStyles) style_->addItem(QString::fromLatin1(s));
    style_->setCurrentIndex(static_cast<int>(current.style & (kBold | kItalic)));

    size_ = new QComboBox(this);
    size_->setObjectName(QStringLiteral("Size"));
    size_->setEditable(true);
    size_->setInsertPolicy(QComboBox::NoInsert);
    for (int s = minSize; s <= maxSize; ++s) size_->addItem(QString::number(s));
    size_->lineEdit()->setValidator(new QIntValidator(1, 999, size_));
    size_->setEditText(QString::number(current.size));

    strikeOut_ = new QCheckBox(QStringLiteral("Stri&keout"), this);
    strikeOut_->setObjectName(QStringLiteral("StrikeOut"));
    strikeOut_->setChecked(current.style & kStrikeOut);
    underline_ = new QCheckBox(QStringLiteral("&Underline"), this);
    underline_->setObjectName(QStringLiteral("Underline"));
    underline_->setChecked(current.style & kUnderline);
    colour_ = new QComboBox(this);
    colour_->setObjectName(QStringLiteral("Colour"));
    int colourIndex = -1;
    for (const NamedColour& c : kColours) {
        if (c.value == current.colour) colourIndex = colour_->count();
        colour_->addItem(swatch(recordColour(c.value, palette())), QString::fromLatin1(c.name),
                         c.value);
    }
    if (colourIndex < 0) {  // a system colour or a custom one stays selectable as it is
        const bool system = static_cast<uint32_t>(current.colour) & 0x80000000u;
        colourIndex = 0;
        colour_->insertItem(0, swatch(recordColour(current.colour, palette())),
                            system ? QStringLiteral("Automatic") : QStringLiteral("Custom"),
                            current.colour);
    }
    colour_->setCurrentIndex(colourIndex);

    sample_ = new QLabel(QStringLiteral("AaBbYyZz 0123"), this);
    sample_->setObjectName(QStringLiteral("Sample"));
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setMinimumSize(220, 48);
    sample_->setFrameStyle(QFrame::Sunken | QFrame::StyledPanel);
    sample_->setAutoFillBackground(true);
    refusal_ = new QLabel(this);
    refusal_->setObjectName(QStringLiteral("Refusal"));
    refusal_->setWordWrap(true);
    refusal_->hide();

    auto* choice = new QFormLayout;
    choice->addRow(QStringLiteral("&Font:"), family_);
    choice->addRow(QStringLiteral("Font st&yle:"), style_);
    choice->addRow(QStringLiteral("&Size:"), size_);
    auto* effects = new QGroupBox(QStringLiteral("Effects"), this);
    auto* effectsLayout = new QFormLayout(effects);
    effectsLayout->addRow(strikeOut_);
    effectsLayout->addRow(underline_);
    effectsLayout->addRow(QStringLiteral("&Colour:"), colour_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &FontDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FontDialog::reject);

    auto* lower = new QHBoxLayout;
    lower->addWidget(effects);
    lower->addWidget(sample_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choice);
    layout->addLayout(lower);
    layout->addWidget(refusal_);
    layout->addWidget(buttons);

    for (QComboBox* c : {family_, style_, colour_})
        connect(c, &QComboBox::currentIndexChanged, this, [this] { updateSample(); });
    connect(size_, &QComboBox::editTextChanged, this, [this] { updateSample(); });
    for (QCheckBox* c : {strikeOut_, underline_})
        connect(c, &QCheckBox::toggled, this, [this] { updateSample(); });
    updateSample();
    family_->setFocus();
}

int FontDialog::typedSize(bool* ok) const {
    return size_->currentText().trimmed().toInt(ok);
}

bool FontDialog::sizeAccepted() const {
    bool ok = false;
    const int s = typedSize(&ok);
    return ok && fontSizeAllowed(s, minSize_, maxSize_);
}

FontSpec FontDialog::font() const {
    FontSpec f = current_;
    // The name as listed: a design name stays the design name, not its substitute.
    f.name = fromQString(family_->currentText());
    bool ok = false;
    const int s = typedSize(&ok);
    if (ok) f.size = s;
    f.style = static_cast<unsigned>(style_->currentIndex()) |
              (underline_->isChecked() ? kUnderline : 0u) |
              (strikeOut_->isChecked() ? kStrikeOut : 0u);
    f.colour = colour_->currentData().toInt();
    return f;
}

void FontDialog::updateSample() {
    FontSpec f = font();
    if (!sizeAccepted()) f.size = current_.size;
    sample_->setFont(toQFont(f));
    QPalette p = sample_->palette();
    const QColor ink = recordColour(f.colour, palette());
    p.setColor(QPalette::WindowText, ink);
    // A light colour (the RPN display's white) is shown on black, as it will be drawn.
    p.setColor(QPalette::Window, ink.lightness() > 160 ? QColor(Qt::black) : QColor(Qt::white));
    sample_->setPalette(p);
    refusal_->hide();
}

void FontDialog::accept() {
    bool ok = false;
    const int s = typedSize(&ok);
    if (!ok || !fontSizeAllowed(s, minSize_, maxSize_)) {
        refusal_->setText(
            ok ? QString::fromStdString(fontSizeRefusal(s, minSize_, maxSize_))
               : QStringLiteral("Type a size from %1 to %2.").arg(minSize_).arg(maxSize_));
        refusal_->show();
        QApplication::beep();
        size_->setFocus();
        size_->lineEdit()->selectAll();
        return;
    }
    QDialog::accept();
}

}  // namespace tobrisk
