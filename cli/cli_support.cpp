#include "cli/cli_support.h"

#include <cmath>
#include <ostream>

#include "platform/system_services.h"
#include "platform/text_encoding.h"

namespace tobrisk::cli {

void attachTerminal(FakeAlerts& alerts, FakeDialogs& dialogs, std::ostream& out, std::ostream& err,
                    bool errorsToStderr) {
    alerts.onPlay = [&out, &err](AlertKind kind) {
        out.flush();
        err << "alert: " << alertName(kind) << '\n';
    };
    dialogs.onMessage = [&out, &err, errorsToStderr](const RecordedMessage& m) {
        std::string text = m.text;  // dialog texts are UTF-8 already
        for (char& c : text)
            if (c == '\r' || c == '\n') c = ' ';
        if (errorsToStderr && m.kind == MessageKind::Error) {
            out.flush();
            err << "error: " << text << '\n';
        } else {
            out << "message: " << text << '\n';
        }
    };
}

double CliClock::now() const {
    return fixed_ ? *fixed_ : SystemClock().now();
}

LoadOutcome loadRecord(RecordFiles& files, const AppServices& services) {
    NewRecordContext fresh;
    fresh.today = std::floor(services.clock.now());
    fresh.programFolder = utf8ToCp1252(services.programFolder);
    fresh.separators = services.separators;
    return files.loadAtStart(fresh);
}

namespace {

bool isAscii(const std::string& s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace

std::string toEngine(const std::string& utf8) {
    return isAscii(utf8) ? utf8 : utf8ToCp1252(utf8);
}

std::string toTerminal(const std::string& cp1252) {
    return isAscii(cp1252) ? cp1252 : cp1252ToUtf8(cp1252);
}

void toEngineInPlace(std::string& text) {
    if (!isAscii(text)) text = utf8ToCp1252(text);
}

void writeTerminal(std::ostream& out, const std::string& cp1252) {
    if (isAscii(cp1252))
        out << cp1252;
    else
        out << cp1252ToUtf8(cp1252);
}

}  // namespace tobrisk::cli
