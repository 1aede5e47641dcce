#pragma once
// The entry line's history as the command-line front end keeps it: every line in one growing
// buffer with its end offsets, so adding a line costs no allocation once the buffer has grown,
// and the newest line is read in place.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tobrisk {

class LineHistory {
  public:
    void push_back(std::string_view line) {
        text_.append(line);
        ends_.push_back(text_.size());
    }
    void clear() {
        text_.clear();
        ends_.clear();
    }
    // Room for `count` lines of `bytes` in all, for runs that know their size.
    void reserve(std::size_t count, std::size_t bytes) {
        ends_.reserve(count);
        text_.reserve(bytes);
    }
    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    std::string_view operator[](std::size_t i) const {
        const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
        return std::string_view(text_).substr(begin, ends_[i] - begin);
    }
    std::string_view back() const { return (*this)[ends_.size() - 1]; }
    std::vector<std::string> toVector() const {
        std::vector<std::string> out;
        out.reserve(size());
        for (std::size_t i = 0; i < size(); ++i) out.emplace_back((*this)[i]);
        return out;
    }

  private:
    std::string text_;               // the lines one after another, oldest first
    std::vector<std::size_t> ends_;  // where each line ends in text_
};

}  // namespace tobrisk
