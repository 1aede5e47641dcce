#include "rpn/ui/rpn_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "platform/qt/desktop_platform.h"
#include "platform/qt/font_substitutes.h"
#include "platform/qt/frame_placement.h"
#include "platform/qt/text_encoding.h"
#include "platform/qt/text_fit.h"
#include "rpn/line_calculator_port.h"

namespace tobrisk {

namespace {

constexpr int kWidth = 302;
constexpr int kFieldHeight = 24;
constexpr int kDisplayHeight = 31;
constexpr int kGroupHeight = 193;
constexpr int kStackShift = 98;  // height the stack fields take above the display
constexpr int kButtonWidth = 43;
constexpr int kPadWidth = 48;  // widened pad buttons touch
constexpr int kButtonHeight = 25;
constexpr int kColumns[] = {6, 54, 102, 150};
constexpr int kRows[] = {12, 42, 72, 102, 132, 162};

using MachineStep = void (*)(RpnMachine&);

struct ButtonSpec {
    const char* name;
    const char* caption;
    int group;  // 0 left, 1 right
    int column;
    int row;
    int padKey;  // number-pad key code, or -1
    MachineStep step;
    const char* hint;
};

// Every button at its place; glyph buttons get their captions from the glyph set.
const ButtonSpec kButtons[] = {
    {"BtnAdSto", "sto", 0, 0, 0, -1, [](RpnMachine& m) { m.sto(); }, nullptr},
    {"BtnAdRcl", "rcl", 0, 1, 0, -1, [](RpnMachine& m) { m.rcl(); }, nullptr},
    {"BtnAdLastx", "lastx", 0, 2, 0, -1, [](RpnMachine& m) { m.lastX(); }, nullptr},
    {"BtnUData", "udata", 0, 3, 0, -1, [](RpnMachine& m) { m.userDataPad(); }, "User Data"},
    {"BtnOpSub", "-", 0, 0, 1, -1, [](RpnMachine& m) { m.arithmetic(Operator::Subtract); },
     nullptr},
    {"Btn7", "7", 0, 1, 1, 7, nullptr, nullptr},
    {"Btn8", "8", 0, 2, 1, 8, nullptr, nullptr},
    {"Btn9", "9", 0, 3, 1, 9, nullptr, nullptr},
    {"BtnOpSoma", "+", 0, 0, 2, -1, [](RpnMachine& m) { m.arithmetic(Operator::Add); }, nullptr},
    {"Btn4", "4", 0, 1, 2, 4, nullptr, nullptr},
    {"Btn5", "5", 0, 2, 2, 5, nullptr, nullptr},
    {"Btn6", "6", 0, 3, 2, 6, nullptr, nullptr},
    {"BtnOpMult", "x", 0, 0, 3, -1, [](RpnMachine& m) { m.arithmetic(Operator::Multiply); },
     nullptr},
    {"Btn1", "1", 0, 1, 3, 1, nullptr, nullptr},
    {"Btn2", "2", 0, 2, 3, 2, nullptr, nullptr},
    {"Btn3", "3", 0, 3, 3, 3, nullptr, nullptr},
    {"BtnOpDiv", "/", 0, 0, 4, -1, [](RpnMachine& m) { m.arithmetic(Operator::Divide); }, nullptr},
    {"Btn0", "0", 0, 1, 4, 0, nullptr, nullptr},
    {"BtnP", ".", 0, 2, 4, RpnMachine::kPointKey, nullptr, nullptr},
    {"BtnE", "E", 0, 3, 4, RpnMachine::kExponentKey, nullptr, nullptr},
    {"BtnOpExp", "^", 0, 0, 5, -1, [](RpnMachine& m) { m.arithmetic(Operator::Power); }, nullptr},
    {"BtnEnter", "Enter", 0, 1, 5, -1, [](RpnMachine& m) { m.enter(); }, nullptr},
    {"BtnAdXY", "x-y", 0, 3, 5, -1, [](RpnMachine& m) { m.swapXY(); }, nullptr},
    {"BtnFormat", "show", 1, 0, 0, -1, [](RpnMachine& m) { m.show(); },
     "Edition modes menu: fix, sci, eng "},
    {"BtnUnitAng", "deg", 1, 1, 0, -1, [](RpnMachine& m) { m.angleSwitch(); },
     "Degrees/radians switch"},
    {"BtnAdRollD", "", 1, 0, 1, -1, [](RpnMachine& m) { m.rollDown(); }, "Rolls stack down"},
    {"BtnAdRollU", "", 1, 1, 1, -1, [](RpnMachine& m) { m.rollUp(); }, "Rolls stack up"},
    {"BtnAdFunc", "func", 1, 0, 2, -1, [](RpnMachine& m) { m.functionsPad(); }, "Native Functions"},
    {"BtnUFunc", "ufunc", 1, 1, 2, -1, [](RpnMachine& m) { m.userFunctionsPad(); },
     "User Functions"},
    {"BtnAdDel", "", 1, 0, 3, -1, [](RpnMachine& m) { m.del(); }, "Delete last entered digit"},
    {"BtnInv", "1/x", 1, 1, 3, -1, [](RpnMachine& m) { m.reciprocal(); }, nullptr},
    {"BtnAdChs", "chs", 1, 0, 4, -1, [](RpnMachine& m) { m.chs(); }, nullptr},
    {"BtnAdClrg", "clrg", 1, 1, 4, -1, [](RpnMachine& m) { m.clrg(); }, nullptr},
    {"BtnAdClx", "clx", 1, 0, 5, -1, [](RpnMachine& m) { m.clx(); }, "Clear display"},
    {"BtnAdClst", "clst", 1, 1, 5, -1, [](RpnMachine& m) { m.clst(); }, nullptr},
};

QString buttonText(const std::string& cp1252) {
    QString t = toQString(cp1252);
    t.replace('&', "&&");  // a caption, not a mnemonic
    return t;
}

}  // namespace

// The expression calculator's line calculation through the shell. The shell reports only
// success; the engine's message is the text of the expression window's result line.
class RpnWindow::HostLines : public LineCalculatorPort {
  public:
    explicit HostLines(CalculatorHost& host) : host_(host) {}
    bool calculate(const std::string& line, std::string& message) override {
        return host_.calculateExpressionLine(line, message);
    }

  private:
    CalculatorHost& host_;
};

RpnWindow::RpnWindow(DataRecord& record, AppServices& services, CalculatorHost& host,
                     QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      record_(record),
      services_(services),
      host_(host),
      lines_(std::make_unique<HostLines>(host)) {
    setObjectName("TForm6");
    setWindowTitle("Tobrisk RPN");
    machine_ = std::make_unique<RpnMachine>(record_, services_.alerts, services_.dialogs, *lines_,
                                            services_.separators);
    buildControls();
    buildMenu();

    // FormCreate.
    FramePlacement::of(this).placeFrameAt(QPoint(record_.rpnLeft(), record_.rpnTop()));
    placeContent(record_.rpnStackShown());
    applyDisplayFont(record_.rpnDisplayFont());
    applyButtonsFont(record_.rpnButtonsFont());
    applyGlyphSet(record_.rpnGlyphSet());
    record_.setRpnTopmost(0);
    machine_->reset();
    render();
}

RpnWindow::~RpnWindow() = default;

void RpnWindow::buildControls() {
    for (int i = 0; i < 4; ++i) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString("Edit%1").arg(i + 1));
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setContextMenuPolicy(Qt::NoContextMenu);
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        e->setGeometry(0, i * kFieldHeight, kWidth - 1, kFieldHeight);
        e->installEventFilter(this);
        stackFields_[static_cast<std::size_t>(i)] = e;
    }
    display_ = new QLineEdit(this);
    display_->setObjectName("Memo1");
    display_->setReadOnly(true);
    display_->setFocusPolicy(Qt::NoFocus);
    display_->setContextMenuPolicy(Qt::NoContextMenu);
    display_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette dp = display_->palette();
    dp.setColor(QPalette::Base, Qt::black);
    dp.setColor(QPalette::Text, Qt::white);
    display_->setPalette(dp);
    display_->installEventFilter(this);
    connect(display_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (rendering_) return;
        machine_->displayEdited(fromQString(text));
        render();
    });

    leftGroup_ = new QFrame(this);
    leftGroup_->setObjectName("GroupBox1");
    leftGroup_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    leftGroup_->resize(199, kGroupHeight);
    rightGroup_ = new QFrame(this);
    rightGroup_->setObjectName("GroupBox2");
    rightGroup_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    rightGroup_->resize(103, kGroupHeight);
    rightGroup_->setAutoFillBackground(true);
    QPalette rp = rightGroup_->palette();
    rp.setColor(QPalette::Window, QColor(192, 192, 192));  // silver
    rightGroup_->setPalette(rp);
    for (QWidget* g : {static_cast<QWidget*>(leftGroup_), static_cast<QWidget*>(rightGroup_)})
        g->installEventFilter(this);
    display_->raise();  // the groups' top edge runs under the display

    for (const auto& spec : kButtons) {
        auto* b = new QPushButton(QString::fromLatin1(spec.caption),
                                  spec.group == 0 ? leftGroup_ : rightGroup_);
        b->setObjectName(spec.name);
        b->setAutoDefault(false);
        const int width = std::string_view(spec.name) == "BtnEnter"
                              ? kColumns[2] + kButtonWidth - kColumns[1]
                              : kButtonWidth;
        b->setGeometry(kColumns[spec.column], kRows[spec.row], width, kButtonHeight);
        if (spec.hint) b->setToolTip(QString::fromLatin1(spec.hint));
        b->installEventFilter(this);
        if (spec.padKey >= 0) {
            padButtons_[static_cast<std::size_t>(spec.padKey)] = b;
            const int code = spec.padKey;
            connect(b, &QPushButton::clicked, this, [this, code] {
                machine_->key(code);
                render();
            });
        } else {
            const MachineStep step = spec.step;
            connect(b, &QPushButton::clicked, this, [this, step] {
                step(*machine_);
                render();
            });
        }
    }
    angleButton_ = findChild<QPushButton*>("BtnUnitAng");
    powerButton_ = findChild<QPushButton*>("BtnOpExp");
    glyphButtons_ = {findChild<QPushButton*>("BtnAdRollD"), findChild<QPushButton*>("BtnAdRollU"),
                     findChild<QPushButton*>("BtnAdDel")};
    // "^" keeps a font of its own: a 17-pixel glyph, whatever the buttons font.
    powerFont_ = powerButton_->font();
    powerFont_.setPixelSize(17);
    powerFont_.setBold(true);
    powerButton_->setFont(powerFont_);
}

void RpnWindow::placeContent(bool stackShown) {
    for (QLineEdit* e : stackFields_) e->setVisible(stackShown);
    const int top = stackShown ? kStackShift : 0;
    display_->setGeometry(0, top, kWidth - 1, kDisplayHeight);
    leftGroup_->move(0, top + kFieldHeight);
    rightGroup_->move(199, top + kFieldHeight);
    setFixedSize(kWidth, top + kFieldHeight + kGroupHeight);
}

bool RpnWindow::stackShown() const {
    return !stackFields_[0]->isHidden();
}

void RpnWindow::render() {
    rendering_ = true;
    display_->setText(toQString(machine_->display()));
    rendering_ = false;
    for (int i = 0; i < 4; ++i) {
        QLineEdit* field = stackFields_[static_cast<std::size_t>(i)];
        field->setText(toQString(machine_->stackField(4 - i)));
        field->setCursorPosition(0);  // a long value shows its start, sign first
    }
    const auto labels = machine_->padLabels();
    const int width = machine_->padWide() ? kPadWidth : kButtonWidth;
    for (std::size_t k = 0; k < padButtons_.size(); ++k) {
        QPushButton* b = padButtons_[k];
        b->setText(buttonText(labels[k]));
        b->resize(width, kButtonHeight);
    }
    angleButton_->setText(QString::fromLatin1(machine_->angleCaption()));
    fitTexts();
}

void RpnWindow::fitTexts() {
    const QString shown = display_->text();
    QFont display = displayFont_;
    // A segment face has no glyph for some texts an error may bring: those are drawn whole
    // in a plain face, not in a mix of faces.
    if (!fontCovers(display, shown))
        display.setFamilies({QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono"),
                             QStringLiteral("Monospace")});
    display_->setFont(fittedFont(display, shown, textRoom(display_), 5, withSegmentBlanks));
    display_->setCursorPosition(0);  // should it still not fit, its start shows
    for (QLineEdit* e : stackFields_) {
        e->setFont(fittedFont(buttonsFont_, e->text(), textRoom(e)));
        e->setCursorPosition(0);
    }
    for (QPushButton* b : findChildren<QPushButton*>()) {
        const bool glyph =
            std::find(glyphButtons_.begin(), glyphButtons_.end(), b) != glyphButtons_.end();
        const QFont& base = b == powerButton_ ? powerFont_ : glyph ? glyphFont_ : buttonsFont_;
        b->setFont(fittedFont(base, b->text(), textRoom(b)));
    }
}

void RpnWindow::gatherInto(DataRecord& record) const {
    const QPoint frame = FramePlacement::frameTopLeftOf(this);
    record.setRpnTop(frame.y());
    record.setRpnLeft(frame.x());
}

void RpnWindow::applyDisplayFont(const FontSpec& font) {
    displayFont_ = toQFont(font);
    displayFont_.setStyleHint(QFont::TypeWriter);
    fitTexts();
}

void RpnWindow::applyButtonsFont(const FontSpec& font) {
    buttonsFont_ = toQFont(font);
    buttonsFont_.setStyleHint(QFont::SansSerif);
    setFont(buttonsFont_);  // the window's font reaches every control without one of its own
    fitTexts();
}

void RpnWindow::showEvent(QShowEvent* event) {
    // FormShow: the user pads start again from slot 1 with the store as it is now.
    machine_->windowShown();
    render();
    QWidget::showEvent(event);
}

void RpnWindow::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) machine_->windowHidden();
    QWidget::hideEvent(event);
}

void RpnWindow::closeEvent(QCloseEvent* event) {
    if (!host_.closing()) {
        host_.closeFrom(Calculator::Rpn);
        if (!host_.closing()) {  // the user chose to stay
            event->ignore();
            return;
        }
    }
    event->accept();
}

}  // namespace tobrisk
