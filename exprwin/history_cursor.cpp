#include "exprwin/history_cursor.h"

namespace tobrisk {

bool HistoryCursor::browsing(const std::vector<std::string>& history) const {
    // A history that grew or was emptied behind our back starts a new browse.
    return pos_ && size_ == history.size() && *pos_ < history.size();
}

std::optional<std::string> HistoryCursor::up(const std::vector<std::string>& history,
                                             const std::string& current) {
    if (!browsing(history)) {
        if (history.empty()) return std::nullopt;
        draft_ = current;
        size_ = history.size();
        pos_ = history.size();
    } else if (*pos_ == 0) {
        return std::nullopt;  // the oldest line stays
    }
    --*pos_;
    return history[*pos_];
}

std::optional<std::string> HistoryCursor::down(const std::vector<std::string>& history) {
    if (!browsing(history)) return std::nullopt;
    if (*pos_ + 1 < history.size()) {
        ++*pos_;
        return history[*pos_];
    }
    pos_.reset();
    return draft_;
}

void HistoryCursor::chose(std::size_t index, const std::vector<std::string>& history,
                          const std::string& current) {
    if (index >= history.size()) return;
    if (!browsing(history)) draft_ = current;
    size_ = history.size();
    pos_ = index;
}

}  // namespace tobrisk
