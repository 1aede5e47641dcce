#include "rpn/rpn_clipboard.h"

#include <charconv>
#include <system_error>

#include "rpn/entry_number.h"
#include "rpn/rpn_key_names.h"
#include "rpn/rpn_machine.h"

namespace tobrisk {

namespace {

// A number on the clipboard is a line, not a document: longer texts are not typed key by key.
constexpr std::size_t kMaxPasteLength = 100;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

std::string displayedX(const RpnMachine& machine) {
    return machine.format().display(machine.x());
}

std::string fullX(long double x) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, x);
    if (r.ec != std::errc{}) return {};
    std::string text(buf, r.ptr);
    for (char& c : text)
        if (c == 'e') c = 'E';
    return text;
}

std::optional<std::vector<std::string>> pasteKeys(std::string_view text) {
    text = trimmed(text);
    if (text.empty() || text.size() > kMaxPasteLength) return std::nullopt;

    std::vector<std::string> keys;
    std::size_t i = 0;
    bool negative = false;
    if (text[i] == '-' || text[i] == '+') negative = text[i++] == '-';
    bool digits = false, point = false;
    for (; i < text.size() && (isDigit(text[i]) || text[i] == '.'); ++i) {
        if (text[i] == '.') {
            if (point) return std::nullopt;
            point = true;
        } else {
            digits = true;
        }
        keys.emplace_back(1, text[i]);
    }
    if (!digits) return std::nullopt;
    // chs changes the mantissa's sign until "E" is typed, the exponent's after it.
    if (negative) keys.emplace_back("chs");
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        keys.emplace_back("E");
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
            // The sign goes before the digits: typed after them, "1E-5000" would pass through
            // "1E5000", which is beyond the range and refused.
            if (text[i] == '-') keys.emplace_back("chs");
            ++i;
        }
        const std::size_t first = i;
        for (; i < text.size() && isDigit(text[i]); ++i) keys.emplace_back(1, text[i]);
        if (i == first) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    if (!readEntryNumber(text)) return std::nullopt;
    return keys;
}

bool pasteNumber(RpnMachine& machine, std::string_view text) {
    if (machine.padState() != PadState::Normal) return false;
    const auto keys = pasteKeys(text);
    if (!keys) return false;
    if (machine.entering() && !machine.replaceOnEntry()) {
        for (std::size_t n = machine.display().size(); n > 0 && !machine.replaceOnEntry(); --n)
            machine.del();
    }
    for (const auto& k : *keys) pressNamedKey(machine, k);
    return true;
}

}  // namespace tobrisk
