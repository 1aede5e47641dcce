#include "shell/help_lookup.h"

#include <filesystem>

#include "platform/file_io.h"

namespace tobrisk {

namespace {

std::string withSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string joined(const std::vector<std::string>& folders) {
    std::string out;
    for (std::size_t i = 0; i < folders.size(); ++i)
        out += (i == 0 ? "" : i + 1 == folders.size() ? " or " : ", ") + folders[i];
    return out;
}

}  // namespace

std::vector<std::string> helpFolders(const std::string& programFolder) {
    namespace fs = std::filesystem;
    std::string program = programFolder;
    for (char& c : program)
        if (c == '\\') c = '/';
    program = withSlash(program);
    const fs::path share = (fs::path(program) / ".." / "share" / "tobrisk").lexically_normal();
    std::vector<std::string> folders{program};
    const std::string shared = withSlash(share.generic_string());
    if (shared != program) folders.push_back(shared);
    return folders;
}

std::string findHelp(const std::vector<std::string>& folders, const std::string& name,
                     const std::function<bool(const std::string&)>& exists) {
    for (const auto& folder : folders)
        if (exists(folder + name)) return folder + name;
    return {};
}

void openHelp(const std::string& programFolder, DesktopLauncher& launcher, Dialogs& dialogs,
              const std::function<bool(const std::string&)>& exists) {
    const auto there = exists ? exists : [](const std::string& p) { return fileExists(p); };
    const auto folders = helpFolders(programFolder);
    const std::string chm = findHelp(folders, kHelpFileName, there);
    const std::string manual = findHelp(folders, kManualPage, there);

    const bool handler = !chm.empty() && launcher.hasHandler(kHelpFileMime);
    if (handler && launcher.openDocument(chm)) return;
    if (!manual.empty() && launcher.openInBrowser(manual)) return;

    std::string text;
    if (!manual.empty())
        text = "The manual " + manual + " could not be opened: no web browser started.";
    else if (handler)
        text = "The help file " + chm + " could not be opened.";
    else if (!chm.empty())
        text = "No application is installed to read the help file " + chm +
               ", and its HTML manual (" + kManualPage + ") was not found in " + joined(folders) +
               ".";
    else
        text = std::string("The help was not found: neither ") + kHelpFileName + " nor " +
               kManualPage + " is in " + joined(folders) + ".";
    dialogs.message("Tobrisk", text, MessageKind::Information);
}

}  // namespace tobrisk
