#include "rpn/user_pads.h"

#include "exprwin/data_record.h"
#include "rpn/display_format.h"

namespace tobrisk {

namespace {

// Slot s (1..12) sits on the key code at index s - 1.
constexpr int kSlotKeys[UserPads::kSlots] = {7, 8, 9, 4, 5, 6, 1, 2, 3, 0, 10, 11};

const UserDataSlot kNoData{};
const UserFunctionSlot kNoFunction{};

}  // namespace

void UserPads::clear() {
    data_ = {};
    functions_ = {};
    dataCount_ = 0;
    functionCount_ = 0;
}

void UserPads::fill(const DataRecord& record) {
    clear();
    int count = record.count();
    if (count > layout::kMaxEntries) count = layout::kMaxEntries;
    for (int i = 1; i <= count; ++i) {
        const EntryKind kind = record.kind(i);
        if (kind == EntryKind::UserFunction) {
            const int n = record.paramCount(i);
            if (n < 0 || n > 4) continue;
            UserFunctionSlot slot{record.name(i), n, n == 0 ? record.body(i) : record.paramBody(i)};
            if (functionCount_ < kSlots) ++functionCount_;
            functions_[static_cast<std::size_t>(functionCount_ - 1)] = slot;
        } else if (kind == EntryKind::Variable ||
                   (kind == EntryKind::IntegerVariable && !record.name(i).empty())) {
            const double v = kind == EntryKind::Variable ? record.value(i)
                                                         : static_cast<double>(record.intValue(i));
            if (dataCount_ < kSlots) ++dataCount_;
            data_[static_cast<std::size_t>(dataCount_ - 1)] = {record.name(i), v};
        }
    }
}

const UserDataSlot& UserPads::data(int slot) const {
    if (slot < 1 || slot > dataCount_) return kNoData;
    return data_[static_cast<std::size_t>(slot - 1)];
}

const UserFunctionSlot& UserPads::function(int slot) const {
    if (slot < 1 || slot > functionCount_) return kNoFunction;
    return functions_[static_cast<std::size_t>(slot - 1)];
}

int UserPads::slotOfKey(int keyCode) {
    for (int s = 0; s < kSlots; ++s)
        if (kSlotKeys[s] == keyCode) return s + 1;
    return 0;
}

int UserPads::keyOfSlot(int slot) {
    return slot >= 1 && slot <= kSlots ? kSlotKeys[slot - 1] : -1;
}

std::optional<std::string> UserPads::fillIn(const std::string& body, int paramCount,
                                            const std::array<double, 4>& levels) {
    const DisplayFormat format;  // "." and ",": the line is read by the expression engine
    std::string line;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] != '&') {
            line += body[i];
            continue;
        }
        if (i + 2 >= body.size() || body[i + 1] != '0') return std::nullopt;
        const int k = body[i + 2] - '0';
        if (k < 1 || k > paramCount) return std::nullopt;
        const double v = levels[static_cast<std::size_t>(k - 1)];
        std::string text = format.general(v);
        line += v < 0 ? "(" + text + ")" : text;
        i += 2;
    }
    return line;
}

}  // namespace tobrisk
