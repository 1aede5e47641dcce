#include "exprwin/data_record.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace tobrisk {

using namespace layout;

namespace {

constexpr std::size_t kNameStride = kNameCapacity + 1;
constexpr std::size_t kBodyStride = kBodyCapacity + 1;
constexpr std::size_t kParamBodyStride = kParamBodyCapacity + 1;

}  // namespace

DataRecord::DataRecord() = default;

uint8_t DataRecord::u8(std::size_t off) const {
    return off < kRecordSize ? bytes_[off] : 0;
}

void DataRecord::setU8(std::size_t off, uint8_t v) {
    if (off < kRecordSize) bytes_[off] = v;
}

std::string DataRecord::str(std::size_t off, int cap) const {
    if (cap < 0 || !fits(off, static_cast<std::size_t>(cap) + 1)) return {};
    std::size_t len = std::min<std::size_t>(bytes_[off], static_cast<std::size_t>(cap));
    return std::string(reinterpret_cast<const char*>(&bytes_[off + 1]), len);
}

void DataRecord::setStr(std::size_t off, int cap, std::string_view text) {
    if (cap < 0 || !fits(off, static_cast<std::size_t>(cap) + 1)) return;
    std::size_t len = std::min<std::size_t>(text.size(), static_cast<std::size_t>(cap));
    bytes_[off] = static_cast<uint8_t>(len);
    if (len > 0) std::memcpy(&bytes_[off + 1], text.data(), len);
}

int32_t DataRecord::slot(int index) const {
    if (index < 0 || index >= kSlotCount) return 0;
    return i32(kSlots + 4 * static_cast<std::size_t>(index));
}

void DataRecord::setSlot(int index, int32_t value) {
    if (index < 0 || index >= kSlotCount) return;
    setI32(kSlots + 4 * static_cast<std::size_t>(index), value);
}

FontSpec DataRecord::exprFont() const {
    return FontSpec{str(kFontName, kFontNameCapacity), i32(kFontSize), u8(kFontStyle),
                    i32(kFontColour)};
}

void DataRecord::setExprFont(const FontSpec& font) {
    setStr(kFontName, kFontNameCapacity, font.name);
    setI32(kFontSize, font.size);
    setU8(kFontStyle, static_cast<uint8_t>(font.style & 0x0F));
    setI32(kFontColour, font.colour);
}

std::string DataRecord::name(int i) const {
    return validPosition(i) ? str(kNames + kNameStride * i, kNameCapacity) : std::string();
}

void DataRecord::setName(int i, std::string_view v) {
    if (validPosition(i)) setStr(kNames + kNameStride * i, kNameCapacity, v);
}

double DataRecord::time(int i) const {
    return validPosition(i) ? f64(kTimes + 8 * i) : 0.0;
}

void DataRecord::setTime(int i, double v) {
    if (validPosition(i)) setF64(kTimes + 8 * i, v);
}

std::string DataRecord::body(int i) const {
    return validPosition(i) ? str(kBodies + kBodyStride * i, kBodyCapacity) : std::string();
}

void DataRecord::setBody(int i, std::string_view v) {
    if (validPosition(i)) setStr(kBodies + kBodyStride * i, kBodyCapacity, v);
}

int32_t DataRecord::paramCount(int i) const {
    return validPosition(i) ? i32(kParamCounts + 4 * static_cast<std::size_t>(i)) : 0;
}

void DataRecord::setParamCount(int i, int32_t v) {
    if (validPosition(i)) setI32(kParamCounts + 4 * static_cast<std::size_t>(i), v);
}

std::string DataRecord::signature(int i) const {
    return validPosition(i) ? str(kSignatures + kBodyStride * i, kSignatureCapacity)
                            : std::string();
}

void DataRecord::setSignature(int i, std::string_view v) {
    if (validPosition(i)) setStr(kSignatures + kBodyStride * i, kSignatureCapacity, v);
}

std::string DataRecord::paramBody(int i) const {
    return validPosition(i) ? str(kParamBodies + kParamBodyStride * i, kParamBodyCapacity)
                            : std::string();
}

void DataRecord::setParamBody(int i, std::string_view v) {
    if (validPosition(i)) setStr(kParamBodies + kParamBodyStride * i, kParamBodyCapacity, v);
}

// Every byte of the position goes, so nothing of a deleted entry can resurface in a new one.
void DataRecord::clearEntry(int i) {
    if (!validPosition(i)) return;
    std::memset(&bytes_[kKinds + 4 * i], 0, 4);
    std::memset(&bytes_[kNames + kNameStride * i], 0, kNameStride);
    std::memset(&bytes_[kTimes + 8 * i], 0, 8);
    std::memset(&bytes_[kValues + 8 * i], 0, 8);
    std::memset(&bytes_[kIntValues + 8 * i], 0, 8);
    std::memset(&bytes_[kBodies + kBodyStride * i], 0, kBodyStride);
    std::memset(&bytes_[kParamCounts + 4 * i], 0, 4);
    std::memset(&bytes_[kSignatures + kBodyStride * i], 0, kBodyStride);
    std::memset(&bytes_[kParamBodies + kParamBodyStride * i], 0, kParamBodyStride);
}

void DataRecord::copyEntry(int from, int to) {
    if (!validPosition(from) || !validPosition(to) || from == to) return;
    auto move = [&](std::size_t base, std::size_t stride) {
        std::memmove(&bytes_[base + stride * to], &bytes_[base + stride * from], stride);
    };
    move(kKinds, 4);
    move(kNames, kNameStride);
    move(kTimes, 8);
    move(kValues, 8);
    move(kIntValues, 8);
    move(kBodies, kBodyStride);
    move(kParamCounts, 4);
    move(kSignatures, kBodyStride);
    move(kParamBodies, kParamBodyStride);
}

std::string DataRecord::userFunctionNames() const {
    return str(kFunctionNames, kFunctionNamesCapacity);
}

void DataRecord::setUserFunctionNames(std::string_view v) {
    setStr(kFunctionNames, kFunctionNamesCapacity, v);
}

FontSpec DataRecord::rpnDisplayFont() const {
    return FontSpec{str(kRpnDisplayFontName, kFontNameCapacity), i32(kRpnDisplayFontSize),
                    u8(kRpnDisplayFontStyle), 0};
}

void DataRecord::setRpnDisplayFont(const FontSpec& f) {
    setStr(kRpnDisplayFontName, kFontNameCapacity, f.name);
    setI32(kRpnDisplayFontSize, f.size);
    setU8(kRpnDisplayFontStyle, static_cast<uint8_t>(f.style & 0x0F));
}

FontSpec DataRecord::rpnButtonsFont() const {
    return FontSpec{str(kRpnButtonsFontName, kFontNameCapacity), i32(kRpnButtonsFontSize),
                    u8(kRpnButtonsFontStyle), 0};
}

void DataRecord::setRpnButtonsFont(const FontSpec& f) {
    setStr(kRpnButtonsFontName, kFontNameCapacity, f.name);
    setI32(kRpnButtonsFontSize, f.size);
    setU8(kRpnButtonsFontStyle, static_cast<uint8_t>(f.style & 0x0F));
}

double DataRecord::rpnRegister(int k) const {
    return (k >= 0 && k < 12) ? f64(kRpnRegisters + 8 * static_cast<std::size_t>(k)) : 0.0;
}

void DataRecord::setRpnRegister(int k, double v) {
    if (k >= 0 && k < 12) setF64(kRpnRegisters + 8 * static_cast<std::size_t>(k), v);
}

bool DataRecord::hasMagic() const {
    static constexpr char kMagicText[] = "Tobrisk";
    return bytes_[kMagic] == 7 && std::memcmp(&bytes_[kMagic + 1], kMagicText, 7) == 0;
}

void DataRecord::resetStore() {
    for (int i = 0; i < kStorePositions; ++i) clearEntry(i);
    setCount(3);
    static constexpr struct {
        const char* name;
        double value;
    } kNatives[] = {{"r", 0.0}, {"pi", 3.141592653589793}, {"e", 2.718281828459045}};
    for (int i = 0; i < 3; ++i) {
        setKind(i + 1, EntryKind::Variable);
        setName(i + 1, kNatives[i].name);
        setValue(i + 1, kNatives[i].value);
    }
    std::memset(&bytes_[kFunctionNames], 0, kFunctionNamesCapacity + 1);
}

namespace {

int32_t finTypeDefault(const Separators& s) {
    return s.decimal == '.' ? 1 : 0;
}
int32_t finPeriodsDefault(const Separators& s) {
    return s.decimal == '.' ? 12 : 1;
}
int32_t finLanguageDefault(const Separators& s) {
    return s.decimal == '.' ? 0 : 1;
}

}  // namespace

void DataRecord::fillNew(const NewRecordContext& ctx) {
    bytes_.fill(0);
    setStr(kMagic, 15, "Tobrisk");
    setF64(kCreated, std::floor(ctx.today));
    setStr(kVersion, 10, "10");
    setStr(kFolder1, kFolderCapacity, ctx.programFolder);
    setStr(kFolder2, kFolderCapacity, ctx.programFolder);
    setStr(kFileName, kFolderCapacity, "Tbdata.dat");
    setActiveCalculator(0);
    setExprFont(ctx.entryFont);

    const int top = ctx.screenHeight / 2 - ctx.exprHeight / 2;
    const int left = ctx.screenWidth / 2 - ctx.exprWidth / 2;
    setSlot(kExprWidth, ctx.exprWidth);
    setSlot(kExprHeight, ctx.exprHeight);
    setSlot(kExprTop, top);
    setSlot(kExprLeft, left);
    setSlot(kAngleUnit, 1);
    setSlot(kDecimalPlaces, -1);
    setSlot(kFactorBig, 0);
    setSlot(kIntegersWithoutDecimals, 1);
    setSlot(kAutoSoma, 0);
    setSlot(kFinWidth, 462);
    setSlot(kFinHeight, 156);
    setSlot(kFinTop, 0);
    setSlot(kFinLeft, 0);
    setSlot(kFinType, finTypeDefault(ctx.separators));
    setSlot(kFinTiming, 1);
    setSlot(kFinPeriods, finPeriodsDefault(ctx.separators));
    setSlot(kFinTopmost, 0);
    setSlot(kFinLanguage, finLanguageDefault(ctx.separators));

    resetStore();

    setRpnStackShown(false);
    setRpnDisplayFont({"LcdD", 12, kBold, 0});
    setRpnButtonsFont({"MS Sans Serif", 9, 0, 0});
    setRpnGlyphSet(0);
    setRpnAngleMode(0);
    setRpnDisplayMode(0);
    setRpnDigits(4);
    setRpnTopmost(0);
    setRpnTop(top);
    setRpnLeft(left);
}

void DataRecord::sanitize(const Separators& seps) {
    // Settings with a small set of meanings fall back to their new-record value.
    struct Range {
        int slot;
        int32_t lo, hi, fallback;
    };
    const Range ranges[] = {
        {kAngleUnit, 0, 1, 1},  {kDecimalPlaces, -1, 9, -1},
        {kFactorBig, 0, 1, 0},  {kIntegersWithoutDecimals, 0, 1, 1},
        {kAutoSoma, 0, 1, 0},   {kFinType, 0, 1, finTypeDefault(seps)},
        {kFinTiming, 0, 1, 1},  {kFinPeriods, 1, 99, finPeriodsDefault(seps)},
        {kFinTopmost, 0, 1, 0}, {kFinLanguage, 0, 1, finLanguageDefault(seps)},
    };
    for (const auto& r : ranges) {
        int32_t v = slot(r.slot);
        if (v < r.lo || v > r.hi) setSlot(r.slot, r.fallback);
    }
    // Geometry far outside any screen would put a window where nobody finds it.
    const Range geometry[] = {
        {kExprWidth, 50, 10000, 300},  {kExprHeight, 20, 10000, 80}, {kExprTop, -10000, 10000, 0},
        {kExprLeft, -10000, 10000, 0}, {kFinWidth, 50, 10000, 462},  {kFinHeight, 20, 10000, 156},
        {kFinTop, -10000, 10000, 0},   {kFinLeft, -10000, 10000, 0},
    };
    for (const auto& r : geometry) {
        int32_t v = slot(r.slot);
        if (v < r.lo || v > r.hi) setSlot(r.slot, r.fallback);
    }
    if (activeCalculator() < 0 || activeCalculator() > 2) setActiveCalculator(0);
    if (bytes_[kFontName] > kFontNameCapacity) bytes_[kFontName] = kFontNameCapacity;
    if (i32(kFontSize) < 1 || i32(kFontSize) > 72) setI32(kFontSize, 10);
    if (bytes_[kFontStyle] > 0x0F) bytes_[kFontStyle] &= 0x0F;

    // The store: natives r, pi, e are relied on at positions 1..3.
    int32_t n = count();
    if (n < 3 || n > kMaxEntries || name(1) != "r" || name(2) != "pi" || name(3) != "e") {
        if (n < 3 || name(1) != "r" || name(2) != "pi" || name(3) != "e") {
            resetStore();
        } else {
            setCount(kMaxEntries);
        }
        n = count();
    }
    for (int i = 1; i <= n; ++i) {
        int32_t k = i32(kKinds + 4 * static_cast<std::size_t>(i));
        if (k < 0 || k > 3) setKind(i, EntryKind::Variable);
        auto clampLen = [&](std::size_t off, int cap) {
            if (bytes_[off] > cap) bytes_[off] = static_cast<uint8_t>(cap);
        };
        clampLen(kNames + kNameStride * i, kNameCapacity);
        clampLen(kBodies + kBodyStride * i, kBodyCapacity);
        clampLen(kSignatures + kBodyStride * i, kSignatureCapacity);
        clampLen(kParamBodies + kParamBodyStride * i, kParamBodyCapacity);
        int32_t p = paramCount(i);
        if (p < 0 || p > 20) setParamCount(i, 0);
    }
    if (bytes_[kFunctionNames] > kFunctionNamesCapacity) bytes_[kFunctionNames] = 255;

    // RPN settings.
    if (rpnGlyphSet() < 0 || rpnGlyphSet() > 2) setRpnGlyphSet(0);
    if (rpnAngleMode() < 0 || rpnAngleMode() > 1) setRpnAngleMode(0);
    if (rpnDisplayMode() < 0 || rpnDisplayMode() > 2) setRpnDisplayMode(0);
    if (rpnDigits() < 0 || rpnDigits() > 11) setRpnDigits(4);
    if (rpnTopmost() < 0 || rpnTopmost() > 1) setRpnTopmost(0);
    int32_t shown = i32(kRpnStackShown);
    if (shown < 0 || shown > 1) setI32(kRpnStackShown, 0);
    if (bytes_[kRpnDisplayFontName] > kFontNameCapacity) bytes_[kRpnDisplayFontName] = 50;
    if (bytes_[kRpnButtonsFontName] > kFontNameCapacity) bytes_[kRpnButtonsFontName] = 50;
    if (i32(kRpnDisplayFontSize) < 1 || i32(kRpnDisplayFontSize) > 72)
        setI32(kRpnDisplayFontSize, 12);
    if (i32(kRpnButtonsFontSize) < 1 || i32(kRpnButtonsFontSize) > 72)
        setI32(kRpnButtonsFontSize, 9);
    if (rpnTop() < -10000 || rpnTop() > 10000) setRpnTop(0);
    if (rpnLeft() < -10000 || rpnLeft() > 10000) setRpnLeft(0);
}

}  // namespace tobrisk
