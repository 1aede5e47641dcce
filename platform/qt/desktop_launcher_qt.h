#pragma once
// The desktop's launcher through Qt: documents and pages go to QDesktopServices (xdg-open on
// Linux); whether an application is registered for a MIME type is asked of xdg-mime when it is
// installed and read from the freedesktop MIME lists (mimeapps.list, defaults.list,
// mimeinfo.cache) in the XDG folders. Elsewhere (Windows, macOS) every type counts as handled
// and a failed openDocument() tells the caller otherwise.

#include "platform/desktop_launcher.h"

namespace tobrisk {

class QtDesktopLauncher : public DesktopLauncher {
  public:
    bool hasHandler(const std::string& mimeType) override;
    bool openDocument(const std::string& path) override;
    bool openInBrowser(const std::string& path) override;
};

}  // namespace tobrisk
