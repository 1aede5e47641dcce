#include "cli/cli_support.h"

#include <cmath>
#include <cstdint>
#include <cstring>
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

// Eight bytes at a time: most lines are plain ASCII and this runs for every line.
bool isAscii(const std::string& s) {
    constexpr uint64_t kHighBits = 0x8080808080808080ULL;
    const char* p = s.data();
    std::size_t n = s.size();
    uint64_t high = 0;
    for (; n >= 8; p += 8, n -= 8) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        high |= word;
    }
    for (; n > 0; ++p, --n) high |= static_cast<unsigned char>(*p);
    return (high & kHighBits) == 0;
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

void writeTerminalLine(std::ostream& out, const std::string& cp1252) {
    const std::string converted = isAscii(cp1252) ? std::string() : cp1252ToUtf8(cp1252);
    const std::string& text = converted.empty() ? cp1252 : converted;
    std::streambuf* buf = out.rdbuf();
    const auto size = static_cast<std::streamsize>(text.size());
    if (!out.good() || !buf || buf->sputn(text.data(), size) != size ||
        buf->sputc('\n') == std::char_traits<char>::eof())
        out.setstate(std::ios::badbit);
}

}  // namespace tobrisk::cli
