#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <cmath>

#include "platform/qt/text_fit.h"

namespace tobrisk {

namespace {

// QLineEdit keeps 2 px beside its text and 1 px above and below, and a caret pixel.
constexpr int kEditSideMargin = 2;
constexpr int kEditCaret = 1;
constexpr int kEditTopMargin = 1;

}  // namespace

QSize textRoom(const QLineEdit* edit) {
    QStyleOptionFrame opt;
    opt.initFrom(edit);
    opt.rect = edit->rect();
    opt.lineWidth =
        edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, edit) : 0;
    opt.midLineWidth = 0;
    opt.state |= QStyle::State_Sunken;
    QRect r = edit->style()->subElementRect(QStyle::SE_LineEditContents, &opt, edit);
    r = r.marginsRemoved(edit->textMargins());
    return {r.width() - 2 * kEditSideMargin - kEditCaret, r.height() - 2 * kEditTopMargin};
}

QSize textRoom(const QPushButton* button) {
    QStyleOptionButton opt;
    opt.initFrom(button);
    opt.rect = button->rect();
    opt.text = button->text();
    if (button->isDefault()) opt.features |= QStyleOptionButton::DefaultButton;
    if (button->isFlat()) opt.features |= QStyleOptionButton::Flat;
    const QRect r = button->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, button);
    // The style draws the label inside the contents with a margin on each side.
    const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, &opt, button) / 2;
    return {r.width() - 2 * margin, r.height()};
}

QSize textRoom(const QLabel* label) {
    const QRect r = label->contentsRect();
    const int indent = std::max(0, label->indent());
    return {r.width() - indent - 2 * label->margin(), r.height() - 2 * label->margin()};
}

QSize textNeed(const QFont& font, const QString& text) {
    const QFontMetricsF fm(font);
    qreal width = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        width = std::max(width, fm.horizontalAdvance(line));
    const int lines = static_cast<int>(text.count(QLatin1Char('\n'))) + 1;
    return {static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(fm.height() * lines))};
}

QFont fittedFont(const QFont& font, const QString& text, QSize room, qreal minPixelSize,
                 const std::function<QFont(QFont)>& prepare) {
    const auto ready = [&](const QFont& f) { return prepare ? prepare(f) : f; };
    const auto fits = [&](const QFont& f) {
        const QSize need = textNeed(f, text);
        return need.width() <= room.width() && need.height() <= room.height();
    };
    QFont f = ready(font);
    if (text.isEmpty() || fits(f)) return f;
    const bool points = font.pointSizeF() > 0;
    const qreal pixelsPerUnit = points ? QFontInfo(font).pixelSize() / font.pointSizeF() : 1.0;
    const qreal step = points ? 0.25 : 1.0;
    qreal size = points ? font.pointSizeF() : font.pixelSize();
    const qreal minSize = minPixelSize / (pixelsPerUnit > 0 ? pixelsPerUnit : 1.0);
    QFont smaller = font;
    while (size > minSize) {
        size = std::max(minSize, size - step);
        if (points)
            smaller.setPointSizeF(size);
        else
            smaller.setPixelSize(std::max(1, static_cast<int>(size)));
        f = ready(smaller);
        if (fits(f)) break;
    }
    return f;
}

}  // namespace tobrisk
