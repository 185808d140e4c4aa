// The symbol-set table: every row's number and range count, the rows given in full, and the
// code lists and font types they give.
#include "TrueTypeSymbolSets.h"

#include <gtest/gtest.h>

#include <vector>

namespace vintrel {
bool operator==(const SymbolRange& a, const SymbolRange& b)
{
    return a.kind == b.kind && a.first == b.first && a.last == b.last;
}
} // namespace vintrel

namespace {

using vintrel::buildCodeList;
using vintrel::SymbolRange;
using vintrel::symbolSet;

struct Row {
    std::uint16_t value;
    std::size_t ranges;
};

// Rows 10, 13 and 14 and the unbounded row 0 are the ones whose published definitions give other
// counts; see the table's source.
constexpr Row kRows[vintrel::kSymbolSetCount] = {
    {56, 96},  {4, 13},   {9, 19},   {14, 10},  {19, 19},  {20, 182}, {21, 6},    {37, 9},
    {38, 19},  {39, 15},  {53, 20},  {78, 89},  {83, 17},  {174, 20}, {180, 39},  {232, 35},
    {234, 97}, {277, 100}, {293, 104}, {308, 160}, {309, 12}, {330, 57}, {341, 160}, {373, 160},
    {394, 126}, {405, 163}, {426, 6}, {458, 6},  {565, 162}, {621, 187}, {629, 29}, {18540, 222}};

std::vector<SymbolRange> rangesOf(std::size_t row)
{
    const auto r = symbolSet(row).ranges;
    return {r.begin(), r.end()};
}

TEST(TrueTypeSymbolSets, EveryRowHasItsNumberAndRangeCount)
{
    for (std::size_t row = 0; row < vintrel::kSymbolSetCount; ++row) {
        EXPECT_EQ(symbolSet(row).value, kRows[row].value) << "row " << row;
        EXPECT_EQ(symbolSet(row).ranges.size(), kRows[row].ranges) << "row " << row;
    }
}

TEST(TrueTypeSymbolSets, TheRowsGivenInFull)
{
    const std::vector<SymbolRange> ascii = {{0, 33, 38},  {1, 39, 0x2019}, {0, 40, 95},
                                            {1, 96, 0x2018}, {0, 97, 126},   {1, 127, 0x2592}};
    EXPECT_EQ(rangesOf(6), ascii);
    const std::vector<SymbolRange> latin1 = {{0, 33, 93},   {1, 94, 0x02C6}, {0, 95, 125},    {1, 126, 0x02DC},
                                             {1, 127, 0x2592}, {0, 161, 174}, {1, 175, 0x02C9}, {0, 176, 182},
                                             {1, 183, 0x2219}, {0, 184, 255}};
    EXPECT_EQ(rangesOf(3), latin1);
    const std::vector<SymbolRange> unboundedStart = {{0, 32, 126}, {0, 129, 255}, {0, 258, 263}};
    const std::vector<SymbolRange> unbounded = rangesOf(0);
    EXPECT_EQ(std::vector<SymbolRange>(unbounded.begin(), unbounded.begin() + 3), unboundedStart);
}

TEST(TrueTypeSymbolSets, CodeListsAndFontTypes)
{
    struct Case {
        std::uint32_t row;
        std::size_t entries;
        std::uint8_t fontType;
    };
    const Case cases[] = {
        {6, 95, 0},    // ISO 6 ASCII: codes 33 to 127
        {0, 464, 11},  // unbounded: the union of the other rows
        {3, 190, 1},   // ISO Latin 1: code 200, no code 150
        {22, 253, 2},  // PC-8: code 150
    };
    for (const Case& c : cases) {
        const auto list = buildCodeList(c.row);
        ASSERT_TRUE(list) << c.row;
        EXPECT_EQ(list->entries.size(), c.entries) << c.row;
        EXPECT_EQ(list->fontType, c.fontType) << c.row;
        EXPECT_EQ(list->symbolSetValue, kRows[c.row].value);
    }
    const auto ascii = buildCodeList(6);
    EXPECT_EQ(ascii->entries.front().code, 33);
    EXPECT_EQ(ascii->entries[6].code, 39);
    EXPECT_EQ(ascii->entries[6].unicode, 0x2019);
    EXPECT_EQ(ascii->entries.back().code, 127);
    EXPECT_EQ(ascii->entries.back().unicode, 0x2592);
    EXPECT_FALSE(buildCodeList(32));
}

} // namespace
