#pragma once
// The desktop's side of the platform layer: the real clock, the locale's separators and the
// program and data folders.

#include <string>

#include "platform/clock.h"
#include "platform/separators.h"

namespace tobrisk {

class SystemClock : public Clock {
  public:
    double now() const override;
};

Separators localeSeparators();
// Folder of the running executable, with a trailing separator (UTF-8).
std::string programFolder();
// The program folder when it can be written (a portable install), else the per-user
// application data folder (created when missing). With a trailing separator.
std::string defaultDataFolder();

}  // namespace tobrisk
