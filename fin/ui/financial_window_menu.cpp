// The financial window's pop-up menu, the periods box with its arrows, "Topmost
// Window" and the message box.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>

#include "fin/ui/financial_window.h"
#include "fin/ui/period_arrows.h"
#include "platform/qt/frame_placement.h"

namespace tobrisk {

void FinancialWindow::buildMenu() {
    menu_ = new QMenu(this);
    menu_->setObjectName("PopupMenu1");
    auto add = [this](QMenu* into, const char* name, const char* text, const QKeySequence& keys,
                      auto handler) {
        auto* a = new QAction(QString::fromUtf8(text), this);
        a->setObjectName(name);
        if (!keys.isEmpty()) {
            a->setShortcut(keys);
            a->setShortcutContext(Qt::WindowShortcut);
        }
        connect(a, &QAction::triggered, this, handler);
        into->addAction(a);
        addAction(a);  // shortcuts work whenever the window is active
        return a;
    };
    add(menu_, "CalculadoradeExprsses1", "Expression Calculator", QKeySequence("Ctrl+E"),
        [this] { host_.switchCalculator(Calculator::Financial, Calculator::Expression); });
    add(menu_, "RPNCalculator1", "RPN Calculator", QKeySequence("Ctrl+R"),
        [this] { host_.switchCalculator(Calculator::Financial, Calculator::Rpn); });
    add(menu_, "Ajuda1", "Help", QKeySequence("Ctrl+F1"), [this] { host_.openHelpFile(); });
    add(menu_, "Refernciarpida1", "Built-in Help", QKeySequence(Qt::Key_F1),
        [this] { host_.showBuiltInHelp(Calculator::Financial); });
    add(menu_, "Mostrarprecisomxima1", "Shows more precision", QKeySequence("Ctrl+P"),
        [this] { Mostrarprecisomxima1Click(); });
    add(menu_, "Fonte1", "Font...", QKeySequence("Ctrl+M"), [this] { Fonte1Click(); });
    QMenu* language = menu_->addMenu("Language");
    language->setObjectName("Language1");
    english1_ = add(language, "English1", "English", QKeySequence(), [this] { English1Click(); });
    portuguese1_ =
        add(language, "Portuguese1", "Portuguese", QKeySequence(), [this] { Portuguese1Click(); });
    english1_->setCheckable(true);
    portuguese1_->setCheckable(true);
    english1_->setChecked(true);
    add(menu_, "About1", "About...", QKeySequence(), [this] { host_.showAbout(); });
}

bool FinancialWindow::english() const {
    return english1_->isChecked();
}

void FinancialWindow::English1Click() {
    english1_->setChecked(true);  // a checkable action toggles itself when triggered
    portuguese1_->setChecked(false);
    applyLanguage();
}

void FinancialWindow::Portuguese1Click() {
    portuguese1_->setChecked(true);
    english1_->setChecked(false);
    applyLanguage();
}

void FinancialWindow::Mostrarprecisomxima1Click() {
    model_->showMorePrecision();
}

void FinancialWindow::Fonte1Click() {
    host_.chooseExpressionFont();
}

void FinancialWindow::Edit1Change() {
    if (periodsEcho_) return;
    bool ok = false;
    int value = edit1_->text().trimmed().toInt(&ok);
    if (ok) {
        // Out of range: the value in effect is the nearer limit, and the box shows
        // it.
        int clamped = std::clamp(value, upDown1_->minimum(), upDown1_->maximum());
        if (clamped != value) {
            periodsEcho_ = true;
            edit1_->setText(QString::number(clamped));
            periodsEcho_ = false;
        }
        upDown1_->setPosition(clamped);
    } else {
        periodsEcho_ = true;
        edit1_->setText(lastValidPeriods_.isEmpty() ? QString::number(upDown1_->position())
                                                    : lastValidPeriods_);
        periodsEcho_ = false;
    }
    lastValidPeriods_ = edit1_->text();
    model_->setPeriodsPerRate(upDown1_->position());
    record_.setSlot(layout::kFinPeriods, upDown1_->position());
}

void FinancialWindow::UpDown1Changing(int direction) {
    int next = upDown1_->position() + (direction > 0 ? 1 : -1);
    if (next < upDown1_->minimum() || next > upDown1_->maximum()) return;  // no wrap
    upDown1_->setPosition(next);
    edit1_->setText(QString::number(next));  // runs the periods box handling
}

void FinancialWindow::setTopmost(bool on) {
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on) return;
    const bool visible = isVisible();
    FramePlacement& placement = FramePlacement::of(this);
    const QPoint at = placement.frameTopLeft();
    switchingTopmost_ = true;
    setWindowFlag(Qt::WindowStaysOnTopHint, on);  // hides the window
    if (visible) {
        placement.placeFrameAt(at);
        show();
    }
    switchingTopmost_ = false;
}

void FinancialWindow::CheckBox1Click() {
    const bool on = checkBox1_->isChecked();
    if (on) {
        // One always-on-top window at a time.
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w == this || !w->isVisible() ||
                !w->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
                continue;
            FramePlacement& placement = FramePlacement::of(w);
            const QPoint at = placement.frameTopLeft();
            w->setWindowFlag(Qt::WindowStaysOnTopHint, false);
            placement.placeFrameAt(at);
            w->show();
        }
    }
    setTopmost(on);
    record_.setSlot(layout::kFinTopmost, on ? 1 : 0);
}

void FinancialWindow::showModalMessage(const std::string& text) {
    // The box must not hide behind an always-on-top window.
    const bool topmost = checkBox1_->isChecked() && isVisible();
    if (topmost) setTopmost(false);
    services_.dialogs.message("Tobrisk", text);
    if (topmost) setTopmost(true);
}

}  // namespace tobrisk
