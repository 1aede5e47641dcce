// Reading the fields, composing the model and solving one field.

#include "fin/financial_model.h"

#include <climits>
#include <cmath>
#include <stdexcept>

#include "fin/erro_c.h"
#include "fin/fin_number_text.h"
#include "fin/tvm_operations.h"

namespace tobrisk {
namespace {

// A result that left the finite range counts as the overflow trap of the floating-point unit.
long double finite(long double v) {
    if (!std::isfinite(v)) throw std::overflow_error("Floating point overflow");
    return v;
}

const char* const kTooFew = "Must be given at least two  fields";
const char* const kNeedN = "Number of Payments required";
const char* const kIncompatible = "Incompatible values to calc.";
const char* const kCheckSigns = "Check the debit and credit signs \rIncompatible values to calc.";

}  // namespace

FinancialModel::FinancialModel(FinancialView& view, Alerts& alerts, char decimalSeparator)
    : view_(view), alerts_(alerts), decimal_(decimalSeparator) {}

void FinancialModel::loadSettings(int calculationType, int timing, int periodsPerRate) {
    type_ = calculationType != 0 ? 1 : 0;
    timing_ = timing != 0 ? 1 : 0;
    periods_ = periodsPerRate < 1 ? 1 : periodsPerRate > 99 ? 99 : periodsPerRate;
}

void FinancialModel::markChanged(int field, bool byUser) {
    if (field < 0 || field >= kFieldCount) return;
    changed_[static_cast<std::size_t>(field)] = true;
    if (byUser) typed_[static_cast<std::size_t>(field)] = true;
}

void FinancialModel::setPeriodsPerRate(int periods) {
    periods_ = periods < 1 ? 1 : periods > 99 ? 99 : periods;
    periodsChanged_ = true;
}

void FinancialModel::writeField(int field, const std::string& text) {
    view_.setFieldText(field, text);
    changed_[static_cast<std::size_t>(field)] = true;
}

void FinancialModel::writeNumber(int field, long double value, int decimals) {
    writeField(field, FinNumberText::fixed(finite(value), decimals, decimal_));
}

bool FinancialModel::readStep() {
    if (decimal_ == ',') {
        for (int f = 0; f < kFieldCount; ++f) {
            std::string text = view_.fieldText(f);
            auto dot = text.find('.');
            if (dot == std::string::npos) continue;
            text[dot] = ',';
            writeField(f, text);
        }
    }
    for (int f = 0; f < kFieldCount; ++f) {
        std::string text = view_.fieldText(f);
        auto value = FinNumberText::parse(text, decimal_);
        if (!value) {
            showMessage("Impossible to read ", f);
            return false;
        }
        // Under the (1+ notation the field holds the further payments; an empty field stays 0.
        bool blank = text.find_first_not_of(" \t") == std::string::npos;
        if (f == 2 && notation_ && !blank) *value = finite(*value + 1);
        read_[static_cast<std::size_t>(f)] = *value;
    }
    return true;
}

void FinancialModel::convertRate(long double percent) {
    long double r = percent / 100;
    long double i = r;
    if (periods_ > 1) {
        // (1+R)^(1/P) - 1, accurate for small rates; a base below zero has no real root.
        if (r < -1) throw std::invalid_argument("rate conversion");
        i = r == -1 ? -1.0L : std::expm1(std::log1p(r) / periods_);
    }
    v_.R = finite(r);
    v_.i = finite(i);
}

void FinancialModel::rateFromPeriodRate() {
    long double r = v_.i;
    if (periods_ > 1) {
        if (v_.i < -1) throw std::invalid_argument("rate conversion");
        r = v_.i == -1 ? -1.0L : std::expm1(periods_ * std::log1p(v_.i));
    }
    v_.R = finite(r);
}

bool FinancialModel::compose() {
    if (!readStep()) return false;
    v_.D = consumerCredit() ? read_[4] : 0;
    if (changed_[0] || changed_[4]) v_.PV = finite(read_[0] - v_.D);
    if (changed_[1] || periodsChanged_) convertRate(read_[1]);
    if (changed_[2]) v_.N = read_[2];
    if (changed_[3]) v_.PMT = read_[3];
    if (consumerCredit() && v_.PMT > 0) v_.PMT = -v_.PMT;  // money paid out
    if (consumerCredit()) {
        v_.FV = 0;
    } else if (changed_[5]) {
        v_.FV = read_[5];
    }
    changed_.fill(false);
    typed_.fill(false);
    periodsChanged_ = false;
    return true;
}

int FinancialModel::roundedN() const {
    long double n = FinNumberText::roundHalfEven(v_.N);
    // Never converted beyond the 32-bit range: such a term has no meaningful result.
    if (!(std::fabs(n) <= INT_MAX)) throw std::invalid_argument("number of periods");
    return static_cast<int>(n);
}

void FinancialModel::solve(int target) {
    if (target < 0 || target >= kFieldCount || target == 4) return;
    if (target == 5 && consumerCredit()) return;
    try {
        if (!compose()) return;  // a field that cannot be read stops the solve
        int given = (v_.PV != 0) + (v_.i != 0) + (v_.N != 0) + (v_.PMT != 0) +
                    (!consumerCredit() && v_.FV != 0);
        if (given < 2) {
            if (!quiet_) showMessage(kTooFew, -1);
            quiet_ = false;
            return;
        }
        if (v_.N == 0 && target != 2) {
            showMessage(kNeedN, -1);
            return;
        }
        solveTarget(target);
        if (consumerCredit()) writeNumber(5, std::fabs(v_.PMT) * v_.N + v_.D, 2);
    } catch (const std::exception& e) {
        reportFailure(e.what(), target);
    }
}

void FinancialModel::solveTarget(int target) {
    const int type = timing_ == 0 ? 1 : 0;
    const bool consumer = consumerCredit();
    lastSolved_ = target;
    switch (target) {
        case 0: {
            long double pv = PresentValue(v_.i, roundedN(), v_.PMT, v_.FV, type);
            v_.PV = consumer ? std::fabs(pv) : pv;
            writeNumber(0, v_.PV + v_.D, 2);
            view_.focusField(0);
            nDisplayStep();
            break;
        }
        case 1: {
            if (consumer && v_.PMT == 0)
                throw fin::ErroC("Calc. of Interest Rate needs Value of Payments");
            if (!consumer && v_.PMT == 0 && v_.FV == 0) {
                throw fin::ErroC("Calc. of Interest Rate needs Value of Payments or Future Value");
            }
            // A zero rate when the payments just repay the present value. It needs a present
            // value to compare with and payments flowing against it: with both on the same side
            // there is no rate at all.
            bool zeroRate =
                v_.PV != 0 && v_.PV * v_.PMT < 0 &&
                std::fabs((std::fabs(v_.N * v_.PMT) - std::fabs(v_.PV)) / v_.PV) < 1e-5L &&
                (consumer || std::fabs(v_.FV) < 0.1L);
            v_.i = zeroRate ? 0.0L : InterestRate(roundedN(), v_.PMT, v_.PV, v_.FV, type);
            rateFromPeriodRate();
            writeNumber(1, v_.R * 100, std::fabs(v_.R) < 0.1L ? 3 : 2);
            view_.focusField(3);
            nDisplayStep();
            break;
        }
        case 2: {
            if (consumer && v_.PMT == 0) {
                throw fin::ErroC("Calc. of Number of Payments needs Value of Payments");
            }
            if (!consumer && v_.PMT == 0 && v_.FV == 0) {
                throw fin::ErroC(
                    "Calc. of Number of Payments needs Value of Payments or Future Value");
            }
            if (std::fabs(v_.PV * v_.i + v_.PMT) < 1e-14L) {
                throw std::invalid_argument("NumberOfPeriods");
            }
            v_.N = NumberOfPeriods(v_.i, v_.PMT, v_.PV, v_.FV, type);
            writeNumber(2, v_.N, 2);
            nDisplayStep();
            view_.focusField(0);
            break;
        }
        case 3: {
            long double pmt = Payment(v_.i, roundedN(), v_.PV, v_.FV, type);
            v_.PMT = consumer ? std::fabs(pmt) : pmt;
            writeNumber(3, v_.PMT, 2);
            view_.focusField(1);
            nDisplayStep();
            break;
        }
        case 5: {
            v_.FV = FutureValue(v_.i, roundedN(), v_.PMT, v_.PV, type);
            writeNumber(5, v_.FV, 2);
            view_.focusField(1);
            nDisplayStep();
            break;
        }
        default:
            break;
    }
}

void FinancialModel::reportFailure(const std::string& what, int target) {
    if (what.rfind("Calc.", 0) == 0) {
        showMessage(what, -1);
    } else if (!consumerCredit() && v_.PV > 0 && v_.N > 0) {
        showMessage(kCheckSigns, target);
    } else {
        showMessage(kIncompatible, target);
    }
}

}  // namespace tobrisk
