#include "exprwin/expression_controller.h"

#include <algorithm>

#include "engine/calc_context.h"
#include "engine/line_calculation.h"
#include "engine/variable_store.h"
#include "exprwin/control_commands.h"
#include "platform/font_sizes.h"

namespace tobrisk {

using namespace layout;

// The engine's window and command hook, answered from the surface, the record and the
// control commands.
struct ExpressionController::Engine : ExpressionView, CommandHook {
    Engine(DataRecord& record, AppServices& services, ExpressionSurface& surface)
        : record(record),
          services(services),
          surface(surface),
          store(record),
          calc(context, store, *this, *this),
          commands(store, context, services, surface) {}

    std::string entryText() const override { return surface.entryText(); }
    void copyEntryText(std::string& out) const override { surface.copyEntryText(out); }
    void setEntryText(const std::string& text) override { surface.setEntryText(text); }
    void selectAllEntry() override { surface.selectAllEntry(); }
    std::string resultText() const override { return surface.resultText(); }
    void setResultText(const std::string& text) override { surface.setResultText(text); }
    void setResultColour(ResultColour colour) override { surface.setResultColour(colour); }
    void addHistory(const std::string& line) override { surface.addHistory(line); }
    std::optional<std::string> lastHistoryItem() const override {
        return surface.lastHistoryItem();
    }
    bool lastHistoryIs(std::string_view line) const override { return surface.lastHistoryIs(line); }
    void clearHistory() override { surface.clearHistory(); }
    bool automaticSomaMode() const override { return record.slot(kAutoSoma) == 1; }
    void alert(AlertKind kind) override { services.alerts.play(kind); }
    void setTimerInterval(int ms) override {
        interval = ms;
        surface.setTimerInterval(ms);
    }
    void repaint() override { surface.repaintNow(); }

    bool handleCommand(const std::string& line) override { return commands.recognise(line); }

    DataRecord& record;
    AppServices& services;
    ExpressionSurface& surface;
    CalcContext context;
    VariableStore store;
    LineCalculation calc;
    ControlCommands commands;
    int interval = LineCalculation::kNormalInterval;
};

ExpressionController::ExpressionController(DataRecord& record, AppServices& services,
                                           ExpressionSurface& surface)
    : record_(record),
      services_(services),
      surface_(surface),
      engine_(std::make_unique<Engine>(record, services, surface)) {}

ExpressionController::~ExpressionController() = default;

CalcContext& ExpressionController::context() {
    return engine_->context;
}
VariableStore& ExpressionController::store() {
    return engine_->store;
}
int ExpressionController::timerInterval() const {
    return engine_->interval;
}

void ExpressionController::start() {
    engine_->context.forms.setSeparators(services_.separators);
    applyOptions();
    // The function names list comes from the store's own user-function entries, so a list cut
    // at its capacity in the file loses no function.
    engine_->store.rebuildFunctionNames();
    // The saved unit is applied by starting from the opposite one and toggling once.
    degrees_ = record_.slot(kAngleUnit) != 1;
    toggleAngleUnit();
    engine_->context.fractionMode = false;
    engine_->context.continued = false;
    engine_->context.previouslyContinued = false;
    engine_->context.rerun = false;
    refreshListing();
}

void ExpressionController::showWelcome() {
    surface_.addHistory("(pi/2)^2.5 + sqrt(2)");
    surface_.addHistory("2+2");
    surface_.setEntryText("2+2");
    surface_.selectAllEntry();
    surface_.setResultText("4");
}

void ExpressionController::applyOptions() {
    engine_->context.forms.setDecimalPlaces(record_.slot(kDecimalPlaces));
    syncOptions();
}

void ExpressionController::syncOptions() {
    engine_->context.forms.setIntegersWithoutDecimals(record_.slot(kIntegersWithoutDecimals) == 1);
    engine_->calc.setFactorBig(record_.slot(kFactorBig) == 1);
}

void ExpressionController::gatherOptions(DataRecord& record) const {
    record.setSlot(kAngleUnit, degrees_ ? 1 : 0);
    record.setSlot(kDecimalPlaces, engine_->context.forms.decimalPlaces());
}

std::string ExpressionController::caption() const {
    std::string caption = "Tobrisk         ";  // the product name and nine blanks
    caption.push_back(degrees_ ? 'd' : 'r');
    return caption;
}

void ExpressionController::toggleAngleUnit() {
    degrees_ = !degrees_;
    engine_->context.angleFactor = degrees_ ? CalcContext::kDegrees : CalcContext::kRadians;
    surface_.setCaption(caption());
}

void ExpressionController::publishListing() {
    const VariableStore& store = engine_->store;
    if (store.listingVersion() == shownListing_) return;
    shownListing_ = store.listingVersion();
    surface_.setListing(store.listing());
}

void ExpressionController::refreshListing() {
    engine_->store.refreshListing(engine_->context.forms);
    publishListing();
}

void ExpressionController::recordReplaced() {
    applyOptions();
    engine_->store.rebuildFunctionNames();
    refreshListing();
}

bool ExpressionController::calculateLine(bool fractionMode) {
    historyCursor_.reset();
    syncOptions();
    const bool ok =
        fractionMode ? engine_->calc.calculateInFractionMode() : engine_->calc.calculateLine();
    refreshListing();
    return ok;
}

bool ExpressionController::calculateForRpn(const std::string& line) {
    syncOptions();
    CalcContext& ctx = engine_->context;
    const bool continued = ctx.continued;
    const bool previously = ctx.previouslyContinued;
    const int interval = engine_->interval;
    surface_.setEntryText(line);
    const bool ok = engine_->calc.calculateLine(false);
    ctx.continued = continued;
    ctx.previouslyContinued = previously;
    engine_->setTimerInterval(interval);
    publishListing();
    return ok;
}

void ExpressionController::factorInteger() {
    syncOptions();
    engine_->calc.factorInteger();
}

void ExpressionController::setDecimalPlaces(int d) {
    record_.setSlot(kDecimalPlaces, d);
    surface_.setResultText(engine_->context.redisplay(d));
}

void ExpressionController::setAutomaticDecimals() {
    record_.setSlot(kDecimalPlaces, -1);
    surface_.setResultText(engine_->context.redisplayAutomatic());
}

std::optional<std::string> ExpressionController::chooseFont(bool showRefusalElsewhere) {
    const FontSpec current = record_.exprFont();
    services_.alerts.play(AlertKind::Asterisk);
    // After Cancel the dialog's font is the unchanged current one.
    const FontSpec font =
        services_.dialogs.chooseFont(current, kMinFontSize, kMaxFontSize).value_or(current);
    if (!fontSizeAllowed(font.size)) {
        // The dialog refuses such sizes itself; this guards any other source.
        std::string refusal =
            font.size > kMaxFontSize ? "max font size is 14" : "min font size is 8";
        if (showRefusalElsewhere) return refusal;
        surface_.setResultText(refusal);
        return std::nullopt;
    }
    record_.setExprFont(font);
    return std::nullopt;
}

void ExpressionController::showTrace() {
    surface_.setResultText(engine_->context.postfixTrace());
}

bool ExpressionController::historyUp() {
    auto text = historyCursor_.up(surface_.history(), surface_.entryText());
    if (text) surface_.setEntryText(*text);
    return text.has_value();
}

bool ExpressionController::historyDown() {
    auto text = historyCursor_.down(surface_.history());
    if (text) surface_.setEntryText(*text);
    return text.has_value();
}

void ExpressionController::historyChosen(int index, const std::string& before) {
    if (index >= 0)
        historyCursor_.chose(static_cast<std::size_t>(index), surface_.history(), before);
}

void ExpressionController::timerTick() {
    engine_->commands.timerTick(engine_->context.continued);
    publishListing();
}

}  // namespace tobrisk
