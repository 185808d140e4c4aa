// MakeTTFResource with installed fonts for the sets whose characters lie outside Latin-1 or whose
// table was short: the glyph records must be exactly the set's codes that the font's Unicode map
// holds, counted by a reader of the map apart from the engine's. A set the font holds none of is
// refused, not converted into a font that prints nothing.
#include "vintrel.h"

#include "ByteOrder.h"
#include "TempCwd.h"
#include "TrueTypeSymbolRows.h"
#include "TrueTypeTestFont.h"
#include "TrueTypeUnicodeMap.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

using qrl::test::readFile;
using qrl::test::TempCwd;
using qrl::test::writeFile;

constexpr std::size_t kCodeListMax = 1024;
constexpr std::uint16_t kComponentOnly = 0xFFFE;
const char* const kOutputs[] = {"TTH00007.HDR", "TTD00007.RSC", "TTI00007.RSC"};

void collectLine(const char* line, void* user)
{
    static_cast<std::vector<std::string>*>(user)->push_back(line);
}

std::string noCharactersLine(unsigned symbolSetValue)
{
    return "MakeTTFCharData(): the font maps none of the characters of symbol set " +
           std::to_string(symbolSetValue) + "\r\n";
}

struct Mapped {
    std::uint16_t code;
    int glyph;
};

// The set's codes that the font's map holds, in code-list order.
std::vector<Mapped> expectedRecords(const std::string& font, std::size_t row)
{
    const auto map = qrl::test::readUnicodeMap(font);
    EXPECT_FALSE(map.empty()) << "the font has no readable Unicode map";
    const auto rows = qrl::test::readSymbolRows(qrl::test::symbolRowsPath());
    EXPECT_GT(rows.size(), row);
    if (map.empty() || rows.size() <= row)
        return {};
    auto codes = qrl::test::expandRanges(rows[row]);
    if (codes.size() > kCodeListMax)
        codes.resize(kCodeListMax);
    std::vector<Mapped> mapped;
    for (const auto& [code, unicode] : codes)
        if (map[unicode] != qrl::test::kOutsideMap)
            mapped.push_back({code, map[unicode]});
    return mapped;
}

struct Converted {
    std::vector<std::uint16_t> codes;  // the index's printer codes, component records left out
    std::vector<std::uint16_t> glyphs; // the glyph index of each record with a printer code
    std::size_t components = 0;
};

Converted readConversion(const std::string& data, const std::string& index)
{
    Converted c;
    const auto* d = reinterpret_cast<const unsigned char*>(data.data());
    const auto* x = reinterpret_cast<const unsigned char*>(index.data());
    if (data.size() < 24 || index.size() < 28) {
        ADD_FAILURE() << "resources too short";
        return c;
    }
    const std::size_t n = qrl::bytes::getU16BE(x + 12) - 2u;
    if (index.size() < 28 + 2 * n || data.size() < 24 + 4 * n || qrl::bytes::getU16BE(d + 12) != n + 2) {
        ADD_FAILURE() << "record counts disagree";
        return c;
    }
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint16_t code = qrl::bytes::getU16BE(x + 28 + 2 * i);
        if (code == kComponentOnly) {
            ++c.components;
            continue;
        }
        const std::size_t at = 24 + 4 * i + qrl::bytes::getU32BE(d + 24 + 4 * i);
        if (at > data.size() || data.size() - at < 8) {
            ADD_FAILURE() << "record " << i << " lies past the glyph data";
            return c;
        }
        c.codes.push_back(code);
        c.glyphs.push_back(qrl::bytes::getU16BE(d + at + 6));
    }
    return c;
}

struct Case {
    std::uint32_t row;
    unsigned symbolSetValue;
    const char* font;
    bool fontHoldsNone;
};

const char* const kSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char* const kSerifBold = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";

const Case kCases[] = {
    {5, 20, kSans, false},        // 0T Thai
    {10, 53, kSans, false},       // 1U Legal
    {26, 426, kSans, false},      // 13J Ventura International
    {27, 458, kSans, false},      // 14J Ventura US
    {29, 621, kSerifBold, false}, // 19M Symbol
    {31, 18540, kSans, true},     // 579L WingDings: a text font has none of its private-use characters
};

class TrueTypeSetFromInstalledFont : public ::testing::TestWithParam<Case> {};

TEST_P(TrueTypeSetFromInstalledFont, RecordsAreTheCodesTheFontHolds)
{
    const Case& c = GetParam();
    if (!std::filesystem::exists(c.font))
        GTEST_SKIP() << c.font << " is not installed (Debian package fonts-dejavu-core)";
    const std::vector<Mapped> expected = expectedRecords(readFile(c.font), c.row);
    // Sets addressed at U+F000 plus the code would find nothing in a Unicode text font.
    ASSERT_EQ(expected.empty(), c.fontHoldsNone);
    TempCwd cwd;
    std::vector<std::string> lines;
    QrlSetDebugOutputSink(collectLine, &lines);
    const int result = MakeTTFResource(c.font, "DejaVu", 7, 300, 77, c.row);
    QrlSetDebugOutputSink(nullptr, nullptr);

    if (expected.empty()) {
        EXPECT_EQ(result, 0);
        EXPECT_EQ(lines, std::vector<std::string>{noCharactersLine(c.symbolSetValue)});
        for (const char* name : kOutputs)
            EXPECT_FALSE(std::filesystem::exists(name)) << name;
        std::cout << "row " << c.row << ", " << c.font << ": no character of the set, refused\n";
        return;
    }
    ASSERT_EQ(result, 1);
    EXPECT_TRUE(lines.empty());
    const Converted got = readConversion(readFile(kOutputs[1]), readFile(kOutputs[2]));
    std::vector<std::uint16_t> expectedCodes;
    for (const Mapped& m : expected)
        expectedCodes.push_back(m.code);
    EXPECT_EQ(got.codes, expectedCodes);
    // A glyph with an empty outline is written as glyph 0; any other is the map's glyph.
    for (std::size_t i = 0; i < got.glyphs.size() && i < expected.size(); ++i)
        EXPECT_TRUE(got.glyphs[i] == expected[i].glyph || got.glyphs[i] == 0) << "code " << got.codes[i];
    std::cout << "row " << c.row << ", " << c.font << ": " << got.codes.size() << " glyph records of codes, "
              << got.components << " of components only\n";
}

INSTANTIATE_TEST_SUITE_P(Rows, TrueTypeSetFromInstalledFont, ::testing::ValuesIn(kCases),
                         [](const auto& param) { return "row" + std::to_string(param.param.row); });

TEST(TrueTypeSetWithoutCharacters, IsRefusedWithTheReasonAndNoFiles)
{
    TempCwd cwd;
    // The test font maps a few Latin letters only, none of WingDings' private-use characters.
    writeFile("face.ttf", qrl::test::buildTestFont(qrl::test::defaultTestFont()));
    for (const char* name : kOutputs)
        writeFile(name, "from an earlier build");
    std::vector<std::string> lines;
    QrlSetDebugOutputSink(collectLine, &lines);
    EXPECT_EQ(MakeTTFResource("face.ttf", "Face", 7, 1, 2, 31), 0);
    QrlSetDebugOutputSink(nullptr, nullptr);
    EXPECT_EQ(lines, std::vector<std::string>{noCharactersLine(18540)});
    for (const char* name : kOutputs)
        EXPECT_FALSE(std::filesystem::exists(name)) << name;
    // The same font for a set it does hold converts.
    EXPECT_EQ(MakeTTFResource("face.ttf", "Face", 7, 1, 2, 6), 1);
}

} // namespace
