#pragma once
// Up and Down in the entry line, as in a shell: Up shows the previous line of the history (the
// newest first), Down the next one; Down past the newest line brings back what was being typed
// before the browsing began. The cursor only remembers where it is; the history itself stays
// in the entry line's list.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tobrisk {

class HistoryCursor {
  public:
    // The text the entry line shows next, or nothing when the key has no effect (no older
    // line, or not browsing). `current` is the entry line's text as it stands.
    std::optional<std::string> up(const std::vector<std::string>& history,
                                  const std::string& current);
    std::optional<std::string> down(const std::vector<std::string>& history);
    // A line chosen from the drop-down list: the next Up or Down continues from it.
    void chose(std::size_t index, const std::vector<std::string>& history,
               const std::string& current);
    // A new line was calculated (or the history changed): the next Up starts at the newest.
    void reset() { pos_.reset(); }

  private:
    bool browsing(const std::vector<std::string>& history) const;

    std::optional<std::size_t> pos_;  // index of the line shown, while browsing
    std::size_t size_ = 0;            // history size when the browsing began
    std::string draft_;               // the typed line that Down past the newest brings back
};

}  // namespace tobrisk
