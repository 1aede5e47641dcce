#include "shell/ui/app_shell.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>

#include "exprwin/ui/expression_window.h"
#include "platform/qt/desktop_launcher_qt.h"
#include "platform/qt/frame_placement.h"
#include "platform/qt/shortcut_names.h"
#include "shell/help_lookup.h"

#if __has_include("fin/ui/financial_window.h")
#include "fin/ui/financial_window.h"
#define TOBRISK_HAVE_FIN_WINDOW 1
#endif
#if __has_include("rpn/ui/rpn_window.h")
#include "rpn/ui/rpn_window.h"
#define TOBRISK_HAVE_RPN_WINDOW 1
#endif
#if __has_include("shell/ui/help_window.h")
#include "shell/ui/help_window.h"
#define TOBRISK_HAVE_HELP_WINDOW 1
#endif
#if __has_include("shell/ui/about_box.h")
#include "shell/ui/about_box.h"
#define TOBRISK_HAVE_ABOUT_BOX 1
#endif

namespace tobrisk {

namespace {

// A bare calculator frame for a window whose content is not built in.
class [[maybe_unused]] FrameWindow : public QWidget {
  public:
    FrameWindow(const char* name, const char* caption, CalculatorHost& host, Calculator self)
        : QWidget(nullptr, Qt::Window), host_(host), self_(self) {
        setObjectName(name);
        setWindowTitle(caption);
        setFixedSize(300, 200);
    }

  protected:
    void closeEvent(QCloseEvent* e) override {
        e->accept();
        if (!host_.closing()) host_.closeFrom(self_);
    }

  private:
    CalculatorHost& host_;
    Calculator self_;
};

[[maybe_unused]] QWidget* plainWindow(const char* name, const char* caption) {
    auto* w = new QWidget(nullptr, Qt::Window);
    w->setObjectName(name);
    w->setWindowTitle(caption);
    return w;
}

}  // namespace

AppShell::AppShell(AppServices& services, QObject* parent)
    : QObject(parent),
      services_(services),
      files_(record_, services),
      desktopLauncher_(std::make_unique<QtDesktopLauncher>()),
      launcher_(desktopLauncher_.get()) {
    useMenuKeyNames();
    // A key acts only in the window that received its press (switching shortcuts act on the
    // press; the RPN window acts on releases).
    qApp->installEventFilter(&keyGate_);
}

AppShell::~AppShell() {
    for (QWidget* w : {help7_, rpn_, about_, help4_, help3_, fin_}) delete w;
    delete expr_;
}

void AppShell::start() {
    expr_ = new ExpressionWindow(record_, files_, services_, *this);
    expr_->setGatherOthers([this](DataRecord& r) { gatherOthers(r); });
    expr_->setOnPaint([this] { redirectOnPaint(); });
    connect(qApp, &QApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
        if (expr_) expr_->setFocusGreyed(s != Qt::ApplicationActive);
    });
    expr_->show();
    // The other windows cost start-up time that the user would see: they are made right after
    // the first paint (or after a second, for a window that is never painted), and every path
    // that needs one makes them first.
    QTimer::singleShot(1000, this, [this] { ensureWindows(); });
}

void AppShell::ensureWindows() {
    if (fin_) return;
#ifdef TOBRISK_HAVE_FIN_WINDOW
    fin_ = new FinancialWindow(record_, services_, *this);
#else
    fin_ = new FrameWindow("TForm2", "Tobrisk FIN", *this, Calculator::Financial);
#endif
#ifdef TOBRISK_HAVE_HELP_WINDOW
    help3_ = new HelpWindow(HelpKind::Expression);
    help4_ = new HelpWindow(HelpKind::Financial);
#else
    help3_ = plainWindow("TForm3", "Tobrisk Built-in Help");
    help4_ = plainWindow("TForm4", "Tobrisk FIN Built-in Help");
#endif
#ifdef TOBRISK_HAVE_ABOUT_BOX
    about_ = new AboutBox();
#else
    about_ = plainWindow("TAboutBox", "About Tobrisk");
#endif
#ifdef TOBRISK_HAVE_RPN_WINDOW
    rpn_ = new RpnWindow(record_, services_, *this);
#else
    rpn_ = new FrameWindow("TForm6", "Tobrisk RPN", *this, Calculator::Rpn);
    rpn_->move(record_.rpnLeft(), record_.rpnTop());
#endif
#ifdef TOBRISK_HAVE_HELP_WINDOW
    help7_ = new HelpWindow(HelpKind::Rpn);
#else
    help7_ = plainWindow("TForm7", "Tobrisk RPN Built-in Help");
#endif
}

void AppShell::bringToFront() {
    ensureWindows();
    for (QWidget* w : {static_cast<QWidget*>(expr_), fin_, rpn_}) {
        if (!w || !w->isVisible()) continue;
        w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
        w->raise();
        w->activateWindow();
        return;
    }
}

QWidget* AppShell::financialWindow() {
    ensureWindows();
    return fin_;
}

QWidget* AppShell::rpnWindow() {
    ensureWindows();
    return rpn_;
}

QWidget* AppShell::aboutBox() {
    ensureWindows();
    return about_;
}

QWidget* AppShell::calculatorWindow(Calculator which) {
    if (which != Calculator::Expression) ensureWindows();
    switch (which) {
        case Calculator::Expression:
            return expr_;
        case Calculator::Financial:
            return fin_;
        case Calculator::Rpn:
            return rpn_;
    }
    return expr_;
}

QWidget* AppShell::helpWindow(Calculator which) {
    ensureWindows();
    switch (which) {
        case Calculator::Expression:
            return help3_;
        case Calculator::Financial:
            return help4_;
        case Calculator::Rpn:
            return help7_;
    }
    return help3_;
}

void AppShell::redirectOnPaint() {
    if (!othersQueued_) {
        othersQueued_ = true;
        QTimer::singleShot(0, this, [this] { ensureWindows(); });
    }
    if (closing_ || redirecting_) return;
    const int32_t active = record_.activeCalculator();
    if (active != 1 && active != 2) return;
    ensureWindows();
    // Runs once in practice: every switch back to the expression window sets the field to 0.
    redirecting_ = true;
    QWidget* target = active == 1 ? fin_ : rpn_;
    expr_->hide();
    target->show();
    target->raise();
    target->activateWindow();
    redirecting_ = false;
}

void AppShell::switchCalculator(Calculator from, Calculator to) {
    ensureWindows();
    QWidget* a = calculatorWindow(from);
    QWidget* b = calculatorWindow(to);
    if (a == b) return;
    // B's frame takes A's frame corner; B's own frame may be unknown while it is hidden, and
    // A's is the same window manager's.
    const FramePlacement& at = FramePlacement::of(a);
    FramePlacement::of(b).placeFrameAt(at.frameTopLeft(), at.margins());
    record_.setActiveCalculator(static_cast<int32_t>(to));
    a->hide();
    b->show();
    b->raise();
    b->activateWindow();
    if (QWidget* h = helpWindow(from); h && h->isVisible()) h->close();
    services_.alerts.play(AlertKind::Question);
}

void AppShell::closeFrom(Calculator from) {
    (void)from;
    closing_ = true;
    if (expr_ && !expr_->close()) closing_ = false;  // the user chose to stay and save elsewhere
}

void AppShell::gatherOthers(DataRecord& record) {
    ensureWindows();
#ifdef TOBRISK_HAVE_FIN_WINDOW
    static_cast<FinancialWindow*>(fin_)->gatherInto(record);
#else
    record.setSlot(layout::kFinTop, fin_->y());
    record.setSlot(layout::kFinLeft, fin_->x());
#endif
#ifdef TOBRISK_HAVE_RPN_WINDOW
    static_cast<RpnWindow*>(rpn_)->gatherInto(record);
#else
    record.setRpnTop(rpn_->y());
    record.setRpnLeft(rpn_->x());
#endif
}

void AppShell::showBuiltInHelp(Calculator which) {
    ensureWindows();
    QWidget* calc = calculatorWindow(which);
#ifdef TOBRISK_HAVE_HELP_WINDOW
    static_cast<HelpWindow*>(helpWindow(which))->showBeside(calc, services_.alerts);
#else
    services_.alerts.play(AlertKind::Asterisk);
    helpWindow(which)->show();
#endif
    // The calculator keeps the keyboard.
    calc->raise();
    calc->activateWindow();
}

void AppShell::openHelpFile() {
    openHelp(services_.programFolder, *launcher_, services_.dialogs);
}

void AppShell::showAbout() {
    ensureWindows();
#ifdef TOBRISK_HAVE_ABOUT_BOX
    QWidget* caller = calculatorWindow(static_cast<Calculator>(record_.activeCalculator()));
    if (caller && !caller->isVisible()) caller = QApplication::activeWindow();
    static_cast<AboutBox*>(about_)->present(caller);
#else
    about_->show();
    about_->raise();
    about_->activateWindow();
#endif
}

void AppShell::applyFinancialFont(const FontSpec& font) {
    ensureWindows();
#ifdef TOBRISK_HAVE_FIN_WINDOW
    static_cast<FinancialWindow*>(fin_)->applyNumberFont(font);
#else
    (void)font;
#endif
}

void AppShell::chooseExpressionFont() {
    std::function<void(const std::string&)> showRefusal;
    if (record_.activeCalculator() == static_cast<int32_t>(Calculator::Financial)) {
        // Asked from the financial window: its user does not see the expression result line.
        showRefusal = [this](const std::string& text) {
            services_.dialogs.message("Tobrisk FIN", text, MessageKind::Warning);
        };
    }
    expr_->chooseFont([this](const FontSpec& f) { applyFinancialFont(f); }, showRefusal);
}

bool AppShell::calculateExpressionLine(const std::string& line, std::string& message) {
    if (expr_->calculateForRpn(line)) return true;
    message = expr_->resultText();
    return false;
}

}  // namespace tobrisk
