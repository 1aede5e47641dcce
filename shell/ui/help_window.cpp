#include "shell/ui/help_window.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>
#include <cmath>

#include "shell/help_columns.h"

namespace tobrisk {
namespace {

constexpr int kMargin = 4;  // blank border right of and below the widest and lowest lines

QStringList families(std::span<const std::string_view> names) {
    QStringList list;
    for (auto n : names) list << QString::fromLatin1(n.data(), static_cast<qsizetype>(n.size()));
    return list;
}

QFont lineFont(const HelpLook& look) {
    const HelpFonts& fonts = helpFonts();
    QFont font;
    font.setFamilies(families(look.heading ? fonts.headingFamilies : fonts.bodyFamilies));
    font.setPixelSize(look.heading ? fonts.headingPixelSize : fonts.bodyPixelSize);
    font.setBold(look.bold);
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

QString latin(std::string_view s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

// A help line whose columns stand where the design put them, whatever face draws it; its text
// stays the line as written.
class ColumnLabel : public QLabel {
  public:
    using QLabel::QLabel;
    void placeColumns(std::string_view line, double scale) {
        const QFontMetricsF fm(font());
        pieces_ = layoutColumns(line, scale,
                                [&](std::string_view s) { return fm.horizontalAdvance(latin(s)); });
        const ColumnPiece& last = pieces_.back();
        width_ = static_cast<int>(std::ceil(last.x + fm.horizontalAdvance(latin(last.text))));
        updateGeometry();
    }
    QSize sizeHint() const override {
        return {width_ + contentsMargins().left() + contentsMargins().right(),
                QLabel::sizeHint().height()};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setFont(font());
        p.setPen(palette().color(foregroundRole()));
        const QRect r = contentsRect();
        const int baseline =
            r.top() + (r.height() - fontMetrics().height()) / 2 + fontMetrics().ascent();
        for (const ColumnPiece& piece : pieces_)
            p.drawText(QPointF(r.left() + piece.x, baseline), latin(piece.text));
    }

  private:
    std::vector<ColumnPiece> pieces_;
    int width_ = 0;
};

}  // namespace

HelpWindow::HelpWindow(HelpKind kind, QWidget* parent) : QWidget(parent, Qt::Window), kind_(kind) {
    const HelpPage& page = helpPage(kind);
    setObjectName(latin(page.objectName));
    setWindowTitle(latin(page.caption));
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                            Qt::WindowCloseButtonHint;
    if (page.maximiseBox) flags |= Qt::WindowMaximizeButtonHint;
    setWindowFlags(flags);
    setAttribute(Qt::WA_ShowWithoutActivating);

    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::ToolTipBase));
    setPalette(pal);
    setAutoFillBackground(true);

    // Design pixels to pixels of the face that draws the body text, over the whole page.
    const QFontMetricsF body(lineFont(helpLook(HelpStyle::Black)));
    double shown = 0, design = 0;
    for (const HelpLine& line : page.lines) {
        shown += body.horizontalAdvance(latin(line.text));
        design += designTextWidth(line.text);
    }
    const double scale = design > 0 ? shown / design : 1.0;

    int width = 0, height = 0, index = 0;
    for (const HelpLine& line : page.lines) {
        const HelpLook look = helpLook(line.style);
        auto* label = new ColumnLabel(latin(line.text), this);
        label->setObjectName(QStringLiteral("Label%1").arg(++index));
        label->setFont(lineFont(look));
        label->placeColumns(line.text, scale);
        label->setTextFormat(Qt::PlainText);
        QPalette lp = label->palette();
        QColor colour = look.colour ? QColor(look.colour->r, look.colour->g, look.colour->b)
                                    : pal.color(QPalette::WindowText);
        lp.setColor(QPalette::WindowText, colour);
        label->setPalette(lp);
        label->adjustSize();
        label->move(line.left, line.top);
        width = std::max(width, line.left + label->width());
        height = std::max(height, line.top + label->height());
    }
    const QSize content(width + kMargin, height + kMargin);
    if (page.maximiseBox) {
        setMinimumSize(content);
        resize(content);
    } else {
        setFixedSize(content);
    }
    move(page.left, page.top);
}

void HelpWindow::showBeside(QWidget* calculator, Alerts& alerts) {
    alerts.play(AlertKind::Asterisk);
    if (isMinimized())
        showNormal();
    else if (!isVisible())
        show();
    if (calculator) {
        calculator->raise();
        calculator->activateWindow();
    }
}

}  // namespace tobrisk
