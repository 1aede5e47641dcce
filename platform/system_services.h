#pragma once
// The system's side of the platform layer that needs no toolkit: the real clock and the
// program and data folders. The command line uses these alone; the windows add the locale's
// separators (qt/system_services.h).

#include <string>

#include "platform/clock.h"

namespace tobrisk {

class SystemClock : public Clock {
  public:
    double now() const override;  // local time, to the millisecond
};

// Folder of the running executable, with a trailing separator (UTF-8).
std::string programFolder();

// The per-user application data folder: $XDG_DATA_HOME/Tobrisk/, else
// ~/.local/share/Tobrisk/ (%APPDATA%\Tobrisk\ on Windows, ~/Library/Application
// Support/Tobrisk/ on macOS). With a trailing separator; not created here.
std::string userDataFolder();

// A program installed by the system (under /usr/) keeps its data per user even when the
// running user could write the program folder.
bool isSystemInstall(const std::string& programFolder);
// True when a file can be created in the folder (a probe file is made and removed).
bool folderWritable(const std::string& folder);
// The data folder rule: the program folder when it is writable and not a system install,
// else the user folder.
std::string chooseDataFolder(const std::string& programFolder, const std::string& userFolder,
                             bool programFolderWritable);

// chooseDataFolder() over the running program; the user folder is created when it is chosen.
std::string defaultDataFolder();

}  // namespace tobrisk
