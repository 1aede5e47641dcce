// The RPN window's keyboard: every key release, whichever control has the focus, goes through
// the keyboard table before the control sees it.

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "platform/qt/text_encoding.h"
#include "rpn/rpn_clipboard.h"
#include "rpn/rpn_keyboard.h"
#include "rpn/ui/rpn_window.h"

namespace tobrisk {

namespace {

// The keys Shift turns digits into on the common layout: the table names the 6 and 8 keys.
constexpr Qt::Key kShiftedDigits[10] = {
    Qt::Key_ParenRight, Qt::Key_Exclam,    Qt::Key_At,          Qt::Key_NumberSign,
    Qt::Key_Dollar,     Qt::Key_Percent,   Qt::Key_AsciiCircum, Qt::Key_Ampersand,
    Qt::Key_Asterisk,   Qt::Key_ParenLeft,
};

struct KeypadKey {
    Qt::Key key;
    KeyId id;
};
constexpr KeypadKey kKeypadKeys[] = {
    {Qt::Key_Plus, KeyId::KeypadPlus},         {Qt::Key_Minus, KeyId::KeypadMinus},
    {Qt::Key_Asterisk, KeyId::KeypadMultiply}, {Qt::Key_Slash, KeyId::KeypadDivide},
    {Qt::Key_Period, KeyId::KeypadDecimal},    {Qt::Key_Comma, KeyId::KeypadDecimal},
};

struct PlainKey {
    Qt::Key key;
    KeyId id;
};
constexpr PlainKey kPlainKeys[] = {
    {Qt::Key_Period, KeyId::Point},     {Qt::Key_Minus, KeyId::Minus},
    {Qt::Key_Underscore, KeyId::Minus}, {Qt::Key_Slash, KeyId::Slash},
    {Qt::Key_Equal, KeyId::Equal},      {Qt::Key_Plus, KeyId::Equal},
    {Qt::Key_Delete, KeyId::Delete},    {Qt::Key_Left, KeyId::Left},
    {Qt::Key_Right, KeyId::Right},      {Qt::Key_Up, KeyId::Up},
    {Qt::Key_Down, KeyId::Down},
};

KeyStroke strokeOf(const QKeyEvent& e) {
    KeyStroke s;
    const auto mods = e.modifiers();
    s.shift = mods.testFlag(Qt::ShiftModifier);
    s.ctrl = mods.testFlag(Qt::ControlModifier);
    s.alt = mods.testFlag(Qt::AltModifier);
    const bool keypad = mods.testFlag(Qt::KeypadModifier);
    const int key = e.key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        s.id = keypad ? KeyId::KeypadDigit : KeyId::Digit;
        s.digit = key - Qt::Key_0;
        return s;
    }
    if (keypad) {
        for (const auto& k : kKeypadKeys)
            if (k.key == key) s.id = k.id;
        if (s.id != KeyId::Other) return s;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        s.id = KeyId::Letter;
        s.letter = static_cast<char>('A' + (key - Qt::Key_A));
        return s;
    }
    for (int d = 0; d < 10; ++d) {
        if (kShiftedDigits[d] != key) continue;
        s.id = KeyId::Digit;
        s.digit = d;
        return s;
    }
    for (const auto& k : kPlainKeys)
        if (k.key == key) s.id = k.id;
    return s;
}

// The clipboard keys come on top of the keyboard table, whose rows leave every Ctrl key but
// chs and clst without an action.
enum class ClipboardKey { None, CopyDisplayed, CopyFull, Paste };

ClipboardKey clipboardKeyOf(const QKeyEvent& e) {
    const auto mods = e.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier |
                                       Qt::MetaModifier);
    if (e.key() == Qt::Key_C && mods == Qt::ControlModifier) return ClipboardKey::CopyDisplayed;
    if (e.key() == Qt::Key_C && mods == (Qt::ControlModifier | Qt::ShiftModifier))
        return ClipboardKey::CopyFull;
    if (e.key() == Qt::Key_V && mods == Qt::ControlModifier) return ClipboardKey::Paste;
    return ClipboardKey::None;
}

}  // namespace

bool RpnWindow::handleClipboardKey(const QKeyEvent& event) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    switch (clipboardKeyOf(event)) {
        case ClipboardKey::None:
            return false;
        case ClipboardKey::CopyDisplayed:
            clipboard->setText(toQString(displayedX(*machine_)));
            return true;
        case ClipboardKey::CopyFull:
            clipboard->setText(QString::fromStdString(fullX(machine_->x())));
            return true;
        case ClipboardKey::Paste:
            // Anything but plain ASCII is no number; it must not reach the reader as bytes.
            const QString text = clipboard->text();
            bool ascii = true;
            for (QChar c : text) ascii = ascii && c.unicode() < 0x80;
            if (ascii && pasteNumber(*machine_, text.toStdString()))
                render();
            else
                services_.alerts.play(AlertKind::Exclamation);
            return true;
    }
    return false;
}

bool RpnWindow::handleKeyRelease(QKeyEvent* event) {
    if (event->isAutoRepeat()) return true;
    if (handleClipboardKey(*event)) return true;
    const KeyBinding b = RpnKeyboard::lookup(strokeOf(*event));
    if (!RpnKeyboard::apply(b, *machine_)) return false;
    render();
    if (b.focus)
        if (auto* button = findChild<QPushButton*>(b.focus)) button->setFocus();
    return true;
}

void RpnWindow::keyReleaseEvent(QKeyEvent* event) {
    if (!handleKeyRelease(event)) QWidget::keyReleaseEvent(event);
}

bool RpnWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress: {
            // The press of a bound key is the window's: a focused button must not act on it.
            auto* k = static_cast<QKeyEvent*>(event);
            return clipboardKeyOf(*k) != ClipboardKey::None ||
                   RpnKeyboard::lookup(strokeOf(*k)).action != KeyAction::None;
        }
        case QEvent::KeyRelease:
            return handleKeyRelease(static_cast<QKeyEvent*>(event));
        case QEvent::MouseButtonDblClick:
            if (watched == display_) {
                Memo1DblClick();
                return true;
            }
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace tobrisk
