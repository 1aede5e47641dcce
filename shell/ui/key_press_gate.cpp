#include "shell/ui/key_press_gate.h"

#include <QKeyEvent>
#include <QWidget>

namespace tobrisk {

namespace {

// The physical key where the platform reports it: the key code may change with the modifiers
// between press and release (Shift+6 is "^" when pressed, "6" when Shift went up first).
quint64 keyIdOf(const QKeyEvent& e) {
    if (e.nativeScanCode() != 0) return e.nativeScanCode();
    return (quint64{1} << 32) | static_cast<quint32>(e.key());
}

}  // namespace

bool KeyPressGate::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && watched->isWidgetType()) {
        if (!allow(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

bool KeyPressGate::allow(QWidget* receiver, QKeyEvent* key) {
    QWidget* window = receiver->window();
    const quint64 id = keyIdOf(*key);
    if (key->type() == QEvent::KeyPress) {
        lastRelease_ = {};
        if (!key->isAutoRepeat()) {
            pressedIn_.insert(id, window);
            return true;
        }
        const auto it = pressedIn_.constFind(id);
        return it != pressedIn_.constEnd() && it.value() == window;
    }
    // A release the focused widget ignores travels up to its parents: one verdict for all.
    // (Events live on the stack: a later release may have the same address.)
    const Seen seen{key, id, key->timestamp()};
    if (seen == lastRelease_) return lastVerdict_;
    const auto it = pressedIn_.constFind(id);
    const bool ok = it != pressedIn_.constEnd() && it.value() == window;
    if (!key->isAutoRepeat()) pressedIn_.remove(id);
    lastRelease_ = seen;
    lastVerdict_ = ok;
    return ok;
}

}  // namespace tobrisk
