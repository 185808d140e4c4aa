// The symbol-set table: the data file against the published range counts and the rows given in
// full, the engine's table against the data file, and the code lists and font types they give.
#include "TrueTypeSymbolRows.h"
#include "TrueTypeSymbolSets.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using qrl::test::RowRange;
using vintrel::buildCodeList;
using vintrel::symbolSet;

struct Row {
    std::uint16_t value;
    std::size_t ranges; // the published count; row 0 has none (see the data file's README)
};

constexpr Row kRows[vintrel::kSymbolSetCount] = {
    {56, 0},    {4, 13},    {9, 19},    {14, 10},   {19, 19},   {20, 182},  {21, 6},    {37, 9},
    {38, 19},   {39, 15},   {53, 114},  {78, 89},   {83, 17},   {174, 20},  {180, 39},  {232, 35},
    {234, 97},  {277, 100}, {293, 104}, {308, 160}, {309, 12},  {330, 57},  {341, 160}, {373, 160},
    {394, 126}, {405, 163}, {426, 95},  {458, 22},  {565, 162}, {621, 187}, {629, 29},  {18540, 222}};

class SymbolRowsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_rows = qrl::test::readSymbolRows(qrl::test::symbolRowsPath());
        ASSERT_EQ(m_rows.size(), vintrel::kSymbolSetCount) << qrl::test::symbolRowsPath();
    }

    std::vector<std::vector<RowRange>> m_rows;
};

TEST_F(SymbolRowsFile, MeetsThePublishedCountsAndGivenRows)
{
    for (std::size_t row = 1; row < vintrel::kSymbolSetCount; ++row)
        EXPECT_EQ(m_rows[row].size(), kRows[row].ranges) << "row " << row;

    const std::vector<RowRange> ascii = {{0, 33, 38},     {1, 39, 0x2019}, {0, 40, 95},
                                         {1, 96, 0x2018}, {0, 97, 126},    {1, 127, 0x2592}};
    EXPECT_EQ(m_rows[6], ascii);
    const std::vector<RowRange> latin1 = {
        {0, 33, 93},   {1, 94, 0x02C6},  {0, 95, 125},  {1, 126, 0x02DC}, {1, 127, 0x2592},
        {0, 161, 174}, {1, 175, 0x02C9}, {0, 176, 182}, {1, 183, 0x2219}, {0, 184, 255}};
    EXPECT_EQ(m_rows[3], latin1);
    const std::vector<RowRange> unboundedStart = {{0, 32, 126}, {0, 129, 255}, {0, 258, 263}};
    ASSERT_GE(m_rows[0].size(), unboundedStart.size());
    EXPECT_EQ(std::vector<RowRange>(m_rows[0].begin(), m_rows[0].begin() + 3), unboundedStart);
}

TEST_F(SymbolRowsFile, TheEngineTableIsTheFile)
{
    for (std::size_t row = 0; row < vintrel::kSymbolSetCount; ++row) {
        const auto set = symbolSet(row);
        EXPECT_EQ(set.value, kRows[row].value) << "row " << row;
        std::vector<RowRange> engine;
        for (const auto& r : set.ranges)
            engine.push_back({r.kind, r.first, r.last});
        EXPECT_EQ(engine, m_rows[row]) << "row " << row;
    }
}

TEST(TrueTypeSymbolSets, CodeListsAndFontTypes)
{
    struct Case {
        std::uint32_t row;
        std::size_t entries;
        std::uint8_t fontType;
    };
    const Case cases[] = {
        {6, 95, 0},   // ISO 6 ASCII: codes 33 to 127
        {0, 881, 11}, // unbounded: every character the bound sets ask for
        {3, 190, 1},  // ISO Latin 1: code 200, no code 150
        {22, 253, 2}, // PC-8: code 150
        {31, 222, 2}, // WingDings: 33 to 126 and 128 to 255
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

// Codes whose characters the published sets fix and an earlier table had wrong: Thai and Symbol
// at their real Unicode values rather than U+F000 plus the code, sharp s and micro in the PC-8
// sets, the Roman-8 upper half of Legal, WingDings without code 127.
TEST(TrueTypeSymbolSets, TellingCodes)
{
    struct Case {
        std::uint32_t row;
        std::uint16_t code;
        int unicode; // -1: the code is not in the set
    };
    const Case cases[] = {
        {5, 161, 0x0E01},   {29, 65, 0x0391},   {29, 97, 0x03B1},   {19, 0xE1, 0x00DF},
        {19, 0xE6, 0x00B5}, {23, 0xE1, 0x00DF}, {23, 0xE6, 0x00B5}, {10, 161, 0x00C0},
        {10, 254, 0x00B1},  {31, 127, -1},      {31, 255, 0xF0FF},
    };
    for (const Case& c : cases) {
        const auto list = buildCodeList(c.row);
        ASSERT_TRUE(list);
        int found = -1;
        for (const auto& e : list->entries)
            if (e.code == c.code)
                found = e.unicode;
        EXPECT_EQ(found, c.unicode) << "row " << c.row << " code " << c.code;
    }
}

} // namespace
