// Ctrl+C in the expression window: with nothing selected in a line, the result line goes to
// the clipboard, so a result reaches another program without selecting it first. A selection
// is copied by the line itself, as usual.

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "exprwin/ui/expression_window.h"

namespace tobrisk {

bool ExpressionWindow::copyResultLine(QObject* watched, const QKeyEvent& k) {
    const auto mods = k.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier |
                                       Qt::MetaModifier);
    if (k.key() != Qt::Key_C || mods != Qt::ControlModifier) return false;
    QLineEdit* line = nullptr;
    for (QComboBox* c : {combo1_, combo2_})
        if (watched == c || watched == c->lineEdit()) line = c->lineEdit();
    if (!line || line->hasSelectedText()) return false;
    QGuiApplication::clipboard()->setText(combo2_->currentText());
    return true;
}

}  // namespace tobrisk
