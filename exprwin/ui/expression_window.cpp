#include "exprwin/ui/expression_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QVBoxLayout>

#include "exprwin/expression_controller.h"
#include "platform/qt/desktop_platform.h"
#include "platform/qt/frame_placement.h"
#include "platform/qt/text_encoding.h"

namespace tobrisk {

using namespace layout;

namespace {

constexpr int kDesignWidth = 300;
constexpr int kLineHeight = 24;
constexpr int kDesignHeight = 2 * kLineHeight + 6;
const QColor kNotice(136, 68, 34);
const QColor kGrey(136, 136, 136);

// A drop-down line that says when its list opens, whether by mouse or by keyboard (Alt+Down,
// F4): the result line's `Combo2DropDown` hangs on it.
class DropDownLine : public QComboBox {
  public:
    using QComboBox::QComboBox;
    std::function<void()> onDropDown;
    void showPopup() override {
        if (onDropDown) onDropDown();
        QComboBox::showPopup();
    }
};

DropDownLine* makeLine(QWidget* parent, const char* name) {
    auto* c = new DropDownLine(parent);
    c->setObjectName(name);
    c->setEditable(true);
    // A right click anywhere opens the window's menu, not the text field's own.
    c->setContextMenuPolicy(Qt::NoContextMenu);
    c->lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setMaxVisibleItems(20);
    c->setFixedHeight(kLineHeight);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    // Button-face background, as the lines are drawn on the window's face.
    QPalette p = c->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Button));
    c->setPalette(p);
    return c;
}

}  // namespace

struct ExpressionWindow::MenuActions {
    QAction* degrees = nullptr;
    QAction* radians = nullptr;
    QAction* automatic = nullptr;
    QAction* two = nullptr;
    QAction* four = nullptr;
    QAction* somaYes = nullptr;
    QAction* somaNo = nullptr;
    QAction* bigYes = nullptr;
    QAction* bigNo = nullptr;
    QAction* intYes = nullptr;
    QAction* intNo = nullptr;
};

ExpressionWindow::ExpressionWindow(DataRecord& record, RecordFiles& files, AppServices& services,
                                   CalculatorHost& host, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      record_(record),
      files_(files),
      services_(services),
      host_(host),
      actions_(std::make_unique<MenuActions>()) {
    setObjectName("TForm1");
    // FormShow makes the window topmost; set before the first show, the flag needs no hiding
    // and re-showing of a window that is being shown.
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    QFont design("Tahoma", 10);
    design.setBold(true);
    setFont(design);
    auto* entryLine = makeLine(this, "Combo1");
    // The line being typed when the history list opens: Down past the newest brings it back.
    entryLine->onDropDown = [this] { typedBeforeList_ = entryText(); };
    combo1_ = entryLine;
    auto* resultLine = makeLine(this, "Combo2");
    // Combo2DropDown: opening the listing turns the text back to the user's colour.
    resultLine->onDropDown = [this] { setResultColour(ResultColour::Normal); };
    combo2_ = resultLine;
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(2, 2, 3, 2);
    lay->setSpacing(2);
    lay->addWidget(combo1_);
    lay->addWidget(combo2_);
    lay->setSizeConstraint(QLayout::SetFixedSize);
    timer1_ = new QTimer(this);
    timer1_->setObjectName("Timer1");
    timer1_->setInterval(10000);

    combo1_->setFont(design);
    combo2_->setFont(design);

    // Creation: load the record (or make a new one) before any other window exists.
    const QRect screen = QApplication::primaryScreen() ? QApplication::primaryScreen()->geometry()
                                                       : QRect(0, 0, 1024, 768);
    NewRecordContext ctx;
    ctx.today = services_.clock.now();
    ctx.programFolder = fromQString(QString::fromStdString(services_.programFolder));
    ctx.entryFont = FontSpec{"Tahoma", 10, kBold, static_cast<int>(0x80000008u)};
    ctx.exprWidth = kDesignWidth;
    ctx.exprHeight = kDesignHeight;
    ctx.screenWidth = screen.width();
    ctx.screenHeight = screen.height();
    ctx.separators = services_.separators;
    LoadOutcome outcome = files_.loadAtStart(ctx);

    controller_ = std::make_unique<ExpressionController>(record_, services_, *this);
    buildMenu();
    if (outcome.created) controller_->showWelcome();
    applySavedState();
    controller_->start();
    refreshCaption();
    refreshOptionChecks();

    combo1_->installEventFilter(this);
    combo1_->lineEdit()->installEventFilter(this);
    combo2_->installEventFilter(this);
    combo2_->lineEdit()->installEventFilter(this);
    connect(combo1_, qOverload<int>(&QComboBox::activated), this, [this](int i) {
        controller_->historyChosen(i, typedBeforeList_);
        combo1_->setEditText(combo1_->itemText(i));
    });
    connect(timer1_, &QTimer::timeout, this, [this] { controller_->timerTick(); });
    timer1_->start();
}

ExpressionWindow::~ExpressionWindow() {
    // The lines and the timer outlive this part of the object; none of their signals or events
    // may reach it while the base class destroys them.
    timer1_->stop();
    for (QObject* child : {static_cast<QObject*>(combo1_), static_cast<QObject*>(combo2_),
                           static_cast<QObject*>(timer1_)})
        child->disconnect(this);
    for (QObject* watched :
         {static_cast<QObject*>(combo1_), static_cast<QObject*>(combo2_),
          static_cast<QObject*>(combo1_->lineEdit()), static_cast<QObject*>(combo2_->lineEdit())})
        watched->removeEventFilter(this);
}

// ---- Services for the controller ----

std::string ExpressionWindow::entryText() const {
    return fromQString(combo1_->currentText());
}

void ExpressionWindow::setEntryText(const std::string& text) {
    combo1_->setEditText(toQString(text));
}

void ExpressionWindow::selectAllEntry() {
    combo1_->lineEdit()->selectAll();
    calculationSelection_ = true;
}

std::string ExpressionWindow::resultText() const {
    return fromQString(combo2_->currentText());
}

void ExpressionWindow::setResultText(const std::string& text) {
    combo2_->setEditText(toQString(text));
    combo2_->lineEdit()->setCursorPosition(0);
}

void ExpressionWindow::setResultColour(ResultColour c) {
    resultColour_ = c;
    QColor col = c == ResultColour::Notice ? kNotice
                 : c == ResultColour::Grey ? kGrey
                                           : fontColour();
    if (greyed_) col = palette().color(QPalette::Dark);
    QPalette p = combo2_->palette();
    p.setColor(QPalette::Text, col);
    combo2_->setPalette(p);
    combo2_->lineEdit()->setPalette(p);
}

void ExpressionWindow::addHistory(const std::string& line) {
    combo1_->addItem(toQString(line));
}

void ExpressionWindow::clearHistory() {
    const QString text = combo1_->currentText();
    combo1_->clear();
    combo1_->setEditText(text);
}

std::optional<std::string> ExpressionWindow::lastHistoryItem() const {
    if (combo1_->count() == 0) return std::nullopt;
    return fromQString(combo1_->itemText(combo1_->count() - 1));
}

std::vector<std::string> ExpressionWindow::history() const {
    std::vector<std::string> out;
    for (int i = 0; i < combo1_->count(); ++i) out.push_back(fromQString(combo1_->itemText(i)));
    return out;
}

void ExpressionWindow::setListing(const std::vector<std::string>& lines) {
    // Rebuilding the listing keeps the result line's text.
    const QString text = combo2_->currentText();
    combo2_->blockSignals(true);
    combo2_->clear();
    for (const auto& l : lines) combo2_->addItem(toQString(l));
    combo2_->setEditText(text);
    combo2_->lineEdit()->setCursorPosition(0);
    combo2_->blockSignals(false);
}

void ExpressionWindow::setTimerInterval(int ms) {
    if (timer1_->interval() != ms) timer1_->setInterval(ms);
}

void ExpressionWindow::repaintNow() {
    combo2_->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ExpressionWindow::setCaption(const std::string& caption) {
    setWindowTitle(toQString(caption));
}

// ---- Geometry, fonts, options ----

QColor ExpressionWindow::fontColour() const {
    const auto c = static_cast<uint32_t>(record_.exprFont().colour);
    if (c & 0x80000000u) return QApplication::palette().color(QPalette::WindowText);
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

void ExpressionWindow::setLineWidth(int w) {
    lineWidth_ = w;
    combo1_->setFixedWidth(w);
    combo2_->setFixedWidth(w);
    adjustSize();
}

void ExpressionWindow::applyFont() {
    const FontSpec spec = record_.exprFont();
    const QFont f = toQFont(spec);
    combo1_->setFont(f);
    combo2_->setFont(f);
    const int h = QFontMetrics(f).height() + 8;
    combo1_->setFixedHeight(std::max(kLineHeight, h));
    combo2_->setFixedHeight(std::max(kLineHeight, h));
    QPalette p = combo1_->palette();
    p.setColor(QPalette::Text, greyed_ ? palette().color(QPalette::Dark) : fontColour());
    combo1_->setPalette(p);
    combo1_->lineEdit()->setPalette(p);
    setResultColour(resultColour_);
    adjustSize();
}

void ExpressionWindow::applySavedState() {
    const int width = record_.slot(kExprWidth);
    setLineWidth(std::max(50, width - 5));
    applyFont();
    // A position saved on a larger screen is pulled back so the whole frame is on this one.
    FramePlacement::of(this).placeOnScreen(QPoint(record_.slot(kExprLeft), record_.slot(kExprTop)));
    controller_->applyOptions();
    refreshOptionChecks();
}

void ExpressionWindow::gatherInto(DataRecord& record) const {
    record.setSlot(kExprWidth, lineWidth_ + 5);
    record.setSlot(kExprHeight, height());
    const QPoint frame = FramePlacement::frameTopLeftOf(this);
    record.setSlot(kExprTop, frame.y());
    record.setSlot(kExprLeft, frame.x());
    controller_->gatherOptions(record);
}

void ExpressionWindow::refreshCaption() {
    setCaption(controller_->caption());
}

void ExpressionWindow::refreshOptionChecks() {
    if (!actions_->degrees) return;
    const bool deg = controller_->degrees();
    actions_->degrees->setChecked(deg);
    actions_->radians->setChecked(!deg);
    actions_->somaYes->setChecked(record_.slot(kAutoSoma) == 1);
    actions_->somaNo->setChecked(record_.slot(kAutoSoma) != 1);
    actions_->bigYes->setChecked(record_.slot(kFactorBig) == 1);
    actions_->bigNo->setChecked(record_.slot(kFactorBig) != 1);
    actions_->intYes->setChecked(record_.slot(kIntegersWithoutDecimals) == 1);
    actions_->intNo->setChecked(record_.slot(kIntegersWithoutDecimals) != 1);
}

void ExpressionWindow::setFocusGreyed(bool greyed) {
    greyed_ = greyed;
    // Regaining the focus gives both lines the user's colour, a notice's colour included.
    if (!greyed) resultColour_ = ResultColour::Normal;
    applyFont();
}

// ---- Menu ----

void ExpressionWindow::buildMenu() {
    menu_ = new QMenu(this);
    menu_->setObjectName("PopupMenu1");
    auto add = [this](QMenu* m, const char* name, const QString& caption, QKeySequence key,
                      std::function<void()> fn) {
        auto* a = m->addAction(caption);
        a->setObjectName(name);
        if (!key.isEmpty()) {
            a->setShortcut(key);
            a->setShortcutContext(Qt::WindowShortcut);
            addAction(a);  // shortcuts work while the window has the focus, menu closed
        }
        connect(a, &QAction::triggered, this, [fn] { fn(); });
        return a;
    };
    add(menu_, "RPNCalculator1", "RPN Calculator...", QKeySequence("Ctrl+R"),
        [this] { host_.switchCalculator(Calculator::Expression, Calculator::Rpn); });
    add(menu_, "CalcFinanceira1", "Financial Calculator...", QKeySequence("Ctrl+F"),
        [this] { host_.switchCalculator(Calculator::Expression, Calculator::Financial); });
    add(menu_, "Help1", "Help", QKeySequence("Ctrl+F1"), [this] { host_.openHelpFile(); });
    add(menu_, "RefernciaRpida1", "Built-in Help", QKeySequence("F1"),
        [this] { host_.showBuiltInHelp(Calculator::Expression); });

    QMenu* options = menu_->addMenu("Options");
    options->setObjectName("Opes1");
    QMenu* angle = options->addMenu("Angular Unity");
    angle->setObjectName("UnidadeAngular1");
    actions_->degrees =
        add(angle, "Graus1", "Degrees", QKeySequence("Ctrl+T"), [this] { toggleAngleUnit(); });
    actions_->radians =
        add(angle, "Radianos1", "Radians", QKeySequence(), [this] { toggleAngleUnit(); });
    actions_->radians->setShortcut(QKeySequence("Ctrl+T"));  // shown; one action handles it
    actions_->radians->setShortcutContext(Qt::WidgetShortcut);
    actions_->degrees->setCheckable(true);
    actions_->radians->setCheckable(true);

    QMenu* decimals = options->addMenu("Decimal Places");
    decimals->setObjectName("CasasDecimais1");
    actions_->automatic = add(decimals, "Padro1", "Automatic", QKeySequence("Ctrl+Delete"),
                              [this] { setAutomaticDecimals(); });
    actions_->two =
        add(decimals, "N21", "2", QKeySequence("Ctrl+2"), [this] { setDecimalPlaces(2); });
    actions_->four =
        add(decimals, "N41", "4", QKeySequence("Ctrl+4"), [this] { setDecimalPlaces(4); });
    add(options, "Fonte1", "Font...", QKeySequence("Ctrl+M"),
        [this] { host_.chooseExpressionFont(); });

    auto yesNo = [&](const char* title, const char* menuName, const char* yesName,
                     const char* noName, int slot, QAction*& yes, QAction*& no) {
        QMenu* m = options->addMenu(title);
        m->setObjectName(menuName);
        yes = add(m, yesName, "Yes", QKeySequence(), [this, slot] {
            record_.setSlot(slot, 1);
            refreshOptionChecks();
        });
        no = add(m, noName, "No", QKeySequence(), [this, slot] {
            record_.setSlot(slot, 0);
            refreshOptionChecks();
        });
        yes->setCheckable(true);
        no->setCheckable(true);
    };
    yesNo("Automatic Soma Mode", "AutomaticSomaMode1", "Yes1", "No3", kAutoSoma, actions_->somaYes,
          actions_->somaNo);
    yesNo("Factor Big Numbers", "FatorarNmerosGrandes1", "Sim1", "No1", kFactorBig,
          actions_->bigYes, actions_->bigNo);
    yesNo("Show Integers Without Decimals", "MostrarInteiros1", "Sim2", "No2",
          kIntegersWithoutDecimals, actions_->intYes, actions_->intNo);

    QMenu* file = menu_->addMenu("File");
    file->setObjectName("Arquivo1");
    add(file, "Abrir1", "Open...", QKeySequence("Ctrl+O"), [this] { Abrir1Click(); });
    add(file, "SalvarComo1", "Save As...", QKeySequence("Ctrl+S"), [this] { SalvarComo1Click(); });

    // Enter and Ctrl+Enter are handled by the key filter (both keypad and main Enter keys);
    // the entries show them.
    auto* calc = add(menu_, "CalcularExpresso1", "Calculate Line", QKeySequence(),
                     [this] { CalcularExpresso1Click(); });
    calc->setShortcut(QKeySequence(Qt::Key_Return));
    calc->setShortcutContext(Qt::WidgetShortcut);
    auto* frac = add(menu_, "CalcularcomoFraes1", "Calculate in Fraction Mode", QKeySequence(),
                     [this] { CalcularcomoFraes1Click(); });
    frac->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
    frac->setShortcutContext(Qt::WidgetShortcut);
    add(menu_, "FatorarNmero1", "Factor Integer", QKeySequence("Ctrl+Shift+F"),
        [this] { FatorarNmero1Click(); });
    add(menu_, "Sobre1", "About...", QKeySequence(), [this] { host_.showAbout(); });
}

void ExpressionWindow::contextMenuEvent(QContextMenuEvent* e) {
    menu_->popup(e->globalPos());
}

// ---- Commands ----

void ExpressionWindow::CalcularExpresso1Click() {
    controller_->calculateLine(false);
}

void ExpressionWindow::CalcularcomoFraes1Click() {
    controller_->calculateLine(true);
}

void ExpressionWindow::FatorarNmero1Click() {
    controller_->factorInteger();
}

void ExpressionWindow::toggleAngleUnit() {
    controller_->toggleAngleUnit();
    refreshCaption();
    refreshOptionChecks();
}

void ExpressionWindow::setDecimalPlaces(int d) {
    controller_->setDecimalPlaces(d);
}

void ExpressionWindow::setAutomaticDecimals() {
    controller_->setAutomaticDecimals();
}

void ExpressionWindow::Abrir1Click() {
    files_.open([this] {
        // The loaded record names the calculator its file was saved from; the one in use is
        // this one, and a later paint must not switch away from it.
        record_.setActiveCalculator(static_cast<int32_t>(Calculator::Expression));
        applySavedState();
        controller_->recordReplaced();
    });
}

void ExpressionWindow::SalvarComo1Click() {
    files_.saveAs([this] {
        gatherInto(record_);
        if (gatherOthers_) gatherOthers_(record_);
    });
}

void ExpressionWindow::chooseFont(const std::function<void(const FontSpec&)>& applyToFinancial,
                                  const std::function<void(const std::string&)>& showRefusal) {
    if (const auto refusal = controller_->chooseFont(static_cast<bool>(showRefusal)))
        showRefusal(*refusal);
    applyFont();
    if (applyToFinancial) applyToFinancial(record_.exprFont());
}

bool ExpressionWindow::calculateForRpn(const std::string& line) {
    return controller_->calculateForRpn(line);
}

// ---- Keys ----

void ExpressionWindow::encloseEntry(bool caretAtEnd) {
    QLineEdit* le = combo1_->lineEdit();
    QString t = le->text();
    if (!(t.startsWith('(') && t.endsWith(')'))) {
        t = "(" + t + ")";
        le->setText(t);
    }
    le->setCursorPosition(caretAtEnd ? static_cast<int>(t.size()) : 0);
}

bool ExpressionWindow::handleKey(QKeyEvent* k) {
    const auto mods = k->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const int key = k->key();
    const QRect screen = QApplication::primaryScreen() ? QApplication::primaryScreen()->geometry()
                                                       : QRect(0, 0, 1024, 768);
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (mods == Qt::ControlModifier) {
            CalcularcomoFraes1Click();
            return true;
        }
        if (mods == Qt::NoModifier) {
            CalcularExpresso1Click();
            return true;
        }
        return false;
    }
    if (key == Qt::Key_R && mods == (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier)) {
        controller_->showTrace();
        return true;
    }
    if ((key == Qt::Key_End || key == Qt::Key_Home) &&
        (mods == Qt::ControlModifier || mods == Qt::ShiftModifier)) {
        encloseEntry(key == Qt::Key_End);
        return true;
    }
    if (mods == Qt::ControlModifier && key == Qt::Key_Left) {
        if (width() >= screen.width() / 6)
            setLineWidth(std::max(lineWidth_ - 14, screen.width() / 7));
        return true;
    }
    if (mods == Qt::ControlModifier && key == Qt::Key_Right) {
        if (width() <= screen.width()) setLineWidth(std::min(lineWidth_ + 14, screen.width()));
        return true;
    }
    if (mods == Qt::ControlModifier && key >= Qt::Key_0 && key <= Qt::Key_9 &&
        !(k->modifiers() & Qt::KeypadModifier)) {
        setDecimalPlaces(key - Qt::Key_0);
        return true;
    }
    return false;
}

bool ExpressionWindow::historyKey(QObject* watched, QKeyEvent* k) {
    // Up and Down in the entry line walk the history as a shell does; the list's own stepping
    // would start at its oldest item.
    if (watched != combo1_ && watched != combo1_->lineEdit()) return false;
    const auto mods = k->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (mods != Qt::NoModifier) return false;
    if (k->key() == Qt::Key_Up)
        controller_->historyUp();
    else if (k->key() == Qt::Key_Down)
        controller_->historyDown();
    else
        return false;
    return true;
}

bool ExpressionWindow::eventFilter(QObject* watched, QEvent* e) {
    if (clipboardEvent(watched, e)) return true;
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (handleKey(k) || historyKey(watched, k)) return true;
    }
    return QWidget::eventFilter(watched, e);
}

// ---- Window events ----

void ExpressionWindow::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // FormShow: the expression window is always on top.
    if (!(windowFlags() & Qt::WindowStaysOnTopHint)) {
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
        show();
    }
}

void ExpressionWindow::paintEvent(QPaintEvent* e) {
    QWidget::paintEvent(e);
    if (onPaint_) onPaint_();
}

void ExpressionWindow::closeEvent(QCloseEvent* e) {
    const bool saved = files_.saveAtClose([this] {
        gatherInto(record_);
        if (gatherOthers_) gatherOthers_(record_);
    });
    if (!saved) {
        e->ignore();
        return;
    }
    e->accept();
    QApplication::quit();
}

}  // namespace tobrisk
