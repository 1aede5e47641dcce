#include "exprwin/reminders.h"

#include "engine/calc_context.h"
#include "engine/variable_store.h"
#include "exprwin/expression_surface.h"
#include "platform/app_services.h"
#include "platform/clock.h"
#include "platform/text_encoding.h"

namespace tobrisk {

namespace {

// Clears the busy flag however the tick ends.
class BusyGuard {
  public:
    explicit BusyGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~BusyGuard() { flag_ = false; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

  private:
    bool& flag_;
};

}  // namespace

Reminders::Reminders(VariableStore& store, CalcContext& context, AppServices& services,
                     ExpressionSurface& surface)
    : store_(store), context_(context), services_(services), surface_(surface) {}

std::string Reminders::boxText(double time, const std::string& body) {
    return "        " + formatLongTime(time) + " - " + body + "       ";
}

void Reminders::tick(bool continuationOn) {
    if (busy_) return;
    {
        BusyGuard guard(busy_);
        showDue(services_.clock.now());
    }
    if (continuationOn) {
        blinkPhase_ = !blinkPhase_;
        surface_.setResultColour(blinkPhase_ ? ResultColour::Grey : ResultColour::Normal);
    }
}

void Reminders::showDue(double now) {
    const DataRecord& record = store_.record();
    const int n = store_.count();
    for (int i = 1; i <= n; ++i) {
        if (record.kind(i) != EntryKind::Event || !(record.time(i) < now)) continue;
        const double time = record.time(i);
        const std::string body = record.body(i);
        services_.dialogs.message(kCaption, cp1252ToUtf8(boxText(time, body)),
                                  MessageKind::Information, /*systemModal*/ true);
        removeShown(i, time, body);
        return;
    }
}

void Reminders::removeShown(int index, double time, const std::string& body) {
    // The box ran an event loop: if the store moved meanwhile, find the shown event again
    // rather than removing whatever now sits at its old position.
    const DataRecord& record = store_.record();
    auto isShown = [&](int i) {
        return record.kind(i) == EntryKind::Event && record.time(i) == time &&
               record.body(i) == body;
    };
    int at = index <= store_.count() && isShown(index) ? index : 0;
    for (int i = 1; at == 0 && i <= store_.count(); ++i) {
        if (isShown(i)) at = i;
    }
    if (at != 0) store_.remove(at);
    surface_.setListing(store_.refreshListing(context_.forms));
}

}  // namespace tobrisk
