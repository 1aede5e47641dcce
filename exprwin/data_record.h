#pragma once
// The data record: the one 14664-byte block that holds everything the program remembers (the
// variable store, options, fonts, geometry, RPN registers and settings). It is the live storage
// of those fields, so every owner reads and writes its fields here directly, through typed
// little-endian accessors. Bytes a caller does not write (padding, stale string tails) are carried
// unchanged: an untouched record saves back to the bytes it was loaded from.
//
// Accessors never read or write outside the buffer: store positions outside 0..60, register
// numbers outside 0..11 and slots outside 0..25 are ignored (reads give 0 / empty).

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "exprwin/record_layout.h"
#include "platform/dialogs.h"
#include "platform/separators.h"

namespace tobrisk {

enum class EntryKind : int32_t { Variable = 0, UserFunction = 1, Event = 2, IntegerVariable = 3 };

// What a new record needs from its surroundings.
struct NewRecordContext {
    double today = 0;                            // date part only is stored
    std::string programFolder;                   // Windows-1252, cut to 50
    FontSpec entryFont{"Tahoma", 10, kBold, 0};  // the entry line's design font
    int exprWidth = 300, exprHeight = 80;        // the expression window's current size
    int screenWidth = 1024, screenHeight = 768;
    Separators separators;
};

class DataRecord {
  public:
    using Bytes = std::array<std::uint8_t, layout::kRecordSize>;

    DataRecord();  // all zero; call fillNew() for a usable record

    Bytes& bytes() { return bytes_; }
    const Bytes& bytes() const { return bytes_; }

    // Replaces the whole record by a new one with its defaults.
    void fillNew(const NewRecordContext& ctx);
    // Resets the variable store to r = 0, pi, e and an empty function names list.
    void resetStore();
    // After loading foreign bytes: every field that a reader relies on is brought into range
    // (see the implementation for the list). A valid record is left byte for byte as it was.
    void sanitize(const Separators& seps);
    bool hasMagic() const;

    // Raw typed access (offsets from record_layout.h).
    int32_t i32(std::size_t off) const;
    void setI32(std::size_t off, int32_t v);
    int64_t i64(std::size_t off) const;
    void setI64(std::size_t off, int64_t v);
    double f64(std::size_t off) const;
    void setF64(std::size_t off, double v);
    uint8_t u8(std::size_t off) const;
    void setU8(std::size_t off, uint8_t v);
    // string[cap]: the length byte is clamped to cap on reading; writing cuts to cap and leaves
    // the bytes after the new length as they were.
    std::string str(std::size_t off, int cap) const;
    void setStr(std::size_t off, int cap, std::string_view text);

    // Header and options.
    int32_t activeCalculator() const { return i32(layout::kActiveCalculator); }
    void setActiveCalculator(int32_t v) { setI32(layout::kActiveCalculator, v); }
    int32_t slot(int index) const;
    void setSlot(int index, int32_t value);
    FontSpec exprFont() const;
    void setExprFont(const FontSpec& font);
    double created() const { return f64(layout::kCreated); }

    // Variable store, positions 1..count.
    int32_t count() const { return i32(layout::kCount); }
    void setCount(int32_t n) { setI32(layout::kCount, n); }
    EntryKind kind(int i) const;
    void setKind(int i, EntryKind k);
    std::string name(int i) const;
    void setName(int i, std::string_view v);
    double time(int i) const;
    void setTime(int i, double v);
    double value(int i) const;
    void setValue(int i, double v);
    int64_t intValue(int i) const;
    void setIntValue(int i, int64_t v);
    std::string body(int i) const;
    void setBody(int i, std::string_view v);
    int32_t paramCount(int i) const;
    void setParamCount(int i, int32_t v);
    std::string signature(int i) const;
    void setSignature(int i, std::string_view v);
    std::string paramBody(int i) const;
    void setParamBody(int i, std::string_view v);
    // Clears every field of position i (kind 0, empty texts, zero numbers).
    void clearEntry(int i);
    // Copies every field of position from to position to.
    void copyEntry(int from, int to);
    std::string userFunctionNames() const;
    void setUserFunctionNames(std::string_view v);

    // RPN window and machine.
    bool rpnStackShown() const { return i32(layout::kRpnStackShown) == 1; }
    void setRpnStackShown(bool v) { setI32(layout::kRpnStackShown, v ? 1 : 0); }
    FontSpec rpnDisplayFont() const;
    void setRpnDisplayFont(const FontSpec& f);  // colour ignored
    FontSpec rpnButtonsFont() const;
    void setRpnButtonsFont(const FontSpec& f);
    double rpnRegister(int k) const;  // 0..11
    void setRpnRegister(int k, double v);
    int32_t rpnGlyphSet() const { return i32(layout::kRpnGlyphSet); }
    void setRpnGlyphSet(int32_t v) { setI32(layout::kRpnGlyphSet, v); }
    int32_t rpnAngleMode() const { return i32(layout::kRpnAngleMode); }  // 0 deg, 1 rad
    void setRpnAngleMode(int32_t v) { setI32(layout::kRpnAngleMode, v); }
    int32_t rpnDisplayMode() const { return i32(layout::kRpnDisplayMode); }  // 0 FIX 1 SCI 2 ENG
    void setRpnDisplayMode(int32_t v) { setI32(layout::kRpnDisplayMode, v); }
    int32_t rpnDigits() const { return i32(layout::kRpnDigits); }  // 0..10, 11 general
    void setRpnDigits(int32_t v) { setI32(layout::kRpnDigits, v); }
    int32_t rpnTopmost() const { return i32(layout::kRpnTopmost); }
    void setRpnTopmost(int32_t v) { setI32(layout::kRpnTopmost, v); }
    int32_t rpnTop() const { return i32(layout::kRpnTop); }
    void setRpnTop(int32_t v) { setI32(layout::kRpnTop, v); }
    int32_t rpnLeft() const { return i32(layout::kRpnLeft); }
    void setRpnLeft(int32_t v) { setI32(layout::kRpnLeft, v); }

  private:
    static bool validPosition(int i) { return i >= 0 && i < layout::kStorePositions; }
    static bool fits(std::size_t off, std::size_t n) {
        return off <= layout::kRecordSize && n <= layout::kRecordSize - off;
    }
    template <typename T>
    T load(std::size_t off) const {
        T v;
        std::memcpy(&v, &bytes_[off], sizeof v);
        if constexpr (std::endian::native == std::endian::big) v = swapped(v);
        return v;
    }
    template <typename T>
    void store(std::size_t off, T v) {
        if constexpr (std::endian::native == std::endian::big) v = swapped(v);
        std::memcpy(&bytes_[off], &v, sizeof v);
    }
    template <typename T>
    static T swapped(T v) {
        if constexpr (sizeof(T) == 4) return __builtin_bswap32(v);
        return __builtin_bswap64(v);
    }
    Bytes bytes_{};
};

// Little-endian whatever the host, and inline: the calculators read and write these fields for
// every line.
inline int32_t DataRecord::i32(std::size_t off) const {
    return fits(off, 4) ? static_cast<int32_t>(load<uint32_t>(off)) : 0;
}
inline void DataRecord::setI32(std::size_t off, int32_t v) {
    if (fits(off, 4)) store(off, static_cast<uint32_t>(v));
}
inline int64_t DataRecord::i64(std::size_t off) const {
    return fits(off, 8) ? static_cast<int64_t>(load<uint64_t>(off)) : 0;
}
inline void DataRecord::setI64(std::size_t off, int64_t v) {
    if (fits(off, 8)) store(off, static_cast<uint64_t>(v));
}
inline double DataRecord::f64(std::size_t off) const {
    return std::bit_cast<double>(i64(off));
}
inline void DataRecord::setF64(std::size_t off, double v) {
    setI64(off, std::bit_cast<int64_t>(v));
}

inline EntryKind DataRecord::kind(int i) const {
    if (!validPosition(i)) return EntryKind::Variable;
    const int32_t k = i32(layout::kKinds + 4 * static_cast<std::size_t>(i));
    return (k >= 0 && k <= 3) ? static_cast<EntryKind>(k) : EntryKind::Variable;
}
inline void DataRecord::setKind(int i, EntryKind k) {
    if (validPosition(i))
        setI32(layout::kKinds + 4 * static_cast<std::size_t>(i), static_cast<int32_t>(k));
}
inline double DataRecord::value(int i) const {
    return validPosition(i) ? f64(layout::kValues + 8 * static_cast<std::size_t>(i)) : 0.0;
}
inline void DataRecord::setValue(int i, double v) {
    if (validPosition(i)) setF64(layout::kValues + 8 * static_cast<std::size_t>(i), v);
}
inline int64_t DataRecord::intValue(int i) const {
    return validPosition(i) ? i64(layout::kIntValues + 8 * static_cast<std::size_t>(i)) : 0;
}
inline void DataRecord::setIntValue(int i, int64_t v) {
    if (validPosition(i)) setI64(layout::kIntValues + 8 * static_cast<std::size_t>(i), v);
}

}  // namespace tobrisk
