#pragma once
// The expression calculator behind its window, without any widget: it owns the engine's
// calculation for this window, keeps the options (angle unit, decimal places, the Yes/No
// options) in step with the data record, and runs the window's commands (calculate, fraction
// mode, factor integer, decimals, trace, timer tick). The Qt window and the command-line front
// end both drive it through an ExpressionSurface.

#include <memory>
#include <string>

#include "exprwin/data_record.h"
#include "exprwin/expression_surface.h"
#include "platform/app_services.h"

namespace tobrisk {

class ExpressionController {
  public:
    ExpressionController(DataRecord& record, AppServices& services, ExpressionSurface& surface);
    ~ExpressionController();
    ExpressionController(const ExpressionController&) = delete;
    ExpressionController& operator=(const ExpressionController&) = delete;

    // Creation steps after the record is loaded and the saved state applied.
    void start();
    // Decimal places from the record (creation and Open).
    void applyOptions();
    // The live angle unit and decimal places into the record (before a save).
    void gatherOptions(DataRecord& record) const;

    std::string caption() const;
    bool degrees() const { return degrees_; }
    void toggleAngleUnit();

    bool calculateLine(bool fractionMode);
    bool calculateForRpn(const std::string& line);
    void factorInteger();
    void setDecimalPlaces(int d);
    void setAutomaticDecimals();
    void showTrace();
    void timerTick();
    void refreshListing();

  private:
    struct Engine;
    DataRecord& record_;
    AppServices& services_;
    ExpressionSurface& surface_;
    std::unique_ptr<Engine> engine_;
    bool degrees_ = true;
};

}  // namespace tobrisk
