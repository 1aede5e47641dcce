#pragma once
// Keeps a key from acting in a window that did not receive its press. A switching shortcut
// (Ctrl+R, Ctrl+E, F1, a menu entry chosen with Enter, ...) acts on its press and changes the
// active window; the release of the same key then reaches the new window. The RPN window acts
// on releases, so without this gate the R of Ctrl+R, let go after Ctrl, would start a recall
// there. Installed on the application, the gate drops every key release (and auto-repeated
// press) whose first press went to another top-level window, or to none of ours.

#include <QHash>
#include <QObject>
#include <QPointer>

class QKeyEvent;
class QWidget;

namespace tobrisk {

class KeyPressGate : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool allow(QWidget* receiver, QKeyEvent* key);

    struct Seen {
        const QEvent* event = nullptr;
        quint64 key = 0;
        quint64 time = 0;
        friend bool operator==(const Seen&, const Seen&) = default;
    };

    QHash<quint64, QPointer<QWidget>> pressedIn_;  // key -> window that received its press
    Seen lastRelease_;                             // one release reaches several widgets
    bool lastVerdict_ = true;
};

}  // namespace tobrisk
