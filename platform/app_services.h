#pragma once
// The platform services a window or front end hands to the logic it owns: one bundle, owned by
// main() (or a test), passed by reference.

#include <string>

#include "platform/alerts.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/separators.h"

namespace tobrisk {

struct AppServices {
    Alerts& alerts;
    Dialogs& dialogs;
    Clock& clock;
    Separators separators;
    std::string programFolder;  // UTF-8, with a trailing separator
    std::string dataFolder;     // UTF-8, with a trailing separator: where "Tbdata.dat" lives
};

}  // namespace tobrisk
