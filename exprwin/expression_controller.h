#pragma once
// The expression calculator behind its window, without any widget: it owns the engine's
// calculation context, variable store, line calculation and control commands for this window,
// keeps the options (angle unit, decimal places, the Yes/No options) in step with the data
// record, and runs the window's commands (calculate, fraction mode, factor integer, decimals,
// trace, timer tick). The Qt window and the command-line front end both drive it through an
// ExpressionSurface.

#include <memory>
#include <optional>
#include <string>

#include "exprwin/data_record.h"
#include "exprwin/expression_surface.h"
#include "exprwin/history_cursor.h"
#include "platform/app_services.h"

namespace tobrisk {

struct CalcContext;
class VariableStore;

class ExpressionController {
  public:
    ExpressionController(DataRecord& record, AppServices& services, ExpressionSurface& surface);
    ~ExpressionController();
    ExpressionController(const ExpressionController&) = delete;
    ExpressionController& operator=(const ExpressionController&) = delete;

    // Creation steps after the record is loaded and the saved state applied: names lists,
    // listing, the saved angle unit, the display pattern.
    void start();
    // The first start without a data file: two history lines, "2+2" selected, "4" shown.
    void showWelcome();
    // Decimal places and the integer option from the record (creation and Open).
    void applyOptions();
    // The live angle unit into the record (before a save); the other options live there.
    void gatherOptions(DataRecord& record) const;

    std::string caption() const;  // "Tobrisk", nine blanks, "d" or "r"
    bool degrees() const { return degrees_; }
    void toggleAngleUnit();

    bool calculateLine(bool fractionMode);
    // The RPN calculator's calls: no continuation rewrite, continuation state kept.
    bool calculateForRpn(const std::string& line);
    void factorInteger();
    void setDecimalPlaces(int d);
    void setAutomaticDecimals();
    void showTrace();
    // Up and Down in the entry line: the previous line of the history (newest first) and the
    // next one; Down past the newest brings back the line being typed. False when the key
    // changed nothing.
    bool historyUp();
    bool historyDown();
    // A line chosen from the entry line's list; `before` is the text it replaced.
    void historyChosen(int index, const std::string& before);
    // "Font...": the dialog from the lines' font; the chosen font is saved in the record. A size
    // outside 8..14 keeps the saved font and is refused with a message: in the result line, or
    // returned for the caller to show when `showRefusalElsewhere` (the financial window's
    // command, whose user does not see the result line).
    std::optional<std::string> chooseFont(bool showRefusalElsewhere = false);
    void timerTick();
    void refreshListing();
    // After Open replaced the record: options, name lists and listing from the new one.
    void recordReplaced();

    CalcContext& context();
    VariableStore& store();
    int timerInterval() const;

  private:
    struct Engine;
    void syncOptions();
    void publishListing();

    DataRecord& record_;
    AppServices& services_;
    ExpressionSurface& surface_;
    std::unique_ptr<Engine> engine_;
    bool degrees_ = true;
    unsigned shownListing_ = ~0u;
    HistoryCursor historyCursor_;
};

}  // namespace tobrisk
