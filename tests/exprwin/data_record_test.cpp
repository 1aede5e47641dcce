#include "exprwin/data_record.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

namespace tobrisk {
namespace {

using namespace layout;

NewRecordContext context(char decimal = '.') {
    NewRecordContext ctx;
    ctx.today = 46364.75;  // 2026-12-08 18:00
    ctx.programFolder = "/opt/tobrisk/";
    ctx.exprWidth = 300;
    ctx.exprHeight = 54;
    ctx.screenWidth = 1024;
    ctx.screenHeight = 768;
    ctx.separators = Separators{decimal, decimal == '.' ? ',' : '.'};
    return ctx;
}

TEST(DataRecord, NewRecordHasEveryFieldAtItsOffset) {
    DataRecord r;
    r.fillNew(context());
    const auto& b = r.bytes();
    EXPECT_EQ(b.size(), 14664u);
    EXPECT_EQ(b[0], 7);
    EXPECT_EQ(std::memcmp(&b[1], "Tobrisk", 7), 0);
    for (int i = 8; i < 16; ++i) EXPECT_EQ(b[i], 0) << i;
    EXPECT_EQ(r.f64(16), 46364.0);  // date part only
    EXPECT_EQ(r.str(24, 10), "10");
    EXPECT_EQ(r.str(35, 50), "/opt/tobrisk/");
    EXPECT_EQ(r.str(86, 50), "/opt/tobrisk/");
    EXPECT_EQ(r.str(137, 50), "Tbdata.dat");
    EXPECT_EQ(r.i32(188), 0);
    EXPECT_EQ(r.str(192, 50), "Tahoma");
    struct {
        int slot;
        int32_t value;
    } const slots[] = {{0, 0},    {1, 300},  {2, 54}, {3, 384 - 27}, {4, 512 - 150}, {5, 1},
                       {6, -1},   {7, 0},    {8, 1},  {9, 0},        {10, 0},        {13, 0},
                       {14, 462}, {15, 156}, {16, 0}, {17, 0},       {18, 1},        {19, 1},
                       {20, 12},  {21, 0},   {22, 0}, {25, 0}};
    for (const auto& s : slots) EXPECT_EQ(r.i32(256 + 4 * s.slot), s.value) << "slot " << s.slot;
    EXPECT_EQ(r.i32(360), 3);
    EXPECT_EQ(r.str(608 + 31, 30), "r");
    EXPECT_EQ(r.str(608 + 62, 30), "pi");
    EXPECT_EQ(r.str(608 + 93, 30), "e");
    EXPECT_EQ(r.f64(2992 + 16), 3.141592653589793);
    EXPECT_EQ(r.f64(2992 + 24), 2.718281828459045);
    EXPECT_EQ(r.i32(364 + 4), 0);
    EXPECT_EQ(b[14156], 0);  // empty function names list
    EXPECT_EQ(r.i32(14412), 0);
    EXPECT_EQ(r.str(14416, 50), "LcdD");
    EXPECT_EQ(r.i32(14468), 12);
    EXPECT_EQ(b[14472], 1);
    EXPECT_EQ(r.str(14473, 50), "MS Sans Serif");
    EXPECT_EQ(r.i32(14524), 9);
    EXPECT_EQ(b[14528], 0);
    for (int k = 0; k < 12; ++k) EXPECT_EQ(r.f64(14536 + 8 * k), 0.0);
    EXPECT_EQ(r.i32(14632), 0);
    EXPECT_EQ(r.i32(14636), 0);
    EXPECT_EQ(r.i32(14640), 0);
    EXPECT_EQ(r.i32(14644), 4);
    EXPECT_EQ(r.i32(14648), 0);
    EXPECT_EQ(r.i32(14652), 384 - 27);  // the expression window's top and left
    EXPECT_EQ(r.i32(14656), 512 - 150);
    EXPECT_EQ(r.i32(14660), 0);
}

TEST(DataRecord, CommaLocaleChangesTheFinancialDefaults) {
    DataRecord r;
    r.fillNew(context(','));
    EXPECT_EQ(r.slot(kFinType), 0);
    EXPECT_EQ(r.slot(kFinPeriods), 1);
    EXPECT_EQ(r.slot(kFinLanguage), 1);
}

TEST(DataRecord, WindowTopUsesTruncatingDivision) {
    DataRecord r;
    auto ctx = context();
    ctx.screenHeight = 767;
    ctx.exprHeight = 55;
    r.fillNew(ctx);
    EXPECT_EQ(r.slot(kExprTop), 383 - 27);
}

TEST(DataRecord, StringsAreCutToCapacityAndKeepStaleTail) {
    DataRecord r;
    r.setName(5, "abcdefghij");
    r.setName(5, "xy");
    EXPECT_EQ(r.name(5), "xy");
    EXPECT_EQ(r.u8(kNames + 31 * 5 + 3), 'c');  // stale bytes carried
    r.setName(5, std::string(40, 'n'));
    EXPECT_EQ(r.name(5), std::string(30, 'n'));
    EXPECT_EQ(r.u8(kNames + 31 * 6), 0);  // the next name untouched
}

TEST(DataRecord, OutOfRangePositionsAreIgnored) {
    DataRecord r;
    r.fillNew(context());
    const auto before = r.bytes();
    r.setName(61, "x");
    r.setName(-1, "x");
    r.setValue(1000, 1);
    r.setRpnRegister(12, 1);
    r.setSlot(26, 5);
    r.clearEntry(99);
    EXPECT_EQ(r.bytes(), before);
    EXPECT_EQ(r.name(61), "");
    EXPECT_EQ(r.rpnRegister(-1), 0.0);
}

TEST(DataRecord, ClearEntryLeavesNothingOfTheOldEntry) {
    DataRecord r;
    r.fillNew(context());
    r.setKind(4, EntryKind::IntegerVariable);
    r.setName(4, "b");
    r.setValue(4, 7);
    r.setIntValue(4, 7);
    r.setBody(4, "x+1");
    r.clearEntry(4);
    EXPECT_EQ(r.kind(4), EntryKind::Variable);
    EXPECT_EQ(r.name(4), "");
    EXPECT_EQ(r.value(4), 0.0);
    EXPECT_EQ(r.intValue(4), 0);
    EXPECT_EQ(r.body(4), "");
}

TEST(DataRecord, SanitizeLeavesAValidRecordByteForByte) {
    DataRecord r;
    r.fillNew(context());
    r.setCount(4);
    r.setKind(4, EntryKind::UserFunction);
    r.setName(4, "f");
    r.setParamCount(4, 2);
    const auto before = r.bytes();
    r.sanitize(Separators{});
    EXPECT_EQ(r.bytes(), before);
}

struct Corruption {
    const char* what;
    std::size_t offset;
    int32_t value;
    std::size_t checkOffset;
    int32_t expected;
};

class SanitizeTable : public ::testing::TestWithParam<Corruption> {};

TEST_P(SanitizeTable, FallsBackToTheNewRecordValue) {
    const auto& c = GetParam();
    DataRecord r;
    r.fillNew(context());
    r.setI32(c.offset, c.value);
    r.sanitize(Separators{});
    EXPECT_EQ(r.i32(c.checkOffset), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SanitizeTable,
    ::testing::Values(
        Corruption{"decimal places", kSlots + 4 * 6, 10, kSlots + 4 * 6, -1},
        Corruption{"decimal places low", kSlots + 4 * 6, -2, kSlots + 4 * 6, -1},
        Corruption{"angle unit", kSlots + 4 * 5, 7, kSlots + 4 * 5, 1},
        Corruption{"periods per rate", kSlots + 4 * 20, 0, kSlots + 4 * 20, 12},
        Corruption{"periods per rate high", kSlots + 4 * 20, 100, kSlots + 4 * 20, 12},
        Corruption{"language", kSlots + 4 * 22, 2, kSlots + 4 * 22, 0},
        Corruption{"active calculator", kActiveCalculator, 3, kActiveCalculator, 0},
        Corruption{"active calculator negative", kActiveCalculator, -1, kActiveCalculator, 0},
        Corruption{"rpn display mode", kRpnDisplayMode, 3, kRpnDisplayMode, 0},
        Corruption{"rpn digits", kRpnDigits, 12, kRpnDigits, 4},
        Corruption{"glyph set", kRpnGlyphSet, -5, kRpnGlyphSet, 0},
        Corruption{"rpn angle", kRpnAngleMode, 2, kRpnAngleMode, 0},
        Corruption{"count above 60", kCount, 61, kCount, 60},
        Corruption{"count huge", kCount, 0x7fffffff, kCount, 60},
        Corruption{"count negative", kCount, -4, kCount, 3},
        Corruption{"kind", kKinds + 4 * 2, 9, kKinds + 4 * 2, 0}));

TEST(DataRecord, SanitizeClampsStringLengths) {
    DataRecord r;
    r.fillNew(context());
    r.setU8(kNames + 31 * 2, 200);
    r.setU8(kFontName, 255);
    r.setU8(kParamBodies + 61 * 3, 99);
    r.sanitize(Separators{});
    EXPECT_LE(r.name(2).size(), 30u);
    EXPECT_LE(r.exprFont().name.size(), 50u);
    EXPECT_LE(r.paramBody(3).size(), 60u);
}

TEST(DataRecord, RandomBytesNeverLeaveTheBuffer) {
    std::mt19937 rng(12345);
    for (int round = 0; round < 300; ++round) {
        DataRecord r;
        for (auto& b : r.bytes()) b = static_cast<uint8_t>(rng());
        r.sanitize(Separators{});
        ASSERT_GE(r.count(), 3);
        ASSERT_LE(r.count(), 60);
        for (int i = 0; i <= 61; ++i) {
            (void)r.name(i);
            (void)r.paramBody(i);
            ASSERT_LE(static_cast<int>(r.kind(i)), 3);
        }
        ASSERT_GE(r.slot(kDecimalPlaces), -1);
        ASSERT_LE(r.slot(kDecimalPlaces), 9);
        ASSERT_GE(r.slot(kFinPeriods), 1);
        ASSERT_LE(r.slot(kFinPeriods), 99);
        ASSERT_LE(r.rpnDigits(), 11);
    }
}

TEST(DataRecord, ResetStoreKeepsOnlyTheNatives) {
    DataRecord r;
    r.fillNew(context());
    r.setCount(5);
    r.setName(4, "a");
    r.setUserFunctionNames("f g ");
    r.resetStore();
    EXPECT_EQ(r.count(), 3);
    EXPECT_EQ(r.name(4), "");
    EXPECT_EQ(r.userFunctionNames(), "");
    EXPECT_EQ(r.name(1), "r");
}

}  // namespace
}  // namespace tobrisk
