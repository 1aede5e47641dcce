// tobrisk-cli's financial mode: each input line is one action on the financial window (see
// README): type consumer|generic, timing start|end, periods N, lang en|pt, set F TEXT,
// solve F, precision, show. Message boxes print "message: TEXT" as they appear.

#include <iostream>
#include <sstream>
#include <string>

#include "cli/cli_modes.h"
#include "cli/cli_support.h"
#include "exprwin/data_record.h"
#include "exprwin/record_files.h"
#include "fin/financial_model.h"
#include "fin/financial_view.h"
#include "platform/app_services.h"
#include "platform/fakes.h"
#include "platform/system_services.h"
#include "platform/text_encoding.h"

namespace tobrisk::cli {

namespace {

using Mode = FinancialModel::Mode;

// The financial window over plain strings.
class CliFinancialView : public FinancialView {
  public:
    explicit CliFinancialView(Dialogs& dialogs) : dialogs_(dialogs) {}

    std::string fieldText(int field) const override { return texts_[index(field)]; }
    void setFieldText(int field, const std::string& text) override { texts_[index(field)] = text; }
    void focusField(int) override {}
    void showMessage(const std::string& text) override { dialogs_.message("Tobrisk", text); }
    void applyLayout(const FinancialLayout& layout) override { layout_ = layout; }
    void selectEndOfPeriod() override {}

    const FinancialLayout& layout() const { return layout_; }

  private:
    static std::size_t index(int field) { return static_cast<std::size_t>(field); }
    Dialogs& dialogs_;
    std::string texts_[FinancialModel::kFieldCount];
    FinancialLayout layout_;
};

class FinSession {
  public:
    FinSession(DataRecord& record, Alerts& alerts, Dialogs& dialogs, char decimal,
               std::ostream& out, std::ostream& err)
        : record_(record), view_(dialogs), model_(view_, alerts, decimal), out_(out), err_(err) {}

    // What creation and the first show read from the record.
    void start() {
        using namespace layout;
        model_.loadSettings(record_.slot(kFinType), record_.slot(kFinTiming),
                            record_.slot(kFinPeriods));
        language_ = record_.slot(kFinLanguage) != 0 ? 1 : 0;
        model_.modeChange(record_.slot(kFinType) != 0 ? Mode::GenericFormula
                                                      : Mode::ConsumerCredit);
        model_.modeChange(record_.slot(kFinTiming) != 0 ? Mode::EndOfPeriod : Mode::StartOfPeriod);
        periodsText_ = std::to_string(model_.periodsPerRate());
        model_.setPeriodsPerRate(model_.periodsPerRate());
        model_.finishInitialising();
        gather();
    }

    void gather() {
        using namespace layout;
        record_.setSlot(kFinType, model_.calculationType());
        record_.setSlot(kFinTiming, model_.timing());
        record_.setSlot(kFinPeriods, model_.periodsPerRate());
        record_.setSlot(kFinLanguage, language_);
    }

    void command(const std::string& line) {
        std::istringstream words(line);
        std::string verb, arg;
        words >> verb;
        if (verb.empty() || verb[0] == '#') return;
        if (verb == "type") {
            words >> arg;
            if (arg != "consumer" && arg != "generic") return bad(line);
            int type = arg == "generic" ? 1 : 0;
            if (type != model_.calculationType()) {
                model_.modeChange(type == 1 ? Mode::GenericFormula : Mode::ConsumerCredit);
            }
        } else if (verb == "timing") {
            words >> arg;
            if (arg != "start" && arg != "end") return bad(line);
            int timing = arg == "end" ? 1 : 0;
            if (timing != model_.timing()) {
                model_.modeChange(timing == 1 ? Mode::EndOfPeriod : Mode::StartOfPeriod);
            }
        } else if (verb == "periods") {
            std::getline(words >> std::ws, arg);
            periods(arg);
        } else if (verb == "lang") {
            words >> arg;
            if (arg != "en" && arg != "pt") return bad(line);
            language_ = arg == "pt" ? 1 : 0;
        } else if (verb == "set") {
            int field = fieldArgument(words);
            if (field < 0) return bad(line);
            std::string text;
            if (words.peek() == ' ') words.get();
            std::getline(words, text);
            if (!enabled(field)) {
                err_ << "error: field " << field << " is disabled\n";
                return;
            }
            view_.setFieldText(field, text);
            model_.markChanged(field, true);
        } else if (verb == "solve") {
            int field = fieldArgument(words);
            if (field < 0) return bad(line);
            model_.solve(field);
        } else if (verb == "precision") {
            model_.showMorePrecision();
        } else if (verb == "show") {
            for (int f = 0; f < FinancialModel::kFieldCount; ++f) {
                out_ << (f ? " " : "") << f << '=' << view_.fieldText(f);
            }
            out_ << '\n';
        } else {
            return bad(line);
        }
        gather();
    }

  private:
    // The periods box: an integer within 1..99 (out-of-range values are clamped); any other
    // text is replaced by the last valid one.
    void periods(const std::string& text) {
        int value = 0;
        std::size_t used = 0;
        try {
            value = std::stoi(text, &used);
        } catch (const std::exception&) {
            used = 0;
        }
        if (used == 0 || used != text.size()) {
            value = std::stoi(periodsText_);
        }
        value = value < 1 ? 1 : value > 99 ? 99 : value;
        periodsText_ = std::to_string(value);
        model_.setPeriodsPerRate(value);
    }

    // The down payment is hidden in Generic Formula and disabled at the start of the period;
    // the payments total of Consumer Credit is output only.
    bool enabled(int field) const {
        const FinancialLayout& l = view_.layout();
        if (field == 4) return l.calculationType == 0 && l.timing == 1;
        if (field == 5) return l.calculationType == 1;
        return true;
    }

    static int fieldArgument(std::istringstream& words) {
        std::string arg;
        words >> arg;
        if (arg.size() != 1 || arg[0] < '0' || arg[0] > '5') return -1;
        return arg[0] - '0';
    }

    void bad(const std::string& line) { err_ << "error: unknown command: " << line << '\n'; }

    DataRecord& record_;
    CliFinancialView view_;
    FinancialModel model_;
    std::ostream& out_;
    std::ostream& err_;
    int language_ = 0;
    std::string periodsText_;
};

}  // namespace

int runFinancialMode(std::istream& in, std::ostream& out, std::ostream& err, const Options& o) {
    FakeAlerts alerts;
    FakeDialogs dialogs;
    attachTerminal(alerts, dialogs, out, err);
    CliClock clock;
    const Separators separators{'.', ','};
    AppServices services{alerts, dialogs, clock, separators, programFolder(), o.dataDir};

    DataRecord record;
    RecordFiles files(record, services);
    files.setDataFileWritable(o.saveData);
    loadRecord(files, services);

    FinSession session(record, alerts, dialogs, separators.decimal, out, err);
    session.start();
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        session.command(line);
        out.flush();
    }
    const bool saved = files.saveAtClose([&session] { session.gather(); });
    out.flush();
    return saved ? 0 : 1;
}

}  // namespace tobrisk::cli
