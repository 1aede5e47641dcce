#pragma once
// What the desktop opens for the program: a document with the application registered for its
// type, a page in the user's web browser. Behind an interface so the help commands can be
// tried with and without a registered application.

#include <string>

namespace tobrisk {

class DesktopLauncher {
  public:
    virtual ~DesktopLauncher() = default;
    // True when an application is registered for the MIME type (or one of its aliases).
    virtual bool hasHandler(const std::string& mimeType) = 0;
    // The document (UTF-8 path) with its registered application; false when it could not start.
    virtual bool openDocument(const std::string& path) = 0;
    // A local HTML page (UTF-8 path) in the user's browser; false when none could start.
    virtual bool openInBrowser(const std::string& path) = 0;
};

// Whether the text of a freedesktop MIME list (mimeapps.list, defaults.list, mimeinfo.cache)
// names an application for `mimeType`: a "type=app.desktop;" line outside the
// "[Removed Associations]" group.
bool mimeListNamesHandler(const std::string& listText, const std::string& mimeType);

}  // namespace tobrisk
