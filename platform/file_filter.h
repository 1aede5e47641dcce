#pragma once
// The file dialogs' filter string ("Name (*.dat)|*.dat|All Files (*.*)|*.*": pairs of a shown
// name and its patterns, patterns separated by ';') turned into the filters a dialog lists.
// Where a dot is not part of every file name (Linux, macOS), "*.*" would hide files without an
// extension, so there it becomes "*": "All Files" then matches every file.

#include <string>
#include <vector>

namespace tobrisk {

struct NameFilter {
    std::string name;                   // shown without the pattern list: "All Files"
    std::vector<std::string> patterns;  // "*.dat"; "*" for every file
    // "All Files (*)": the form Qt's dialogs read their patterns from.
    std::string text() const;
};

// `starDotStarIsEveryFile`: true where "*.*" must match names without a dot too.
std::vector<NameFilter> parseFileFilter(const std::string& filter, bool starDotStarIsEveryFile);

// True on the platforms whose file names need not contain a dot.
constexpr bool kStarDotStarNeedsADot =
#ifdef _WIN32
    false;
#else
    true;
#endif

}  // namespace tobrisk
