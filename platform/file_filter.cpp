#include "platform/file_filter.h"

namespace tobrisk {

namespace {

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (true) {
        const auto end = s.find(sep, start);
        parts.push_back(s.substr(start, end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

std::string trimmed(const std::string& s) {
    const auto b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

// "Tobrisk Data (*.dat)" -> "Tobrisk Data": the shown patterns are rebuilt from the real ones.
std::string withoutPatternList(const std::string& name) {
    const auto open = name.rfind('(');
    if (open == std::string::npos || name.empty() || name.back() != ')') return trimmed(name);
    return trimmed(name.substr(0, open));
}

}  // namespace

std::string NameFilter::text() const {
    std::string joined;
    for (const auto& p : patterns) joined += (joined.empty() ? "" : " ") + p;
    return name + " (" + joined + ")";
}

std::vector<NameFilter> parseFileFilter(const std::string& filter, bool starDotStarIsEveryFile) {
    std::vector<NameFilter> out;
    const auto parts = split(filter, '|');
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        NameFilter f;
        f.name = withoutPatternList(parts[i]);
        for (const auto& p : split(parts[i + 1], ';')) {
            std::string pattern = trimmed(p);
            if (pattern.empty()) continue;
            if (pattern == "*.*" && starDotStarIsEveryFile) pattern = "*";
            f.patterns.push_back(pattern);
        }
        if (f.patterns.empty()) f.patterns.push_back("*");
        if (f.name.empty()) f.name = f.patterns.front();
        out.push_back(std::move(f));
    }
    return out;
}

}  // namespace tobrisk
