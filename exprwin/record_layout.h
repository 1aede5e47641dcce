#pragma once
// Byte offsets of the 14664-byte data record. One place for every field; the record class and
// the tests use these names, never raw numbers.

#include <cstddef>

namespace tobrisk::layout {

inline constexpr std::size_t kRecordSize = 14664;
inline constexpr int kStorePositions = 61;  // positions 0..60; 0 is never used
inline constexpr int kMaxEntries = 60;

inline constexpr std::size_t kMagic = 0;  // string[15]
inline constexpr std::size_t kCreated = 16;
inline constexpr std::size_t kVersion = 24;  // string[10]
inline constexpr std::size_t kFolder1 = 35;  // string[50]
inline constexpr std::size_t kFolder2 = 86;
inline constexpr std::size_t kFileName = 137;
inline constexpr std::size_t kActiveCalculator = 188;
inline constexpr std::size_t kFontName = 192;  // string[50]
inline constexpr std::size_t kFontSize = 244;
inline constexpr std::size_t kFontStyle = 248;  // byte
inline constexpr std::size_t kFontColour = 252;
inline constexpr std::size_t kSlots = 256;  // 26 x int32
inline constexpr int kSlotCount = 26;
inline constexpr std::size_t kCount = 360;
inline constexpr std::size_t kKinds = 364;            // 61 x int32
inline constexpr std::size_t kNames = 608;            // 61 x string[30]
inline constexpr std::size_t kTimes = 2504;           // 61 x double
inline constexpr std::size_t kValues = 2992;          // 61 x double
inline constexpr std::size_t kIntValues = 3480;       // 61 x int64
inline constexpr std::size_t kBodies = 3968;          // 61 x string[50]
inline constexpr std::size_t kParamCounts = 7080;     // 61 x int32
inline constexpr std::size_t kSignatures = 7324;      // 61 x string[50]
inline constexpr std::size_t kParamBodies = 10435;    // 61 x string[60]
inline constexpr std::size_t kFunctionNames = 14156;  // string[255]
inline constexpr std::size_t kRpnStackShown = 14412;
inline constexpr std::size_t kRpnDisplayFontName = 14416;  // string[50]
inline constexpr std::size_t kRpnDisplayFontSize = 14468;
inline constexpr std::size_t kRpnDisplayFontStyle = 14472;  // byte
inline constexpr std::size_t kRpnButtonsFontName = 14473;   // string[50]
inline constexpr std::size_t kRpnButtonsFontSize = 14524;
inline constexpr std::size_t kRpnButtonsFontStyle = 14528;  // byte
inline constexpr std::size_t kRpnRegisters = 14536;         // 12 x double
inline constexpr std::size_t kRpnGlyphSet = 14632;
inline constexpr std::size_t kRpnAngleMode = 14636;
inline constexpr std::size_t kRpnDisplayMode = 14640;
inline constexpr std::size_t kRpnDigits = 14644;
inline constexpr std::size_t kRpnTopmost = 14648;
inline constexpr std::size_t kRpnTop = 14652;
inline constexpr std::size_t kRpnLeft = 14656;

inline constexpr int kNameCapacity = 30;
inline constexpr int kBodyCapacity = 50;
inline constexpr int kSignatureCapacity = 50;
inline constexpr int kParamBodyCapacity = 60;
inline constexpr int kFunctionNamesCapacity = 255;
inline constexpr int kFontNameCapacity = 50;
inline constexpr int kFolderCapacity = 50;

// Settings slots.
enum Slot : int {
    kExprWidth = 1,
    kExprHeight = 2,
    kExprTop = 3,
    kExprLeft = 4,
    kAngleUnit = 5,      // 1 degrees, 0 radians
    kDecimalPlaces = 6,  // -1 automatic, 0..9
    kFactorBig = 7,
    kIntegersWithoutDecimals = 8,
    kAutoSoma = 9,
    kFinWidth = 14,
    kFinHeight = 15,
    kFinTop = 16,
    kFinLeft = 17,
    kFinType = 18,     // 0 Consumer Credit, 1 Generic Formula
    kFinTiming = 19,   // 0 Start of Period, 1 End of Period
    kFinPeriods = 20,  // 1..99
    kFinTopmost = 21,
    kFinLanguage = 22,  // 0 English, 1 Portuguese
};

}  // namespace tobrisk::layout
