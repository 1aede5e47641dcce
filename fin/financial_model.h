#pragma once
// The financial calculator's model: six fields read into the values of the time-value-of-money
// equation, the solve of whichever field the user double-clicks, the changes of calculation type
// and payment timing, and every message they give. It owns no widgets: it reads and writes field
// texts through FinancialView and sounds through Alerts. The settings it keeps (type, timing,
// periods per rate) are the window's to store in the data record.
//
// Guarantees: no infinity or NaN ever reaches a field or a model value; a field the program
// writes counts as changed, so the next solve reads it back as shown.

#include <array>
#include <string>

#include "fin/financial_view.h"
#include "platform/alerts.h"

namespace tobrisk {

struct FinancialValues {
    long double i = 0;    // rate per payment period, fraction
    long double R = 0;    // rate per rate period, fraction
    long double PMT = 0;  // payment, signed (negative in Consumer Credit while computing)
    long double N = 0;    // number of payments
    long double PV = 0;   // financed present value
    long double FV = 0;   // future value (0 in Consumer Credit)
    long double D = 0;    // down payment (0 in Generic Formula)
};

class FinancialModel {
  public:
    static constexpr int kFieldCount = 6;
    enum class Mode : int {
        ConsumerCredit = 0,
        GenericFormula = 1,
        StartOfPeriod = 2,
        EndOfPeriod = 3
    };

    FinancialModel(FinancialView& view, Alerts& alerts, char decimalSeparator = '.');

    // Settings as loaded from the data record at creation (no mode change is run).
    void loadSettings(int calculationType, int timing, int periodsPerRate);
    int calculationType() const { return type_; }
    int timing() const { return timing_; }
    int periodsPerRate() const { return periods_; }
    bool consumerCredit() const { return type_ == 0; }

    // Double-click on field `target` (0..5).
    void solve(int target);
    // A radio button became selected.
    void modeChange(Mode kind);
    // A field's text changed; byUser when typed (not written by the program).
    void markChanged(int field, bool byUser = true);
    // The periods box took a new value (clamped to 1..99).
    void setPeriodsPerRate(int periods);
    // Ctrl+P: the model values in 15 significant digits, except in fields typed since the last
    // solve.
    void showMorePrecision();

    // From creation to the end of the first show a mode change only updates the layout.
    bool initialising() const { return initialising_; }
    void finishInitialising();
    bool quiet() const { return quiet_; }

    FinancialLayout layout() const { return {type_, timing_, notation_}; }
    const FinancialValues& values() const { return v_; }
    long double readValue(int field) const { return read_[static_cast<std::size_t>(field)]; }
    int lastSolved() const { return lastSolved_; }
    bool changed(int field) const { return changed_[static_cast<std::size_t>(field)]; }

    // The message routine: question sound, the field's prefix (none outside 0..5), the box.
    void showMessage(const std::string& text, int field);
    std::string prefix(int field) const;

  private:
    bool readStep();
    bool compose();
    void convertRate(long double percent);
    void rateFromPeriodRate();
    int roundedN() const;
    void nDisplayStep();
    void layoutUpdate(bool emptyDependentFields);
    void writeField(int field, const std::string& text);
    void writeNumber(int field, long double value, int decimals);
    void solveTarget(int target);
    void reportFailure(const std::string& what, int target);

    FinancialView& view_;
    Alerts& alerts_;
    char decimal_;
    FinancialValues v_;
    std::array<long double, kFieldCount> read_{};
    std::array<bool, kFieldCount> changed_{};
    std::array<bool, kFieldCount> typed_{};  // changed by the user since the last compose
    bool periodsChanged_ = false;
    int lastSolved_ = 0;
    bool quiet_ = false;
    bool initialising_ = true;
    bool notation_ = false;
    int type_ = 1;
    int timing_ = 1;
    int periods_ = 12;
};

}  // namespace tobrisk
