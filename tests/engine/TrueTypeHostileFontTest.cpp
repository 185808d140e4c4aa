// MakeTTFResource on refused, truncated and hostile fonts: each refusal answers 0, leaves none of
// the three files (also none of an earlier build) and says nothing on the debugger channel; fonts
// with bad glyph offsets convert with glyph 0 in place of what cannot be found.
#include "vintrel.h"

#include "ByteOrder.h"
#include "TempCwd.h"
#include "TrueTypeTestFont.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

using qrl::test::buildTestFont;
using qrl::test::defaultTestFont;
using qrl::test::findTable;
using qrl::test::readFile;
using qrl::test::TempCwd;
using qrl::test::TestFontOptions;
using qrl::test::writeFile;

const char* const kOutputs[] = {"TTH00007.HDR", "TTD00007.RSC", "TTI00007.RSC"};

void collectLine(const char* line, void* user)
{
    static_cast<std::vector<std::string>*>(user)->push_back(line);
}

void put16(std::string& font, std::size_t at, std::uint16_t v)
{
    qrl::bytes::putU16BE(reinterpret_cast<unsigned char*>(font.data() + at), v);
}

void put32(std::string& font, std::size_t at, std::uint32_t v)
{
    qrl::bytes::putU32BE(reinterpret_cast<unsigned char*>(font.data() + at), v);
}

struct Refusal {
    const char* what;
    std::function<std::string()> font; // empty result: no font file at all
    std::uint32_t symbolSet;
};

std::string withOptions(const std::function<void(TestFontOptions&)>& change)
{
    TestFontOptions o = defaultTestFont();
    change(o);
    return buildTestFont(o);
}

const Refusal kRefusals[] = {
    {"symbol-set index above 31", [] { return buildTestFont(defaultTestFont()); }, 32},
    {"no font file", [] { return std::string(); }, 6},
    {"shorter than its offset table", [] { return buildTestFont(defaultTestFont()).substr(0, 11); }, 6},
    {"directory cut short", [] { return buildTestFont(defaultTestFont()).substr(0, 12 + 16 * 4); }, 6},
    {"not a TrueType font",
     [] {
         std::string f = buildTestFont(defaultTestFont());
         f.replace(0, 4, "OTTO");
         return f;
     },
     6},
    {"table reaching past the end",
     [] {
         std::string f = buildTestFont(defaultTestFont());
         put32(f, 12 + 16 * 2 + 12, static_cast<std::uint32_t>(f.size())); // "glyf" length
         return f;
     },
     6},
    {"table count beyond the directory",
     [] {
         std::string f = buildTestFont(defaultTestFont());
         put16(f, 4, 0xFFFF);
         return f;
     },
     6},
    {"no OS/2 table", [] { return withOptions([](TestFontOptions& o) { o.withOs2 = false; }); }, 6},
    {"box without height (division by zero)",
     [] { return withOptions([](TestFontOptions& o) { o.yMin = o.yMax; }); }, 6},
    {"no metrics", [] { return withOptions([](TestFontOptions& o) { o.advances.clear(); }); }, 6},
    {"character map not format 4",
     [] {
         std::string f = buildTestFont(defaultTestFont());
         put16(f, findTable(f, "cmap").offset + 12, 6);
         return f;
     },
     6},
    {"segment count past the map",
     [] {
         std::string f = buildTestFont(defaultTestFont());
         put16(f, findTable(f, "cmap").offset + 12 + 6, 0x2000);
         return f;
     },
     6},
    {"composite components run past the outline",
     [] {
         return withOptions([](TestFontOptions& o) {
             o.outlines[3] = qrl::test::compositeOutline({4, 1});
             o.outlines[3].resize(o.outlines[3].size() - 3);
         });
     },
     6},
    {"outline too long for a record",
     [] {
         return withOptions([](TestFontOptions& o) { o.outlines[1] = qrl::test::simpleOutline(70000, 'x'); });
     },
     6},
};

class TrueTypeRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(TrueTypeRefusal, AnswersZeroAndLeavesNoFiles)
{
    const Refusal& c = GetParam();
    TempCwd cwd;
    for (const char* name : kOutputs)
        writeFile(name, "from an earlier build");
    const std::string font = c.font();
    if (!font.empty())
        writeFile("face.ttf", font);
    std::vector<std::string> lines;
    QrlSetDebugOutputSink(collectLine, &lines);
    EXPECT_EQ(MakeTTFResource("face.ttf", "Face", 7, 1, 2, c.symbolSet), 0);
    QrlSetDebugOutputSink(nullptr, nullptr);
    EXPECT_TRUE(lines.empty());
    for (const char* name : kOutputs)
        EXPECT_FALSE(std::filesystem::exists(name)) << name;
}

INSTANTIATE_TEST_SUITE_P(Fonts, TrueTypeRefusal, ::testing::ValuesIn(kRefusals),
                         [](const auto& param) { return "case" + std::to_string(param.index); });

// The glyph count and the glyph index of each record in the glyph data.
std::vector<std::uint16_t> recordGlyphs(const std::string& data)
{
    const auto* p = reinterpret_cast<const unsigned char*>(data.data());
    const std::uint16_t n = static_cast<std::uint16_t>(qrl::bytes::getU16BE(p + 12) - 2);
    std::vector<std::uint16_t> glyphs;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t field = 24 + 4 * i;
        const std::size_t at = field + qrl::bytes::getU32BE(p + field);
        EXPECT_LE(at + 10, data.size());
        glyphs.push_back(qrl::bytes::getU16BE(p + at + 6));
    }
    return glyphs;
}

struct Survivor {
    const char* what;
    std::function<std::string()> font;
    std::vector<std::uint16_t> glyphs;
};

const Survivor kSurvivors[] = {
    {"glyph past the end of loca: glyph 0",
     [] {
         return withOptions(
             [](TestFontOptions& o) { o.segments[1].delta = static_cast<std::uint16_t>(40 - 0x41); });
     },
     {2, 0, 0, 0}},
    {"glyph-index array entry outside the map: glyph 0",
     [] {
         std::string f = buildTestFont(defaultTestFont());
         const auto cmap = findTable(f, "cmap");
         put16(f, cmap.offset + 12 + 16 + 6 * 5 + 2 * 3, 0x7FF0); // range offset of U+2019's segment
         return f;
     },
     {0, 1, 2, 3, 4}},
    {"composites referring to each other and to themselves",
     [] {
         return withOptions([](TestFontOptions& o) {
             o.outlines[3] = qrl::test::compositeOutline({6, 3});
             o.outlines[6] = qrl::test::compositeOutline({3, 6, 4, 60000});
         });
     },
     {2, 1, 2, 3, 6, 4}},
    {"composite glyph as its own only component",
     [] { return withOptions([](TestFontOptions& o) { o.outlines[3] = qrl::test::compositeOutline({3}); }); },
     {2, 1, 2, 3}},
};

class TrueTypeSurvivor : public ::testing::TestWithParam<Survivor> {};

TEST_P(TrueTypeSurvivor, ConvertsWithoutWhatCannotBeFound)
{
    const Survivor& c = GetParam();
    TempCwd cwd;
    writeFile("face.ttf", c.font());
    ASSERT_EQ(MakeTTFResource("face.ttf", "Face", 7, 1, 2, 6), 1);
    EXPECT_EQ(recordGlyphs(readFile("TTD00007.RSC")), c.glyphs);
}

INSTANTIATE_TEST_SUITE_P(Fonts, TrueTypeSurvivor, ::testing::ValuesIn(kSurvivors),
                         [](const auto& param) { return "case" + std::to_string(param.index); });

} // namespace
