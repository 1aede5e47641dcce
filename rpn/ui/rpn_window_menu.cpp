// The RPN window's pop-up menu: switching, help, the stack view, fonts, glyph sets and the
// always-on-top toggle.

#include <QAction>
#include <QActionGroup>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "platform/font_sizes.h"
#include "platform/qt/desktop_platform.h"
#include "platform/qt/frame_placement.h"
#include "platform/qt/text_encoding.h"
#include "rpn/ui/rpn_window.h"

namespace tobrisk {

namespace {

constexpr int kStackShift = 98;
constexpr int kBottomMargin = 26;  // a hidden stack never pushes the window off the screen

struct GlyphSet {
    const char* font;  // nullptr: the buttons font
    const char* actionName;
    const char* caption;
    const char* glyphs[3];    // roll down, roll up, delete in the symbol font
    const char* fallback[3];  // UTF-8, when the symbol font is not installed
};

const GlyphSet kGlyphSets[] = {
    {"WingDings 3", "WingDings31", "WingDings 3", {"i", "h", "f"}, {"↓", "↑", "←"}},
    {"WebDings", "WebDings1", "WebDings", {"6", "5", "3"}, {"▼", "▲", "◀"}},
    {nullptr, "CaracNormais1", "Carac. Normais", {"down", "up", "del"}, {"down", "up", "del"}},
};

bool fontInstalled(const char* family) {
    const QStringList families = QFontDatabase::families();
    return families.contains(QString::fromLatin1(family), Qt::CaseInsensitive);
}

}  // namespace

void RpnWindow::buildMenu() {
    menu_ = new QMenu(this);
    menu_->setObjectName("PopupMenu1");
    auto add = [this](QMenu* into, const char* name, const char* caption, QKeySequence keys,
                      auto slot) {
        auto* a = new QAction(QString::fromUtf8(caption), this);
        a->setObjectName(name);
        if (!keys.isEmpty()) a->setShortcut(keys);
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this, slot);
        if (into) into->addAction(a);
        addAction(a);  // shortcuts work while the window has the focus
        return a;
    };
    add(menu_, "CalcdeExpresses1", "Expression Calculator...", QKeySequence("Ctrl+E"),
        [this] { host_.switchCalculator(Calculator::Rpn, Calculator::Expression); });
    add(menu_, "CalculadoraFinanceira1", "Financial Calculator...", QKeySequence("Ctrl+F"),
        [this] { host_.switchCalculator(Calculator::Rpn, Calculator::Financial); });
    add(menu_, "Help1", "Help", QKeySequence("Ctrl+F1"), [this] { host_.openHelpFile(); });
    add(menu_, "BuiltinHelp1", "Built-in Help", QKeySequence(Qt::Key_F1),
        [this] { host_.showBuiltInHelp(Calculator::Rpn); });
    add(menu_, "MostrarOcultarstack1", "Show/Hide Stack", QKeySequence("Ctrl+H"),
        [this] { MostrarOcultarstack1Click(); });
    QMenu* appearance = menu_->addMenu("Appearance");
    appearance->menuAction()->setObjectName("Aparncia1");
    add(appearance, "FontedoVisor1", "Display Font...", QKeySequence(),
        [this] { FontedoVisor1Click(); });
    add(appearance, "FontedosBotes1", "Buttons Font...", QKeySequence(),
        [this] { FontedosBotes1Click(); });
    QMenu* glyphs = appearance->addMenu("Graphic Characters");
    glyphs->menuAction()->setObjectName("CaracteresGrficos1");
    auto* group = new QActionGroup(this);
    for (int g = 0; g < 3; ++g) {
        QAction* a = add(glyphs, kGlyphSets[g].actionName, kGlyphSets[g].caption, QKeySequence(),
                         [this, g] { applyGlyphSet(g); });
        a->setCheckable(true);
        group->addAction(a);
        glyphActions_[static_cast<std::size_t>(g)] = a;
    }
    add(menu_, "Sobre1", "About...", QKeySequence(), [this] { host_.showAbout(); });
    // Hidden entries: Enter and Space perform Enter whichever button has the focus.
    QAction* space = add(nullptr, "Space1", "Space", QKeySequence(Qt::Key_Space), [this] {
        machine_->enter();
        render();
    });
    space->setShortcuts({QKeySequence(Qt::Key_Space)});
    QAction* enter = add(nullptr, "Enter1", "Enter", QKeySequence(Qt::Key_Return), [this] {
        machine_->enter();
        render();
    });
    enter->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
}

void RpnWindow::contextMenuEvent(QContextMenuEvent* event) {
    menu_->popup(event->globalPos());
    event->accept();
}

void RpnWindow::MostrarOcultarstack1Click() {
    const bool show = !stackShown();
    const QRect screenArea = screen() ? screen()->geometry() : QRect(0, 0, 1024, 768);
    int top = y();
    if (show)
        top = std::max(screenArea.top(), top - kStackShift);
    else
        top = std::min(screenArea.top() + screenArea.height() - kBottomMargin, top + kStackShift);
    placeContent(show);
    move(x(), top);
    record_.setRpnStackShown(show);
    services_.alerts.play(AlertKind::Question);
}

bool RpnWindow::fontRefused(const FontSpec& chosen) {
    if (fontSizeAllowed(chosen.size)) return false;
    services_.dialogs.message("Tobrisk RPN", fontSizeRefusal(chosen.size), MessageKind::Warning);
    return true;
}

void RpnWindow::FontedoVisor1Click() {
    services_.alerts.play(AlertKind::Asterisk);
    FontSpec current = record_.rpnDisplayFont();
    current.colour = 0xFFFFFF;  // white on black
    auto chosen = services_.dialogs.chooseFont(current, kMinFontSize, kMaxFontSize);
    if (!chosen || fontRefused(*chosen)) return;
    record_.setRpnDisplayFont(*chosen);  // the colour is not kept
    applyDisplayFont(record_.rpnDisplayFont());
}

void RpnWindow::FontedosBotes1Click() {
    services_.alerts.play(AlertKind::Asterisk);
    auto chosen =
        services_.dialogs.chooseFont(record_.rpnButtonsFont(), kMinFontSize, kMaxFontSize);
    if (!chosen || fontRefused(*chosen)) return;
    record_.setRpnButtonsFont(*chosen);
    applyButtonsFont(record_.rpnButtonsFont());
    applyGlyphSet(record_.rpnGlyphSet());
}

void RpnWindow::applyGlyphSet(int set) {
    if (set < 0 || set > 2) set = 0;
    const GlyphSet& g = kGlyphSets[set];
    const bool symbols = g.font != nullptr && fontInstalled(g.font);
    glyphFont_ = buttonsFont_;
    if (symbols) glyphFont_.setFamily(QString::fromLatin1(g.font));
    for (std::size_t i = 0; i < glyphButtons_.size(); ++i)
        glyphButtons_[i]->setText(QString::fromUtf8(symbols ? g.glyphs[i] : g.fallback[i]));
    fitTexts();
    for (int k = 0; k < 3; ++k) glyphActions_[static_cast<std::size_t>(k)]->setChecked(k == set);
    record_.setRpnGlyphSet(set);
}

void RpnWindow::Memo1DblClick() {
    const bool on = !windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    FramePlacement& placement = FramePlacement::of(this);
    const QPoint at = placement.frameTopLeft();
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);  // hides the window
    if (visible) {
        placement.placeFrameAt(at);
        show();
    }
    record_.setRpnTopmost(on ? 1 : 0);
}

}  // namespace tobrisk
