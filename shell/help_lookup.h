#pragma once
// The help command (Ctrl+F1 and the "Help" entries): where the help is looked up and what is
// opened. The compiled help file "Tbhelp.chm" goes to the application the desktop has for it;
// without one (as on most Linux desktops) the HTML manual it is compiled from opens in the
// browser. Both are looked up beside the program first, then in the install's data folder
// (<program folder>/../share/tobrisk/). When nothing can be opened the user is told so.

#include <functional>
#include <string>
#include <vector>

#include "platform/desktop_launcher.h"
#include "platform/dialogs.h"

namespace tobrisk {

inline constexpr const char* kHelpFileName = "Tbhelp.chm";
inline constexpr const char* kManualPage = "help/index.html";  // inside a help folder
inline constexpr const char* kHelpFileMime = "application/vnd.ms-htmlhelp";

// The folders searched, in order (UTF-8, trailing '/'): the program folder, then
// <program folder>/../share/tobrisk/ written without the "..".
std::vector<std::string> helpFolders(const std::string& programFolder);

// The first of `folders` + `name` that exists, or "".
std::string findHelp(const std::vector<std::string>& folders, const std::string& name,
                     const std::function<bool(const std::string&)>& exists);

// Runs the help command. `exists` tells whether a file is there (the real file system unless
// a test says otherwise).
void openHelp(const std::string& programFolder, DesktopLauncher& launcher, Dialogs& dialogs,
              const std::function<bool(const std::string&)>& exists = {});

}  // namespace tobrisk
