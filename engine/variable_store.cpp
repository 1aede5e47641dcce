#include "engine/variable_store.h"

#include <algorithm>
#include <bitset>
#include <cmath>
#include <cstring>

#include "engine/name_chars.h"
#include "engine/number_forms.h"
#include "platform/clock.h"

namespace tobrisk {

namespace {

constexpr int kListingNameCut = 33;
constexpr int kListingSignatureCut = 80;
constexpr int kListingEqualsCut = 83;
constexpr int kListingBodyCut = 133;

std::string cut(std::string s, std::size_t n) {
    if (s.size() > n) s.resize(n);
    return s;
}

bool containsWord(const std::string& list, std::string_view name) {
    std::string key = " ";
    key += name;
    key += ' ';
    return list.find(key) != std::string::npos;
}

// "&0" + digit below 10, "&" + two digits from 10 on.
std::string placeholder(int n) {
    return (n < 10 ? "&0" : "&") + std::to_string(n);
}

}  // namespace

VariableStore::VariableStore(DataRecord& record) : record_(record) {
    rebuildFunctionNames();
}

int VariableStore::count() const {
    return std::clamp<int>(record_.count(), 0, kMaxEntries);
}

int VariableStore::find(std::string_view name) const {
    const int n = count();
    for (int i = 1; i <= n; ++i) {
        if (record_.name(i) == name) return i;
    }
    return 0;
}

int VariableStore::findUserFunction(std::string_view name) const {
    const int n = count();
    for (int i = 1; i <= n; ++i) {
        if (record_.kind(i) == EntryKind::UserFunction && record_.name(i) == name) return i;
    }
    return 0;
}

const std::string& VariableStore::nativeNames() {
    static const std::string names =
        " sin seno cos tan asin aseno acos atan exp log round sqrt raiz fact fat rand comb gcd mdc"
        " lcm mmc mod e pi r ";
    return names;
}

bool VariableStore::isNativeName(std::string_view name) {
    return containsWord(nativeNames(), name);
}

bool VariableStore::isFunctionName(std::string_view name) const {
    return containsWord(functionNames_, name);
}

std::string VariableStore::userFunctionNames() const {
    return record_.userFunctionNames();
}

void VariableStore::rebuildFunctionNames() {
    // From the entries themselves: the saved list may have been cut at its capacity.
    functionNames_ = nativeNames();
    const int n = count();
    for (int i = 1; i <= n; ++i) {
        if (record_.kind(i) != EntryKind::UserFunction || record_.paramCount(i) <= 0) continue;
        const std::string name = record_.name(i);
        if (!name.empty() && !containsWord(functionNames_, name)) functionNames_ += name + " ";
    }
}

void VariableStore::addUserFunctionName(const std::string& name) {
    // The saved list has no blank before its first name, so look it up with one in front.
    const std::string saved = record_.userFunctionNames();
    if (!containsWord(" " + saved, name)) record_.setUserFunctionNames(saved + name + " ");
    if (!containsWord(functionNames_, name)) functionNames_ += name + " ";
}

void VariableStore::forgetUserFunction(std::string_view name) {
    auto removeWord = [&](std::string list, bool leadingBlank) {
        std::string padded = leadingBlank ? list : " " + list;
        std::string key = " " + std::string(name) + " ";
        auto at = padded.find(key);
        if (at == std::string::npos) return list;
        padded.erase(at + 1, key.size() - 1);
        return leadingBlank ? padded : padded.substr(1);
    };
    record_.setUserFunctionNames(removeWord(record_.userFunctionNames(), false));
    functionNames_ = removeWord(functionNames_, true);
}

VariableStore::Check VariableStore::checkDefinition(const std::string& name,
                                                    const std::string& body, int index) {
    Check check;
    if (containsWord(nativeNames(), name)) {
        check.reason = (name == "r" || name == "e" || name == "pi") ? "name of native variable"
                                                                    : "name of native function";
        return check;
    }
    if (index < 1 || index > kMaxEntries) {
        check.reason = kFullMessage;
        return check;
    }
    if (static_cast<int>(body.size()) > layout::kBodyCapacity) {
        check.reason = "body with more than 50 characters";
        return check;
    }
    if (body.find('&') != std::string::npos) {
        check.reason = "character & not allowed in a body";
        return check;
    }

    // The output is kept as pieces so that parameter numbers can be renumbered at the end.
    struct Piece {
        std::string text;
        int param = 0;  // 0: literal text
    };
    std::vector<Piece> pieces;
    std::vector<std::string> params;
    std::string reason;
    std::size_t copied = 0;
    const std::size_t len = body.size();
    std::size_t i = 0;
    while (i < len) {
        const unsigned char c = static_cast<unsigned char>(body[i]);
        if (!isAsciiLetter(c)) {
            ++i;
            continue;
        }
        // The exponent letter of a number such as 1.5e-3 starts no identifier.
        if ((c == 'e' || c == 'E') && i > 0 && i + 1 < len &&
            (body[i - 1] == '.' || isDigit(body[i - 1])) &&
            (body[i + 1] == '-' || body[i + 1] == '+' || isDigit(body[i + 1]))) {
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        while (j < len && isNameChar(static_cast<unsigned char>(body[j]))) ++j;
        const std::string ident = lowerName(body.substr(i, j - i));
        if (ident == name) {
            check.reason = "auto-reference";
            return check;
        }
        std::size_t k = j;
        while (k < len && body[k] == ' ') ++k;
        bool asParameter = true;
        if (k < len && body[k] == '(') {
            if (containsWord(functionNames_, ident)) {
                pieces.push_back({body.substr(copied, j - copied), 0});
                copied = j;
                asParameter = false;
            } else {
                reason = "reference to inexistent function";
            }
        }
        if (asParameter) {
            auto found = std::find(params.begin(), params.end(), ident);
            int number = static_cast<int>(found - params.begin()) + 1;
            if (found == params.end()) params.push_back(ident);
            std::string before = body.substr(copied, i - copied);
            if (i > 0 && isDigit(body[i - 1])) before += '*';
            pieces.push_back({before, 0});
            pieces.push_back({"", number});
            copied = j;
        }
        i = j;
    }
    pieces.push_back({body.substr(copied), 0});
    if (!reason.empty()) {
        check.reason = reason;
        return check;
    }
    if (static_cast<int>(params.size()) > kMaxParameters) {
        check.reason = "more than 20 parameters";
        return check;
    }

    if (params.empty()) {
        record_.setParamCount(index, 0);
        record_.setSignature(index, "");
        record_.setParamBody(index, "");
        check.accepted = true;
        check.notice = kConstantNotice;
        return check;
    }
    // The first parameter gets the highest number: the evaluator's slot 1 is the last argument.
    const int total = static_cast<int>(params.size());
    std::string paramBody;
    for (const Piece& p : pieces) paramBody += p.param ? placeholder(total - p.param + 1) : p.text;
    if (static_cast<int>(paramBody.size()) > layout::kParamBodyCapacity) {
        check.reason = "parameterised body with more than 60 characters";
        return check;
    }
    std::string signature = "(";
    for (std::size_t p = 0; p < params.size(); ++p) signature += (p ? "," : "") + params[p];
    signature += ")";
    record_.setParamCount(index, total);
    record_.setSignature(index, signature);
    record_.setParamBody(index, paramBody);
    addUserFunctionName(name);
    check.accepted = true;
    return check;
}

VariableStore::Definition VariableStore::define(const std::string& name, const std::string& body) {
    Definition def;
    int index = find(name);
    const bool isNew = index == 0;
    if (isNew) {
        if (count() >= kMaxEntries) {
            def.message = kFullMessage;
            return def;
        }
        index = count() + 1;
        record_.clearEntry(index);
    }
    Check check = checkDefinition(name, body, index);
    if (!check.accepted) {
        if (isNew) record_.clearEntry(index);
        def.message = "function \"" + name + "\" refused: " + check.reason;
        return def;
    }
    if (isNew) {
        record_.setCount(index);
        record_.setName(index, cut(name, layout::kNameCapacity));
    }
    record_.setKind(index, EntryKind::UserFunction);
    record_.setBody(index, body);
    def.stored = true;
    def.message = check.notice;
    return def;
}

int VariableStore::append() {
    const int n = count();
    if (n >= kMaxEntries) return 0;
    record_.clearEntry(n + 1);
    record_.setCount(n + 1);
    return n + 1;
}

void VariableStore::remove(int index) {
    const int n = count();
    if (index <= kNativeEntries || index > n) return;
    for (int i = index; i < n; ++i) record_.copyEntry(i + 1, i);
    record_.clearEntry(n);
    record_.setCount(n - 1);
}

void VariableStore::reset() {
    for (int i = 0; i <= kMaxEntries; ++i) record_.clearEntry(i);
    record_.setName(1, "r");
    record_.setName(2, "pi");
    record_.setValue(2, kPi);
    record_.setName(3, "e");
    record_.setValue(3, kE);
    record_.setCount(kNativeEntries);
    record_.setUserFunctionNames("");
    rebuildFunctionNames();
}

void VariableStore::setVariable(int index, double v) {
    record_.setKind(index, EntryKind::Variable);
    record_.setValue(index, v);
    record_.setIntValue(index, 0);
}

void VariableStore::setIntegerVariable(int index, double v, int64_t n) {
    record_.setKind(index, EntryKind::IntegerVariable);
    record_.setValue(index, v);
    record_.setIntValue(index, n);
}

namespace {

// The fields a listing line is made from, as columns of the record.
struct ListedColumn {
    std::size_t offset;
    std::size_t stride;
};
constexpr ListedColumn kListedColumns[] = {
    {layout::kKinds, 4},       {layout::kNames, layout::kNameCapacity + 1},
    {layout::kTimes, 8},       {layout::kValues, 8},
    {layout::kIntValues, 8},   {layout::kBodies, layout::kBodyCapacity + 1},
    {layout::kParamCounts, 4}, {layout::kSignatures, layout::kSignatureCapacity + 1},
};

}  // namespace

// Made in place, so that a line made again keeps its storage.
void VariableStore::writeListingLine(std::string& line, int i, const NumberForms& forms) const {
    const std::string name = record_.name(i);
    const auto head = [&] {
        line.assign(name);
        line += " = ";
        if (line.size() > kListingNameCut) line.resize(kListingNameCut);
    };
    switch (record_.kind(i)) {
        case EntryKind::UserFunction:
            if (record_.paramCount(i) > 0) {
                std::string s = cut(name + record_.signature(i), kListingSignatureCut);
                s = cut(s + " = ", kListingEqualsCut);
                line = cut(s + record_.body(i), kListingBodyCut);
            } else {
                head();
                line = cut(line + record_.body(i), kListingEqualsCut);
            }
            break;
        case EntryKind::Event:
            line = formatLongTime(record_.time(i)) + " - " + record_.body(i);
            break;
        case EntryKind::IntegerVariable:
            head();
            line += NumberForms::plainInteger(record_.intValue(i));
            break;
        default: {
            // A damaged data file may hold a non-number; it is never shown as one.
            const double v = record_.value(i);
            head();
            if (std::isfinite(v)) {
                forms.appendGeneralForm(line, v);
            } else {
                line += "invalid";
            }
            break;
        }
    }
}

const std::vector<std::string>& VariableStore::refreshListing(const NumberForms& forms) {
    const int n = count();
    const DataRecord::Bytes& now = record_.bytes();
    const bool all = listedCount_ < 0 || static_cast<int>(listing_.size()) != listedCount_ ||
                     forms.separators().decimal != listedDecimal_;
    // Which positions changed: whole columns compared first, entries only in a column that
    // differs. Line 1 set by the evaluator from a damaged r is made again.
    std::bitset<layout::kStorePositions> changed;
    const int common = all ? 0 : std::min(n, listedCount_);
    if (firstLineSet_ && n >= 1) changed[1] = true;
    const int from = changed[1] ? 2 : 1;
    for (const ListedColumn& c : kListedColumns) {
        const std::size_t at = c.offset + c.stride * static_cast<std::size_t>(from);
        if (common < from ||
            std::memcmp(&now[at], &listed_[at],
                        c.stride * static_cast<std::size_t>(common - from + 1)) == 0)
            continue;
        for (int i = from; i <= common; ++i) {
            const std::size_t entry = c.offset + c.stride * static_cast<std::size_t>(i);
            if (std::memcmp(&now[entry], &listed_[entry], c.stride) != 0) changed[i] = true;
        }
    }
    listing_.resize(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) {
        if (!all && i <= common && !changed[i]) continue;
        writeListingLine(listing_[static_cast<std::size_t>(i - 1)], i, forms);
        for (const ListedColumn& c : kListedColumns) {
            const std::size_t at = c.offset + c.stride * static_cast<std::size_t>(i);
            std::memcpy(&listed_[at], &now[at], c.stride);
        }
    }
    listedCount_ = n;
    listedDecimal_ = forms.separators().decimal;
    firstLineSet_ = false;
    // Every refresh counts as a change, as when every line was made again: the window reloads
    // its list after each calculation as it always did.
    ++listingVersion_;
    return listing_;
}

void VariableStore::setFirstListingLine(std::string_view line) {
    firstLineSet_ = true;
    if (listing_.empty()) {
        listing_.emplace_back(line);
    } else {
        listing_.front().clear();  // kept storage, plain append
        listing_.front().append(line);
    }
    ++listingVersion_;
}

void VariableStore::setFirstListingLine(std::string_view line, const Value& r) {
    setFirstListingLine(line);
    // The line stands while the record holds that r as a number under its own name; a damaged
    // entry is shown as the record's line shows it.
    const int i = kRIndex;
    const DataRecord::Bytes& now = record_.bytes();
    const std::size_t name = layout::kNames + (layout::kNameCapacity + 1) * i;
    const EntryKind kind = r.exact ? EntryKind::IntegerVariable : EntryKind::Variable;
    const double v = record_.value(i);
    if (count() < i || record_.kind(i) != kind || now[name] != 1 || now[name + 1] != 'r' ||
        !std::isfinite(r.value) || std::memcmp(&v, &r.value, sizeof v) != 0 ||
        record_.intValue(i) != (r.exact ? r.twin : 0))
        return;
    // Line 1 is current for the fields it is made from; should another field of the entry
    // differ from the last refresh, that refresh makes the line again.
    firstLineSet_ = false;
    const auto copy = [&](std::size_t offset, std::size_t stride) {
        const std::size_t at = offset + stride * static_cast<std::size_t>(i);
        std::copy_n(&now[at], stride, &listed_[at]);
    };
    copy(layout::kKinds, 4);
    copy(layout::kNames, layout::kNameCapacity + 1);
    copy(layout::kValues, 8);
    copy(layout::kIntValues, 8);
}

}  // namespace tobrisk
