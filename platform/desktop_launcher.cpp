#include "platform/desktop_launcher.h"

#include <sstream>

namespace tobrisk {

bool mimeListNamesHandler(const std::string& listText, const std::string& mimeType) {
    std::istringstream in(listText);
    std::string line;
    bool removed = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[') {
            removed = line.rfind("[Removed Associations]", 0) == 0;
            continue;
        }
        const auto eq = line.find('=');
        if (removed || eq == std::string::npos) continue;
        std::string key = line.substr(0, eq);
        while (!key.empty() && key.back() == ' ') key.pop_back();
        if (key != mimeType) continue;
        if (line.find_first_not_of(" ;", eq + 1) != std::string::npos) return true;
    }
    return false;
}

}  // namespace tobrisk
