// Mode changes, the layout state, the N display step, "Shows more precision" and the message
// routine.

#include <cmath>
#include <stdexcept>

#include "fin/fin_number_text.h"
#include "fin/financial_model.h"

namespace tobrisk {

void FinancialModel::finishInitialising() {
    initialising_ = false;
    quiet_ = false;  // the radio selections of the first show must not silence the first solve
}

void FinancialModel::modeChange(Mode kind) {
    quiet_ = true;
    switch (kind) {
        case Mode::ConsumerCredit:
            type_ = 0;
            break;
        case Mode::GenericFormula:
            type_ = 1;
            break;
        case Mode::StartOfPeriod:
            timing_ = 0;
            break;
        case Mode::EndOfPeriod:
            timing_ = 1;
            break;
    }
    // A failed compose (an unreadable field, a rate below -100 % over several periods) is
    // reported and leaves the layout to follow the radio buttons, but nothing is re-solved from
    // values that were not read.
    auto composeReported = [this] {
        try {
            return compose();
        } catch (const std::exception&) {
            showMessage("Incompatible values to calc.", 1);
            return false;
        }
    };
    bool composed = initialising_ || composeReported();

    if (kind == Mode::StartOfPeriod && consumerCredit() && read_[4] != 0) {
        showMessage("Can't make payments in begin of period,\rbecause was given a down payment",
                    -1);
        view_.selectEndOfPeriod();
        timing_ = 1;
        if (!initialising_) composeReported();
        quiet_ = false;
        return;
    }
    bool typeChange = kind == Mode::ConsumerCredit || kind == Mode::GenericFormula;
    layoutUpdate(typeChange);
    if (initialising_) {
        quiet_ = false;
        return;
    }
    nDisplayStep();
    if (!typeChange && composed) solve(lastSolved_);
    quiet_ = false;
}

void FinancialModel::layoutUpdate(bool emptyDependentFields) {
    notation_ = timing_ == 0 && read_[3] != 0;
    if (consumerCredit()) {
        v_.FV = 0;
    } else {
        v_.D = 0;
    }
    // Only a change of calculation type changes what fields 4 and 5 mean; a change of timing
    // keeps the down payment and the future value for its re-solve.
    if (emptyDependentFields) {
        writeField(4, "");
        writeField(5, "");
    }
    view_.applyLayout(layout());
}

void FinancialModel::nDisplayStep() {
    std::string before = view_.fieldText(2);
    if (lastSolved_ != 2) v_.N = FinNumberText::roundHalfEven(v_.N);
    long double shown = notation_ ? v_.N - 1 : v_.N;
    writeField(2, FinNumberText::fixed(shown, 2, decimal_));
    if (before.empty() && read_[2] == 0) writeField(2, "");
}

void FinancialModel::showMorePrecision() {
    auto put = [this](int field, long double value) {
        if (typed_[static_cast<std::size_t>(field)]) return;  // the user's typing stays
        writeField(field, FinNumberText::general(value, decimal_));
    };
    const bool consumer = consumerCredit();
    put(0, consumer ? v_.PV + v_.D : v_.PV);
    put(1, v_.R * 100);
    put(2, notation_ ? v_.N - 1 : v_.N);
    put(3, consumer && v_.PMT < 0 ? -v_.PMT : v_.PMT);
    if (consumer) {
        put(4, v_.D);
    } else {
        put(5, v_.FV);
    }
}

std::string FinancialModel::prefix(int field) const {
    const bool consumer = consumerCredit();
    switch (field) {
        case 0:
            return consumer ? "\"Goods Value\"" : "\"Presente Value\"";
        case 1:
            return "Interest Rate";
        case 2:
            return consumer ? "\"Number of Payments\"" : "\"Periods\"";
        case 3:
            return "\"Payments Value\"";
        case 4:
            return "\"Down Payment\"";
        case 5:
            return "\"Future Value\"";
        default:
            return {};
    }
}

void FinancialModel::showMessage(const std::string& text, int field) {
    alerts_.play(AlertKind::Question);
    std::string p = prefix(field);
    view_.showMessage(p.empty() ? text : p + " " + text);
}

}  // namespace tobrisk
