#include "shell/ui/help_window.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <cmath>

#include "platform/qt/frame_placement.h"
#include "platform/window_geometry.h"
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
    // The lines sit on a page that scrolls when the screen is too small for it (large scaling).
    auto* pageWidget = new QWidget;
    pageWidget->setObjectName(QStringLiteral("Page"));
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("PageScroll"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setPalette(pal);
    scroll_->viewport()->setAutoFillBackground(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);

    int width = 0, height = 0, index = 0;
    for (const HelpLine& line : page.lines) {
        const HelpLook look = helpLook(line.style);
        auto* label = new ColumnLabel(latin(line.text), pageWidget);
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
    content_ = QSize(width + kMargin, height + kMargin);
    pageWidget->resize(content_);
    scroll_->setWidget(pageWidget);
    maximiseBox_ = page.maximiseBox;
    applySize(content_);
    move(page.left, page.top);
}

void HelpWindow::applySize(QSize size) {
    if (maximiseBox_) {
        setMinimumSize(size.boundedTo(content_));
        resize(size);
    } else {
        setFixedSize(size);
    }
}

void HelpWindow::fitOnScreen(const QMargins& hint) {
    FramePlacement& placement = FramePlacement::of(this);
    const QMargins m = placement.margins().isNull() ? hint : placement.margins();
    fittedTo_ = m;
    const QRect area = FramePlacement::availableAreaAt(placement.frameTopLeft());
    const FrameMargins frame{m.left(), m.top(), m.right(), m.bottom()};
    const Rect onto{area.x(), area.y(), area.width(), area.height()};
    Size fit = fitClientOnto({content_.width(), content_.height()}, frame, onto);
    if (fit.height < content_.height()) {
        // The page scrolls: room for the scroll bar beside the lines.
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        fit = fitClientOnto({content_.width() + bar, content_.height()}, frame, onto);
    }
    applySize(QSize(fit.width, fit.height));
    placement.placeOnScreen(placement.frameTopLeft());
}

bool HelpWindow::event(QEvent* e) {
    const bool handled = QWidget::event(e);
    const auto type = e->type();
    if (refit_ && isVisible() &&
        (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show)) {
        // This window's own frame may differ from the calculator's (a resize handle).
        const QMargins own = FramePlacement::of(this).margins();
        if (!own.isNull()) {
            refit_ = false;
            if (own != fittedTo_) fitOnScreen(own);
        }
    }
    return handled;
}

void HelpWindow::showBeside(QWidget* calculator, Alerts& alerts) {
    alerts.play(AlertKind::Asterisk);
    if (!isVisible() && !isMinimized()) {
        fitOnScreen(calculator ? FramePlacement::of(calculator).margins() : QMargins());
        refit_ = true;
    }
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
