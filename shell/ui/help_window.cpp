#include "shell/ui/help_window.h"

#include <QDesktopServices>
#include <QEvent>
#include <QLabel>
#include <QScrollArea>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/qt/frame_placement.h"
#include "platform/window_geometry.h"

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
        auto* label = new QLabel(latin(line.text), pageWidget);
        label->setObjectName(QStringLiteral("Label%1").arg(++index));
        label->setFont(lineFont(look));
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

QString HelpWindow::helpFilePath(const std::string& programFolder) {
    return QString::fromStdString(programFolder) + QStringLiteral("Tbhelp.chm");
}

void HelpWindow::openHelpFile(const std::string& programFolder) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(helpFilePath(programFolder)));
}

}  // namespace tobrisk
