#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/qt/frame_placement.h"
#include "platform/window_geometry.h"

namespace tobrisk {

namespace {

Rect toRect(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

}  // namespace

FramePlacement& FramePlacement::of(QWidget* window) {
    for (QObject* child : window->children())
        if (auto* p = dynamic_cast<FramePlacement*>(child)) return *p;
    return *new FramePlacement(window);
}

QPoint FramePlacement::frameTopLeftOf(const QWidget* window) {
    for (QObject* child : window->children())
        if (auto* p = dynamic_cast<FramePlacement*>(child)) return p->frameTopLeft();
    return window->pos();
}

FramePlacement::FramePlacement(QWidget* window) : QObject(window), window_(window) {
    setObjectName("FramePlacement");
    last_ = window->pos();
    window->installEventFilter(this);
}

QMargins FramePlacement::currentMargins() const {
    if (!window_->isVisible()) return {};
    const FrameMargins m =
        marginsBetween(toRect(window_->frameGeometry()), toRect(window_->geometry()));
    return {m.left, m.top, m.right, m.bottom};
}

QRect FramePlacement::availableAreaAt(QPoint p) {
    QScreen* s = QGuiApplication::screenAt(p);
    if (!s) s = QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}

void FramePlacement::placeFrameAt(QPoint frameTopLeft, QMargins hint) {
    last_ = target_ = frameTopLeft;
    if (!currentMargins().isNull()) {
        window_->move(frameTopLeft);  // Qt knows the frame: its move is frame-aware
        pending_ = false;
        return;
    }
    const QMargins m = margins_.isNull() ? hint : margins_;
    if (!window_->testAttribute(Qt::WA_WState_Created) && m.isNull()) {
        // Never shown: a position given before creation is the frame's (north-west gravity).
        window_->move(frameTopLeft);
    } else {
        window_->setGeometry(QRect(frameTopLeft + QPoint(m.left(), m.top()), window_->size()));
    }
    pending_ = true;
}

void FramePlacement::placeOnScreen(QPoint frameTopLeft) {
    const QMargins m = margins();
    const QRect area = availableAreaAt(frameTopLeft);
    const Size frame = frameSize({window_->width(), window_->height()},
                                 {m.left(), m.top(), m.right(), m.bottom()});
    const Point p = pullBackOnto({frameTopLeft.x(), frameTopLeft.y()}, frame, toRect(area));
    placeFrameAt(QPoint(p.x, p.y));
    pullBack_ = true;
    if (!pending_) settle();
}

QMargins FramePlacement::margins() const {
    const QMargins m = currentMargins();
    return m.isNull() ? margins_ : m;
}

QPoint FramePlacement::frameTopLeft() const {
    if (!currentMargins().isNull()) return window_->frameGeometry().topLeft();
    return last_;
}

void FramePlacement::settle() {
    const QMargins m = currentMargins();
    if (!m.isNull()) {
        margins_ = m;
        pending_ = false;
        if (window_->frameGeometry().topLeft() != target_) window_->move(target_);
    }
    if (pullBack_) {
        const QRect area = availableAreaAt(target_);
        const Size frame = frameSize({window_->width(), window_->height()},
                                     {m.left(), m.top(), m.right(), m.bottom()});
        const Point p = pullBackOnto({target_.x(), target_.y()}, frame, toRect(area));
        if (QPoint(p.x, p.y) != target_) {
            target_ = QPoint(p.x, p.y);
            window_->move(target_);
        }
        if (!pending_) pullBack_ = false;
    }
    last_ = target_;
}

bool FramePlacement::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && window_->isVisible()) {
        const auto type = event->type();
        if (type == QEvent::Move || type == QEvent::Show || type == QEvent::Resize) {
            if (pending_) {
                settle();
            } else if (const QMargins m = currentMargins(); !m.isNull()) {
                margins_ = m;
                last_ = window_->frameGeometry().topLeft();  // moved by the user
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tobrisk
