// The financial window: its controls at their design places, creation and
// showing, the value fields' events and the bridge to the model.

#include "fin/ui/financial_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>
#include <algorithm>

#include "fin/ui/period_arrows.h"
#include "platform/qt/desktop_platform.h"
#include "platform/qt/frame_placement.h"
#include "platform/qt/text_fit.h"

namespace tobrisk {

namespace {

const char* const kRightEdge = "rightEdge";

// The window's client size: the design places of the controls plus a small
// margin.
constexpr int kClientWidth = 447;
constexpr int kClientHeight = 139;

// A financial-looking 32x32 picture: a gold coin with a currency sign.
QPixmap coinIcon() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 90, 10), 1.5));
    p.setBrush(QColor(230, 185, 40));
    p.drawEllipse(QRectF(2.5, 2.5, 27, 27));
    p.setPen(QPen(QColor(150, 110, 0), 1));
    p.drawEllipse(QRectF(6, 6, 20, 20));
    QFont f("Serif");
    f.setBold(true);
    f.setPixelSize(17);
    p.setFont(f);
    p.setPen(QColor(100, 70, 0));
    p.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, QStringLiteral("$"));
    return pm;
}

}  // namespace

// The model's window, over the widgets.
class FinancialWindow::View : public FinancialView {
  public:
    explicit View(FinancialWindow& w) : w_(w) {}
    std::string fieldText(int field) const override {
        return w_.field(field)->text().toStdString();
    }
    void setFieldText(int field, const std::string& text) override {
        w_.writeFieldText(field, text);
    }
    void focusField(int field) override { w_.field(field)->setFocus(Qt::OtherFocusReason); }
    void showMessage(const std::string& text) override { w_.showModalMessage(text); }
    void applyLayout(const FinancialLayout& layout) override { w_.applyLayout(layout); }
    void selectEndOfPeriod() override {
        w_.selectingRadios_ = true;
        w_.controls_[3]->setChecked(true);
        w_.selectingRadios_ = false;
        w_.record_.setSlot(layout::kFinTiming, 1);
    }

  private:
    FinancialWindow& w_;
};

FinancialWindow::FinancialWindow(DataRecord& record, AppServices& services, CalculatorHost& host,
                                 QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      record_(record),
      services_(services),
      host_(host),
      view_(std::make_unique<View>(*this)),
      model_(
          std::make_unique<FinancialModel>(*view_, services.alerts, services.separators.decimal)) {
    setObjectName("TForm2");
    setWindowTitle("Tobrisk FIN");
    QFont base("Tahoma");
    base.setPixelSize(11);
    setFont(base);
    buildControls();
    buildMenu();
    setTabOrders();
    setFixedSize(kClientWidth, kClientHeight);
    formCreate();
}

FinancialWindow::~FinancialWindow() = default;

void FinancialWindow::buildControls() {
    auto label = [this](const char* name, const char* text, int x, int y, bool rightAligned) {
        auto* l = new QLabel(QString::fromUtf8(text), this);
        l->setObjectName(name);
        l->adjustSize();
        l->move(x, y);
        if (rightAligned) {
            // The caption grows to the left from its design right edge.
            l->setAlignment(Qt::AlignRight | Qt::AlignTop);
            l->setProperty(kRightEdge, x + l->width());
        }
        return l;
    };
    auto bigBold = [](QLabel* l, int pixels) {
        QFont f = l->font();
        f.setBold(true);
        f.setPixelSize(pixels);
        l->setFont(f);
        l->adjustSize();
    };
    auto valueField = [this](int index, int x, int y, int w, int h) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QStringLiteral("TextBox%1").arg(index));
        e->setGeometry(x, y, w, h);
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        e->installEventFilter(this);
        e->setContextMenuPolicy(Qt::NoContextMenu);  // the window menu everywhere
        fields_[static_cast<std::size_t>(index)] = e;
        connect(e, &QLineEdit::textChanged, this, [this, index] {
            // TextBox0Change ... TextBox5Change
            model_->markChanged(index, !writing_);
        });
        return e;
    };

    label1_ = label("Label1", "Present Value", 55, 0, true);
    valueField(0, 2, 16, 147, 25);
    label2_ = label("Label2", "Interest Rate", 173, 0, true);
    valueField(1, 154, 16, 97, 25);
    label9_ = label("Label9", "%", 254, 20, false);
    bigBold(label9_, 16);
    image1_ = new QLabel(this);
    image1_->setObjectName("Image1");
    image1_->setPixmap(coinIcon());
    image1_->setGeometry(282, 6, 32, 32);
    label14_ = label("Label14", "Financial", 342, 0, false);
    bigBold(label14_, 14);
    label7_ = label("Label7", "Calculator", 342, 17, false);
    bigBold(label7_, 14);
    label5_ = label("Label5", "Down Payment", 346, 0, true);
    valueField(4, 282, 16, 161, 25);
    label4_ = label("Label4", "N. Payments", 31, 40, true);
    label11_ = label("Label11", " (1+", 0, 60, false);
    valueField(2, 28, 56, 81, 25);
    label12_ = label("Label12", ")", 112, 60, false);
    label13_ = label("Label13", "x", 124, 60, false);
    for (QLabel* l : {label11_, label12_, label13_}) bigBold(l, 12);
    label6_ = label("Label6", "Payments Value ", 166, 40, true);
    valueField(3, 138, 56, 137, 25);
    label15_ = label("Label15", "Future Value", 362, 40, true);
    valueField(5, 282, 56, 161, 25);

    // Colours of the design: the rate in the active-caption colour, the payment
    // in purple, the down payment on the button face.
    QPalette rate = fields_[1]->palette();
    rate.setColor(QPalette::Text, palette().color(QPalette::Highlight));
    fields_[1]->setPalette(rate);
    QPalette pay = fields_[3]->palette();
    pay.setColor(QPalette::Text, QColor(128, 0, 128));
    fields_[3]->setPalette(pay);
    QPalette face = fields_[4]->palette();
    face.setColor(QPalette::Base, palette().color(QPalette::Button));
    fields_[4]->setPalette(face);

    groupBox1_ = new QGroupBox("Calculation Type", this);
    groupBox1_->setObjectName("GroupBox1");
    groupBox1_->setGeometry(2, 80, 151, 55);
    groupBox2_ = new QGroupBox("Payments", this);
    groupBox2_->setObjectName("GroupBox2");
    groupBox2_->setGeometry(166, 80, 135, 55);
    const char* radioTexts[4] = {"Consumer Credit", "Generic Formula", "Start of Period   ",
                                 "End of Period"};
    for (int k = 0; k < 4; ++k) {
        QGroupBox* group = k < 2 ? groupBox1_ : groupBox2_;
        auto* r = new QRadioButton(radioTexts[k], group);
        r->setObjectName(QStringLiteral("Control%1").arg(k));
        r->setGeometry(8, k % 2 == 0 ? 16 : 34, group->width() - 12, 17);
        if (k < 2) {
            QFont f = r->font();
            f.setBold(true);
            r->setFont(f);
        }
        controls_[static_cast<std::size_t>(k)] = r;
        const auto kind = static_cast<FinancialModel::Mode>(k);
        // Control0Click ... Control3Click: only a selection that changes the state
        // counts.
        connect(r, &QRadioButton::toggled, this, [this, kind](bool on) {
            if (on && !selectingRadios_) modeClicked(kind);
        });
    }

    edit1_ = new QLineEdit("12", this);
    edit1_->setObjectName("Edit1");
    edit1_->setGeometry(308, 88, 22, 24);
    edit1_->installEventFilter(this);
    edit1_->setContextMenuPolicy(Qt::NoContextMenu);
    lastValidPeriods_.clear();
    connect(edit1_, &QLineEdit::textChanged, this, [this] { Edit1Change(); });
    upDown1_ = new PeriodArrows(this);
    upDown1_->setObjectName("UpDown1");
    upDown1_->setGeometry(330, 88, 15, 24);
    upDown1_->setRange(1, 99);
    upDown1_->setPosition(12);
    upDown1_->onChanging = [this](int direction) { UpDown1Changing(direction); };
    label3_ = label("Label3", "Periods/Rate", 348, 92, false);
    label3_->setToolTip(
        QString::fromUtf8("É o número de períodos a que a taxa de juros se aplica"));
    checkBox1_ = new QCheckBox("Topmost Window", this);
    checkBox1_->setObjectName("CheckBox1");
    checkBox1_->setGeometry(310, 114, 135, 19);
    connect(checkBox1_, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
}

void FinancialWindow::setTabOrders() {
    QWidget* chain[] = {controls_[0],         controls_[1],
                        fields_[0],           fields_[1],
                        fields_[2],           fields_[3],
                        fields_[5],           controls_[2],
                        controls_[3],         fields_[4],
                        checkBox1_,           edit1_,
                        upDown1_->upButton(), upDown1_->downButton()};
    for (std::size_t k = 1; k < std::size(chain); ++k) setTabOrder(chain[k - 1], chain[k]);
}

void FinancialWindow::formCreate() {
    using namespace layout;
    // Creation reads the settings; no mode change runs before the first show.
    model_->loadSettings(record_.slot(kFinType), record_.slot(kFinTiming),
                         record_.slot(kFinPeriods));
    // Pulled back so that the whole frame is on the available area.
    FramePlacement::of(this).placeOnScreen(QPoint(record_.slot(kFinLeft), record_.slot(kFinTop)));
    for (int f : {0, 1, 2, 3, 5}) writeFieldText(f, "");
    applyNumberFont(record_.exprFont());
    const bool portuguese = record_.slot(kFinLanguage) != 0;
    english1_->setChecked(!portuguese);
    portuguese1_->setChecked(portuguese);
    applyLanguage();
}

void FinancialWindow::setVisible(bool visible) {
    const bool showing = visible && !isVisible() && !switchingTopmost_;
    if (showing)
        formShow();  // settings first, so the always-on-top state is set while
                     // hidden
    QWidget::setVisible(visible);
    if (showing) {
        fields_[0]->setFocus(Qt::OtherFocusReason);
        model_->finishInitialising();
    }
}

void FinancialWindow::formShow() {
    using namespace layout;
    const int type = record_.slot(kFinType) != 0 ? 1 : 0;
    const int timing = record_.slot(kFinTiming) != 0 ? 1 : 0;
    // A selection that changes a radio button's state runs the mode change.
    auto choose = [this](int index, FinancialModel::Mode kind) {
        QRadioButton* r = controls_[static_cast<std::size_t>(index)];
        if (r->isChecked()) return;
        selectingRadios_ = true;
        r->setChecked(true);
        selectingRadios_ = false;
        modeClicked(kind);
    };
    choose(type == 1 ? 1 : 0,
           type == 1 ? FinancialModel::Mode::GenericFormula : FinancialModel::Mode::ConsumerCredit);
    choose(timing == 1 ? 3 : 2,
           timing == 1 ? FinancialModel::Mode::EndOfPeriod : FinancialModel::Mode::StartOfPeriod);
    int periods = std::clamp(record_.slot(kFinPeriods), 1, 99);
    upDown1_->setPosition(periods);
    edit1_->setText(QString::number(periods));
    if (lastValidPeriods_.isEmpty()) Edit1Change();  // the same text: make it count once
    if (record_.slot(kFinTopmost) == 1) checkBox1_->setChecked(true);
    if (checkBox1_->isChecked()) {
        record_.setSlot(kFinTopmost, 1);
        setWindowFlag(Qt::WindowStaysOnTopHint, true);  // hidden still: no flicker
    }
}

void FinancialWindow::modeClicked(FinancialModel::Mode kind) {
    model_->modeChange(kind);
    record_.setSlot(layout::kFinType, model_->calculationType());
    record_.setSlot(layout::kFinTiming, model_->timing());
}

void FinancialWindow::writeFieldText(int field, const std::string& text) {
    writing_ = true;
    QLineEdit* edit = fields_[static_cast<std::size_t>(field)];
    edit->setText(QString::fromStdString(text));
    // A text wider than its field shows its start, sign first, not its last digits.
    edit->setCursorPosition(0);
    writing_ = false;
}

void FinancialWindow::applyNumberFont(const FontSpec& font) {
    FontSpec noColour = font;
    noColour.colour = 0;
    const QFont f = toQFont(noColour);
    // The fields keep their design height: a face taller than the design's gets a smaller size
    // rather than cut digits. Their width scrolls as in any edit box.
    for (QLineEdit* e : fields_)
        e->setFont(
            fittedFont(f, QStringLiteral("0"), QSize(QWIDGETSIZE_MAX, textRoom(e).height())));
}

void FinancialWindow::gatherInto(DataRecord& record) const {
    using namespace layout;
    const QRect frame = frameGeometry();
    record.setSlot(kFinWidth, frame.width());
    record.setSlot(kFinHeight, frame.height());
    const QPoint corner = FramePlacement::frameTopLeftOf(this);
    record.setSlot(kFinTop, corner.y());
    record.setSlot(kFinLeft, corner.x());
    record.setSlot(kFinType, controls_[0]->isChecked() ? 0 : 1);
    record.setSlot(kFinTiming, controls_[2]->isChecked() ? 0 : 1);
    record.setSlot(kFinPeriods, upDown1_->position());
    record.setSlot(kFinTopmost, checkBox1_->isChecked() ? 1 : 0);
    record.setSlot(kFinLanguage, english() ? 0 : 1);
}

bool FinancialWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // A text box's own key bindings (Ctrl+E is "end of line" on X11) must not take the
        // window's shortcuts.
        auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        for (QAction* a : actions()) {
            if (!a->shortcut().isEmpty() && a->shortcut() == pressed) {
                event->ignore();
                return true;
            }
        }
    }
    for (int k = 0; k < FinancialModel::kFieldCount; ++k) {
        if (watched != fields_[static_cast<std::size_t>(k)]) continue;
        if (event->type() == QEvent::MouseButtonDblClick) {
            model_->solve(k);  // TextBox0DblClick ... TextBox5DblClick
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                // The fields ignore Enter; Ctrl+Enter solves like a double-click, so the
                // calculator needs no mouse.
                const auto mods = key->modifiers() & ~Qt::KeypadModifier;
                if (mods == Qt::ControlModifier) model_->solve(k);
                return true;
            }
        }
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void FinancialWindow::contextMenuEvent(QContextMenuEvent* event) {
    menu_->popup(event->globalPos());
}

void FinancialWindow::closeEvent(QCloseEvent* event) {
    if (!host_.closing()) {
        host_.closeFrom(Calculator::Financial);
        if (!host_.closing()) {  // the save failed and the user chose to stay
            event->ignore();
            return;
        }
    }
    event->accept();
}

}  // namespace tobrisk
