#pragma once
// What the three front-end modes share: the platform as a terminal sees it (alerts on standard
// error, message boxes on standard output), the clock that ":now" can fix, the loading of the
// data record as the program does it at start, and the terminal's UTF-8.

#include <iosfwd>
#include <optional>
#include <string>

#include "exprwin/record_files.h"
#include "platform/fakes.h"

namespace tobrisk::cli {

// Alerts as "alert: KIND" on err; message boxes as "message: TEXT" on out, a carriage return
// shown as a blank. With errorsToStderr, error boxes go to err as "error: TEXT" instead.
// Standard output is flushed before anything goes to err, so a terminal keeps the order.
void attachTerminal(FakeAlerts& alerts, FakeDialogs& dialogs, std::ostream& out, std::ostream& err,
                    bool errorsToStderr = false);

// The system clock until set() fixes it.
class CliClock : public Clock {
  public:
    double now() const override;
    void set(double t) { fixed_ = t; }

  private:
    std::optional<double> fixed_;
};

// Loads "Tbdata.dat" from the data folder, or makes and writes a new record.
LoadOutcome loadRecord(RecordFiles& files, const AppServices& services);

// Terminal text is UTF-8, the engine's Windows-1252; plain ASCII passes unchanged.
std::string toEngine(const std::string& utf8);
std::string toTerminal(const std::string& cp1252);
// The same for the per-line path, without copying plain ASCII.
void toEngineInPlace(std::string& text);
// The text and a line end, written straight to the stream's buffer (nothing to format).
void writeTerminalLine(std::ostream& out, const std::string& cp1252);

}  // namespace tobrisk::cli
