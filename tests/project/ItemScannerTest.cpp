#include "ImageFileType.h"
#include "ItemScanners.h"
#include "ResourceFixtures.h"

#include <gtest/gtest.h>

#include <optional>

using namespace qrl::itemscan;
using qrl::test::fixtures::pclFont;

namespace {

Bytes of(const std::string& s)
{
    return bytesOf(s);
}

const std::string kEsc = "\x1b";

} // namespace

TEST(ItemScanners, PclFontNumbersStayInsideTheFile)
{
    struct Case {
        const char* what;
        std::string file;
        std::uint32_t typeface;
        std::optional<std::uint32_t> found;
        std::optional<std::uint32_t> fontId;
    };
    const std::string font = pclFont(0x1234, "Courier");
    const std::string cut = font.substr(0, 6 + 20); // the 'W' and 20 descriptor bytes
    const Case cases[] = {
        {"header at the start", font, 0x1234, 0x1234, std::nullopt},
        {"*c123D before it", pclFont(7, "A", kEsc + "*c123D"), 7, 7, 50123},
        {"*c60001D wraps at 10000", pclFont(7, "A", kEsc + "*c60001D"), 7, 7, 50001},
        {"last *c<n>D wins", pclFont(7, "A", kEsc + "*c5D" + kEsc + "*c9D"), 7, 7, 50009},
        {"'D' too far behind *c", pclFont(7, "A", kEsc + "*c123456D"), 7, 7, std::nullopt},
        {"no 'W' in the first 98 bytes", std::string(100, ' ') + font, 2000, 0x1234, std::nullopt},
        {"descriptor cut off behind 'W'", std::string(50, ' ') + cut, 2000, std::nullopt, std::nullopt},
        {"*c near the end of a short file", "W" + kEsc + "*c1", 2000, std::nullopt, std::nullopt},
        {"file of 69 bytes", font.substr(0, 69), 0x1234, std::nullopt, std::nullopt},
        {"empty", "", 2000, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pclTypeface(of(c.file)), c.typeface) << c.what;
        EXPECT_EQ(findPclTypeface(of(c.file)), c.found) << c.what;
        EXPECT_EQ(pclFontId(of(c.file)), c.fontId) << c.what;
    }
}

TEST(ItemScanners, PclFontName)
{
    EXPECT_EQ(pclFontName(of(pclFont(1, "Courier"))), "Courier");
    EXPECT_EQ(pclFontName(of(pclFont(1, "Letter Gothic  "))), "Letter Gothic");
    // The name field is cut off by the end of the file.
    EXPECT_EQ(pclFontName(of(pclFont(1, "Courier").substr(0, 6 + 55))), "");
    EXPECT_EQ(pclFontName(of(std::string(120, 'x'))), "");
}

TEST(ItemScanners, LdfcFontId)
{
    struct Case {
        const char* what;
        std::string file;
        std::optional<std::uint32_t> id;
    };
    const std::string tail(16, ';');
    const Case cases[] = {
        {"plain", "!R! LDFC 12,0,1,2,3,4,5,6,7;EXIT;", 12},
        {"any case", "!R! ldfc 300,0,1,2,3,4,5,6,7;EXIT;", 300},
        {"first LDFC counts", "LDFC 5,abcdefghijkl LDFC 6,abcdefghijkl", 5},
        {"fewer than 16 bytes behind it", "!R! LDFC 12,0;", 12},
        {"at the very end of the file", "!R! LDFC 77", 77},
        {"nothing behind it", "!R! LDFC", 0},
        {"no LDFC", "!R! SFA 1,2,3,4,5,6,7,8,9;EXIT;", std::nullopt},
        {"number past 32 bits", "LDFC 99999999999," + tail, std::nullopt},
        {"no digits", "LDFC ,1,2,3,4,5,6,7,8," + tail, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ldfcFontId(of(c.file)), c.id) << c.what;
}

TEST(ItemScanners, TrueTypeNameOnlyFromInsideTheFile)
{
    using qrl::test::fixtures::TrueTypeLayout;
    struct Case {
        const char* what;
        std::string file;
        TrueTypeName::Result result;
        std::string name;
    };
    TrueTypeLayout windowsOnly;
    windowsOnly.platform = 3;
    TrueTypeLayout tableOutside;
    tableOutside.tableOffset = 0xFFFFFFF0u;
    TrueTypeLayout stringOutside;
    stringOutside.storageOffset = 0xFFF0;
    TrueTypeLayout manyRecords;
    manyRecords.count = 0xFFFF;
    manyRecords.platform = 3;
    std::string truncated = qrl::test::fixtures::trueType("Short-Name").substr(0, 40);
    const Case cases[] = {
        {"PostScript name", qrl::test::fixtures::trueType("MyFont-Bold"), TrueTypeName::Found, "MyFont-Bold"},
        {"NUL ends the name", qrl::test::fixtures::trueType(std::string("Ab\0cd", 5)), TrueTypeName::Found,
         "Ab"},
        {"no Macintosh record", qrl::test::fixtures::trueType("X", windowsOnly), TrueTypeName::NoRecord, ""},
        {"table offset past the end", qrl::test::fixtures::trueType("X", tableOutside),
         TrueTypeName::NoRecord, ""},
        {"string past the end", qrl::test::fixtures::trueType("X", stringOutside), TrueTypeName::NoRecord,
         ""},
        {"count larger than the file", qrl::test::fixtures::trueType("X", manyRecords),
         TrueTypeName::NoRecord, ""},
        {"records cut off", truncated, TrueTypeName::NoRecord, ""},
        {"no name table", std::string(200, 'a'), TrueTypeName::NoNameTable, ""},
        {"tag in the last 8 bytes", std::string(120, 'a') + "name", TrueTypeName::NoNameTable, ""},
    };
    for (const Case& c : cases) {
        const TrueTypeName got = trueTypeName(of(c.file));
        EXPECT_EQ(got.result, c.result) << c.what;
        EXPECT_EQ(got.name, c.name) << c.what;
    }
}

TEST(ItemScanners, McroNameStopsBeforeLineEndsAndSeparators)
{
    struct Case {
        const char* what;
        std::string file;
        McroName::Result result;
        std::string name;
    };
    const std::string pad = " ENDM; EXIT;";
    // The first `count` bytes of a name field, so that the bound on what follows MCRO is exact.
    const auto behind = [](std::size_t count) { return std::string(" ABCD;123456789").substr(0, count); };
    const Case cases[] = {
        {"five letters", "!R! MCRO ABCDE;" + pad, McroName::Found, "ABCD"},
        {"lower case kept", "!R! mcro ab;" + pad, McroName::Found, "ab"},
        {"ends at a line end", "!R! MCRO AB\r\nCD;" + pad, McroName::Found, "AB"},
        {"ends at a tab", "!R! MCRO A\tB;" + pad, McroName::Found, "A"},
        {"leading tab skipped", "!R! MCRO\tXY;" + pad, McroName::Found, "XY"},
        {"ends at %", "!R! MCRO M1%2;" + pad, McroName::Found, "M1"},
        {"only a ';'", "!R! MCRO    ;" + pad, McroName::Unusable, ""},
        {"12 bytes behind MCRO", "MCRO" + behind(12), McroName::Unusable, ""},
        {"13 bytes behind MCRO", "MCRO" + behind(13), McroName::Found, "ABCD"},
        {"14 bytes behind MCRO", "MCRO" + behind(14), McroName::Found, "ABCD"},
        {"no MCRO", "!R! CALL X; EXIT;", McroName::NoMcro, ""},
    };
    for (const Case& c : cases) {
        const McroName got = mcroName(of(c.file));
        EXPECT_EQ(got.result, c.result) << c.what;
        EXPECT_EQ(got.name, c.name) << c.what;
    }
}

TEST(ItemScanners, PclMacroIds)
{
    const std::string pad(24, ' ');
    EXPECT_EQ(pclMacroIdText(of(kEsc + "&f100Y" + kEsc + "&f0X" + pad)), "100");
    EXPECT_EQ(pclMacroIdText(of(kEsc + "&f123456Y" + kEsc + "&f7y0X" + pad)), "7");
    EXPECT_EQ(pclMacroIdText(of(std::string(20, 'a'))), "NG");
    EXPECT_EQ(pclMacroIdText(of(kEsc + "&f0X" + pad)), "NG");

    struct Case {
        const char* what;
        std::string file;
        PclMacroId::Result result;
        std::uint32_t value;
    };
    const Case cases[] = {
        {"plain", kEsc + "&f100Y" + kEsc + "&f0X", PclMacroId::Found, 100},
        {"lower-case y", kEsc + "&f32767y0X", PclMacroId::Found, 32767},
        {"above 32767", kEsc + "&f32768Y", PclMacroId::OutOfRange, 0},
        {"wraps 32 bits into range", kEsc + "&f4294967396Y", PclMacroId::OutOfRange, 0},
        {"an 'f' before the Y resumes", kEsc + "&f0X data f " + kEsc + "&f22Y", PclMacroId::Found, 22},
        {"no digit before Y", kEsc + "&fY", PclMacroId::NotFound, 0},
        {"no Y at all", kEsc + "&f12X", PclMacroId::NotFound, 0},
        {"no &f", "abcdef", PclMacroId::NotFound, 0},
        {"&f at the very end", "xx&f", PclMacroId::NotFound, 0},
    };
    for (const Case& c : cases) {
        const PclMacroId got = pclMacroId(of(c.file));
        EXPECT_EQ(got.result, c.result) << c.what;
        EXPECT_EQ(got.value, c.value) << c.what;
    }
}

TEST(ItemScanners, PclMacroBody)
{
    struct Case {
        const char* what;
        std::string file;
        std::optional<std::size_t> start;
        std::optional<std::size_t> end;
    };
    const std::string idThenStart = kEsc + "&f100Y" + kEsc + "&f0X";
    const Case cases[] = {
        {"id, then 0X", idThenStart + "BODY" + kEsc + "&f1X", idThenStart.size(), idThenStart.size() + 4},
        {"bare X", kEsc + "&fXBODY" + kEsc + "&f1x", 4, 8},
        {"combined 100y0X", kEsc + "&f100y0XBODY" + kEsc + "&f1X", 9, 13},
        {"10X does not start", kEsc + "&f10XBODY" + kEsc + "&f1X", std::nullopt, std::nullopt},
        {"no end", idThenStart + "BODY", idThenStart.size(), std::nullopt},
        {"end before start only", kEsc + "&f1X" + kEsc + "&f0XBODY", 10, std::nullopt},
        {"escape cut off", kEsc + "&f10", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        const PclMacroBody got = pclMacroBody(of(c.file));
        EXPECT_EQ(got.start, c.start) << c.what;
        EXPECT_EQ(got.end, c.end) << c.what;
    }
}

namespace {

// A BMP file of `width` x `height` 24-bit pixels; `pixels` bytes of pixel data follow the headers.
std::string bmp(std::int32_t width, std::int32_t height, std::uint16_t planes, std::size_t pixels)
{
    auto u32 = [](std::uint32_t v) {
        return qrl::test::fixtures::u16le(v & 0xFFFF) + qrl::test::fixtures::u16le(v >> 16);
    };
    std::string f = "BM" + u32(static_cast<std::uint32_t>(54 + pixels)) + u32(0) + u32(54);
    f += u32(40) + u32(static_cast<std::uint32_t>(width)) + u32(static_cast<std::uint32_t>(height));
    f += qrl::test::fixtures::u16le(planes) + qrl::test::fixtures::u16le(24) + u32(0) + std::string(20, '\0');
    return f + std::string(pixels, '\x7f');
}

} // namespace

TEST(ImageFileType, TellsTheThreeImageKindsApart)
{
    struct Case {
        const char* what;
        std::string file;
        int type;
    };
    const Case cases[] = {
        {"2 x 2 BMP", bmp(2, 2, 1, 16), qrl::imagefile::kBmp},
        {"bottom-up BMP", bmp(2, -2, 1, 16), qrl::imagefile::kBmp},
        {"BMP missing rows", bmp(2, 2, 1, 8), qrl::imagefile::kNotImage},
        {"BMP with no plane", bmp(2, 2, 0, 16), qrl::imagefile::kNotImage},
        {"BMP of huge width", bmp(0x7FFFFFFF, 2, 1, 16), qrl::imagefile::kNotImage},
        {"bare BM", "BM", qrl::imagefile::kNotImage},
        {"JPEG", std::string("\xff\xd8\xff\xe0\x00\x10JFIF\x00", 11) + std::string(40, '\0'),
         qrl::imagefile::kJpeg},
        {"TIFF", std::string("II*\0", 4) + std::string(40, '\0'), qrl::imagefile::kTiff},
        {"big-endian TIFF", std::string("MM\0*", 4) + std::string(40, '\0'), qrl::imagefile::kNotImage},
        {"empty", "", qrl::imagefile::kNotImage},
    };
    for (const Case& c : cases)
        EXPECT_EQ(qrl::imagefile::imageFileType(of(c.file), c.file.size()), c.type) << c.what;
}
