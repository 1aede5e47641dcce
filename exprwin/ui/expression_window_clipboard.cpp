// Ctrl+C in the expression window: with nothing selected in a line, the result line goes to
// the clipboard, so a result reaches another program without selecting it first. A selection
// the user made is copied by the line itself, as usual. The whole entry line that a calculation
// leaves selected (so that typing replaces it) counts as no selection until the user touches
// the line: type a line, Enter, Ctrl+C copies the result.

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "exprwin/ui/expression_window.h"

namespace tobrisk {

namespace {

bool isModifierKey(int key) {
    return key == Qt::Key_Control || key == Qt::Key_Shift || key == Qt::Key_Alt ||
           key == Qt::Key_Meta || key == Qt::Key_AltGr;
}

}  // namespace

bool ExpressionWindow::clipboardEvent(QObject* watched, QEvent* e) {
    QLineEdit* line = nullptr;
    for (QComboBox* c : {combo1_, combo2_})
        if (watched == c || watched == c->lineEdit()) line = c->lineEdit();
    if (!line) return false;
    const bool entry = line == combo1_->lineEdit();
    if (e->type() == QEvent::MouseButtonPress && entry) calculationSelection_ = false;
    if (e->type() != QEvent::KeyPress) return false;

    const auto& k = *static_cast<QKeyEvent*>(e);
    const auto mods = k.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier |
                                       Qt::MetaModifier);
    if (k.key() != Qt::Key_C || mods != Qt::ControlModifier) {
        if (entry && !isModifierKey(k.key())) calculationSelection_ = false;
        return false;
    }
    const bool userSelection = line->hasSelectedText() && !(entry && calculationSelection_);
    if (userSelection) return false;
    QGuiApplication::clipboard()->setText(combo2_->currentText());
    return true;
}

}  // namespace tobrisk
