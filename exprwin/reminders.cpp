#include "exprwin/reminders.h"

#include <array>
#include <cstdint>

#include "engine/calc_context.h"
#include "engine/variable_store.h"
#include "exprwin/expression_surface.h"
#include "platform/app_services.h"
#include "platform/clock.h"

namespace tobrisk {

namespace {

// Windows-1252 0x80..0x9F; the five unassigned bytes keep their C1 code points.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Note texts are record bytes (Windows-1252); the dialogs take UTF-8.
std::string cp1252ToUtf8(const std::string& in) {
    std::string out;
    out.reserve(in.size() + in.size() / 2);
    for (char ch : in) {
        const auto b = static_cast<std::uint8_t>(ch);
        const char32_t c = b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : b;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

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
