#include "exprwin/control_commands.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "engine/calc_context.h"
#include "engine/variable_store.h"
#include "exprwin/expression_surface.h"
#include "platform/app_services.h"
#include "platform/clock.h"

namespace tobrisk {

namespace {

// A refusal of the note command; its message follows "impossible to annotate: ".
class ErroAc : public std::runtime_error {
  public:
    explicit ErroAc(const std::string& message) : std::runtime_error(message) {}
};

enum class Command { Delete, Note };

struct Keyword {
    std::string_view text;
    Command command;
};

// Case-sensitive, each with its blank: "Del x" and "notes" are expressions.
constexpr Keyword kKeywords[] = {
    {"del ", Command::Delete}, {"delete ", Command::Delete}, {"note ", Command::Note}};

constexpr std::string_view kNativeVariables[] = {"r", "pi", "e"};

constexpr const char* kAnnotateRefused = "impossible to annotate: ";
constexpr const char* kDeleteFormat = "event to be deleted must be in format hh:mm:ss";

constexpr double kMinutesPerDay = 1440;
constexpr double kSecondsPerDay = 86400;
// "Exactly 12 hours ahead" must survive the rounding of now + 0.5 (well under a millisecond).
constexpr double kTwelveHours = 0.5 + 1e-9;
// Digit strings beyond this are saturated: they fail the range checks, not the conversion.
constexpr long long kNumberCap = 1'000'000'000;

std::string trimLeft(std::string_view s) {
    const auto at = s.find_first_not_of(' ');
    return at == std::string_view::npos ? std::string() : std::string(s.substr(at));
}

// The first character decides for almost every line, without a comparison call.
bool startsWith(std::string_view s, std::string_view prefix) {
    if (prefix.empty()) return true;
    return !s.empty() && s.front() == prefix.front() && s.substr(0, prefix.size()) == prefix;
}

bool isLowerOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

bool allDigits(std::string_view s) {
    for (char c : s) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// Digits only (checked before); empty text is no number.
std::optional<long long> toNumber(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    long long v = 0;
    for (char c : digits) v = std::min(kNumberCap, v * 10 + (c - '0'));
    return v;
}

long long requireNumber(std::string_view digits, const char* what) {
    const auto v = toNumber(digits);
    if (!v) throw ErroAc(std::string("missing number of ") + what);
    return *v;
}

std::string quoted(const std::string& s) {
    return "\"" + s + "\"";
}

std::string lowerAscii(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

enum class Marker { None, Am, Pm };

// 12-hour clock: 12 am is midnight, 12 pm is noon, 1 pm to 11 pm are 13 to 23.
long long applyMarker(long long hours, Marker marker) {
    if (marker == Marker::Am && hours == 12) return 0;
    if (marker == Marker::Pm && hours != 12) return hours + 12;
    return hours;
}

// The next occurrence (today or tomorrow) of a time of day given in days.
double nextOccurrence(double now, double dayFraction) {
    double t = std::floor(now) + dayFraction;
    if (t < now) t += 1;
    return t;
}

// "h:m:s" with digits in every part, as the next occurrence of that time of day.
std::optional<double> parseEventTime(const std::string& target, double now) {
    const auto first = target.find(':');
    const auto second = target.find(':', first + 1);
    if (first == std::string::npos || second == std::string::npos) return std::nullopt;
    const std::string_view t(target);
    const auto h = t.substr(0, first);
    const auto m = t.substr(first + 1, second - first - 1);
    const auto s = t.substr(second + 1);
    if (!allDigits(h) || !allDigits(m) || !allDigits(s)) return std::nullopt;
    const auto hv = toNumber(h), mv = toNumber(m), sv = toNumber(s);
    if (!hv || !mv || !sv) return std::nullopt;
    return nextOccurrence(now, *hv / 24.0 + *mv / kMinutesPerDay + *sv / kSecondsPerDay);
}

}  // namespace

ControlCommands::ControlCommands(VariableStore& store, CalcContext& context, AppServices& services,
                                 ExpressionSurface& surface)
    : store_(store),
      context_(context),
      services_(services),
      surface_(surface),
      reminders_(store, context, services, surface) {}

bool ControlCommands::recognise(const std::string& line) {
    // Every typed line passes here: no copy until a keyword matched.
    std::string_view s = line;
    s.remove_prefix(std::min(s.size(), s.find_first_not_of(' ')));
    for (const Keyword& k : kKeywords) {
        if (!startsWith(s, k.text)) continue;
        std::string_view rest = s.substr(k.text.size());
        rest.remove_prefix(std::min(rest.size(), rest.find_first_not_of(' ')));
        if (rest.empty() || !isLowerOrDigit(rest.front())) return false;
        if (k.command == Command::Note) {
            addNote(std::string(s));
        } else {
            deleteTarget(std::string(s));
        }
        return true;
    }
    return false;
}

void ControlCommands::show(const std::string& text) {
    surface_.setResultText(text);
    context_.message = text;
}

void ControlCommands::refreshListing() {
    surface_.setListing(store_.refreshListing(context_.forms));
}

void ControlCommands::addNote(const std::string& line) {
    std::string text;
    try {
        text = scheduleNote(line);
    } catch (const std::exception& e) {
        text = kAnnotateRefused + std::string(e.what());
    }
    show(text);
}

std::string ControlCommands::scheduleNote(const std::string& line) {
    const std::string s = trimLeft(line);
    // After "note " (five characters); the appended blank ends the time part of "note 30".
    std::string rest = trimLeft((s.size() > 5 ? s.substr(5) : std::string()) + " ");
    const auto blank = rest.find(' ');
    const std::string timePart = rest.substr(0, blank);
    std::string text = trimLeft(std::string_view(rest).substr(blank + 1));

    Marker marker = Marker::None;
    const std::string head = lowerAscii(text.substr(0, 3));
    if (head == "am " || head == "pm ") {
        marker = head == "am " ? Marker::Am : Marker::Pm;
        text = trimLeft(std::string_view(text).substr(3));
    }

    std::string hoursText = "0", minutesText = timePart;
    bool absolute = false;
    if (const auto colon = timePart.find(':'); colon != std::string::npos) {
        hoursText = timePart.substr(0, colon);
        minutesText = timePart.substr(colon + 1);
        absolute = true;
    } else if (marker != Marker::None) {
        hoursText = timePart;
        minutesText = "0";
        absolute = true;
    }
    if (!allDigits(hoursText)) throw ErroAc("invalid number of hours");
    if (!allDigits(minutesText)) throw ErroAc("invalid number of minutes");
    const long long hours = applyMarker(requireNumber(hoursText, "hours"), marker);
    const long long minutes = requireNumber(minutesText, "minutes");

    const double now = services_.clock.now();
    double due = 0;
    if (absolute) {
        // 24:00 is the end of today; 60 minutes is the next full hour.
        if (hours > 24 || (hours == 24 && minutes > 0) || minutes > 60)
            throw ErroAc("invalid hour");
        due = nextOccurrence(now, hours / 24.0 + minutes / kMinutesPerDay);
    } else {
        due = now + minutes / kMinutesPerDay;
    }
    if (due - now > kTwelveHours) throw ErroAc("more than 12 hours ahead");
    const std::string scheduled = "event scheduled for " + formatLongTime(due);

    DataRecord& record = store_.record();
    if (text.size() > static_cast<std::size_t>(layout::kBodyCapacity))
        text.resize(layout::kBodyCapacity);
    for (int i = 1; i <= store_.count(); ++i) {
        if (record.kind(i) == EntryKind::Event && record.body(i) == text)
            throw ErroAc("note already exists");
    }
    const int at = store_.append();
    if (at == 0) throw ErroAc(VariableStore::kFullMessage);
    record.setKind(at, EntryKind::Event);
    record.setTime(at, due);
    record.setBody(at, text);
    refreshListing();
    return scheduled;
}

void ControlCommands::deleteTarget(const std::string& line) {
    const std::string s = trimLeft(line);
    const std::size_t keyword = startsWith(s, "delete ") ? 6 : startsWith(s, "del") ? 3 : 0;
    const std::string rest = trimLeft(std::string_view(s).substr(keyword));
    const std::string target = rest.substr(0, rest.find(' '));
    std::string text;
    try {
        text = deleteEntry(target);
    } catch (const std::exception& e) {
        text = e.what();
    }
    show(text);
}

std::string ControlCommands::deleteEntry(const std::string& target) {
    for (std::string_view native : kNativeVariables) {
        if (target == native) return quoted(target) + " variable can't be deleted";
    }

    const DataRecord& record = store_.record();
    int found = 0;
    if (target.find(':') != std::string::npos) {
        const double now = services_.clock.now();
        const auto time = parseEventTime(target, now);
        if (!time) return kDeleteFormat;
        auto findEvent = [&](double t) {
            for (int i = 1; i <= store_.count(); ++i) {
                if (record.kind(i) == EntryKind::Event &&
                    std::fabs(record.time(i) - t) * kSecondsPerDay < 1)
                    return i;
            }
            return 0;
        };
        // A listed event whose time has just passed but whose box has not come up yet is
        // today's occurrence, not tomorrow's.
        found = findEvent(*time);
        if (found == 0) found = findEvent(*time - 1);
    } else {
        found = store_.find(target);
    }

    if (found > VariableStore::kNativeEntries) {
        const EntryKind kind = record.kind(found);
        store_.remove(found);
        if (kind == EntryKind::UserFunction) {
            store_.forgetUserFunction(target);
            store_.rebuildFunctionNames();
        }
        refreshListing();
        switch (kind) {
            case EntryKind::UserFunction:
                return quoted(target) + " function deleted";
            case EntryKind::Event:
                return "note for " + target + " deleted";
            default:
                return quoted(target) + " variable deleted";
        }
    }
    if (found != 0) return quoted(target) + " variable can't be deleted";

    if (target == "vars") {
        services_.alerts.play(AlertKind::Asterisk);
        // A warning box, with the exclamation sound such a box makes as it opens.
        services_.alerts.play(AlertKind::Exclamation);
        if (!services_.dialogs.askOkCancel(Reminders::kCaption, kVarsQuestion,
                                           MessageKind::Warning))
            return "action canceled";
        store_.reset();
        refreshListing();
        services_.alerts.play(AlertKind::Default);
        return "all variables deleted";
    }
    if (target == "hist" || target == "historic") {
        surface_.clearHistory();
        return "historic deleted";
    }
    return quoted(target) + " variable not found";
}

}  // namespace tobrisk
