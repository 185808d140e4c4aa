// What the font exports refuse: each refusal with its debugger lines, innermost first, and with no
// output left behind; then every cut of the test fonts.
#include "vintrel.h"

#include "ByteOrder.h"
#include "FontFixtures.h"
#include "TempCwd.h"
#include "TestBuild.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace qrl::test;

enum class Export { MakeSFA, CreateFontResource };

struct RefusalCase {
    const char* what;
    std::optional<std::string> font; // none: the file is missing
    Export call;
    std::vector<std::string> lines;
};

std::string bitmapHeader(unsigned format = 0, std::size_t size = 64)
{
    PclFontFields fields;
    fields.format = format;
    fields.size = size;
    return pclFontHeader(pclDescriptor(fields));
}

std::string scalableHeader(std::size_t size = 80)
{
    PclFontFields fields = pclScalableTestFields();
    fields.size = size;
    return pclFontHeader(pclDescriptor(fields));
}

std::string character(unsigned width, unsigned height, const std::string& raster)
{
    return pclBitmapCharacter(1, 0, 0, 0, width, height, 10, raster);
}

class FontRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(FontRefusal, SendsItsLinesAndLeavesNoOutput)
{
    const RefusalCase& c = GetParam();
    TempCwd cwd;
    if (c.font)
        writeFile("font", *c.font);
    const bool describe = c.call == Export::MakeSFA;
    const char* output = describe ? "FNT00000.SFA" : "BBM00000.RSC";
    writeFile(output, "left by an earlier build");
    DebugLines debug;
    EXPECT_EQ(describe ? MakeSFA("font", 0, "F", 1, 2) : CreateFontResource("font", 0, 1), 0);
    EXPECT_EQ(debug.lines(), c.lines);
    EXPECT_FALSE(fileExists(output));
}

const std::string kCode = pclCode(65);

INSTANTIATE_TEST_SUITE_P(
    Fonts, FontRefusal,
    ::testing::Values(
        RefusalCase{"MissingFile",
                    std::nullopt,
                    Export::MakeSFA,
                    {"GetFontFormat(): Error Code 0x00\r\n", "MakeSFA(): Error Code 0x00\r\n"}},
        RefusalCase{"MissingFileResource",
                    std::nullopt,
                    Export::CreateFontResource,
                    {"GetFontFormat(): Error Code 0x00\r\n", "CreateFontResource(): Error Code 0x00\r\n"}},
        RefusalCase{"FormatFifteen", bitmapHeader(15) + kCode, Export::MakeSFA, {}},
        RefusalCase{"FormatFifteenResource",
                    bitmapHeader(15) + kCode,
                    Export::CreateFontResource,
                    {"CreateFontResource(): Error Code 0x00\r\n"}},
        RefusalCase{
            "UnknownFormat", bitmapHeader(16) + kCode, Export::MakeSFA, {"MakeSFA(): Error Code 0x00\r\n"}},
        RefusalCase{"BitmapCodeBeyondTheTable",
                    bitmapHeader() + pclCode(256),
                    Export::MakeSFA,
                    {"SetFirstLast(): Error Code 0x00\r\n", "PCLBM2SFA(): Error Code 0x01\r\n",
                     "MakeSFA(): Error Code 0x03\r\n"}},
        RefusalCase{"NegativeCodeResource",
                    bitmapHeader() + pclCode(-1),
                    Export::CreateFontResource,
                    {"SetFirstLast(): Error Code 0x00\r\n", "PCLBM2RSC(): Error Code 0x02\r\n",
                     "CreateFontResource(): Error Code 0x02\r\n"}},
        RefusalCase{"ScalableCodeBeyondTheTable",
                    scalableHeader() + pclCode(512),
                    Export::MakeSFA,
                    {"SetFirstLast(): Error Code 0x00\r\n", "GetPCLEOFont(): Error Code 0x01\r\n",
                     "PCLEO2SFA(): Error Code 0x01\r\n", "MakeSFA(): Error Code 0x02\r\n"}},
        RefusalCase{"ShortDescriptor",
                    bitmapHeader(0, 40) + kCode,
                    Export::MakeSFA,
                    {"SetFontDescriptor(): Error Code 0x00\r\n", "PCLBM2SFA(): Error Code 0x01\r\n",
                     "MakeSFA(): Error Code 0x03\r\n"}},
        RefusalCase{"ScalableDescriptorWithoutExtension",
                    scalableHeader(64) + kCode,
                    Export::MakeSFA,
                    {"SetFontDescriptor(): Error Code 0x01\r\n", "GetPCLEOFont(): Error Code 0x01\r\n",
                     "PCLEO2SFA(): Error Code 0x01\r\n", "MakeSFA(): Error Code 0x02\r\n"}},
        RefusalCase{"ResolutionDescriptorWithoutResolution",
                    bitmapHeader(20, 64) + kCode,
                    Export::CreateFontResource,
                    {"SetFontDescriptor(): Error Code 0x01\r\n", "PCLBM2RSC(): Error Code 0x02\r\n",
                     "CreateFontResource(): Error Code 0x02\r\n"}},
        RefusalCase{"DownloadWithoutCode",
                    bitmapHeader() + pclDownload(character(8, 1, "\xFF")),
                    Export::CreateFontResource,
                    {"DownloadPCLBM(): Error Code 0x00\r\n", "PCLBM2RSC(): Error Code 0x02\r\n",
                     "CreateFontResource(): Error Code 0x02\r\n"}},
        RefusalCase{"DownloadOfOneByte",
                    bitmapHeader() + kCode + pclDownload("\x04"),
                    Export::CreateFontResource,
                    {"DownloadPCLBM(): Error Code 0x01\r\n", "PCLBM2RSC(): Error Code 0x02\r\n",
                     "CreateFontResource(): Error Code 0x02\r\n"}},
        RefusalCase{"CharacterDescriptorCut",
                    bitmapHeader() + kCode + pclDownload(character(8, 1, "").substr(0, 10)),
                    Export::CreateFontResource,
                    {"DownloadPCLBM(): Error Code 0x02\r\n", "PCLBM2RSC(): Error Code 0x02\r\n",
                     "CreateFontResource(): Error Code 0x02\r\n"}},
        RefusalCase{"RasterPastTheEndOfTheFile",
                    bitmapHeader() + kCode + pclEscape("(s", 100, 'W') + character(8, 1, "\xFF"),
                    Export::CreateFontResource,
                    {"DownloadPCLBM(): Error Code 0x04\r\n", "PCLBM2RSC(): Error Code 0x02\r\n",
                     "CreateFontResource(): Error Code 0x02\r\n"}},
        RefusalCase{"GlyphBeyondTheLargest",
                    bitmapHeader() + kCode + pclDownload(character(2000, 600, "")),
                    Export::CreateFontResource,
                    {"DownloadPCLBM(): Error Code 0x05\r\n", "PCLBM2RSC(): Error Code 0x02\r\n",
                     "CreateFontResource(): Error Code 0x02\r\n"}},
        RefusalCase{"NoCharacter",
                    bitmapHeader() + kCode,
                    Export::CreateFontResource,
                    {"OutputPCLBMResource(): Error Code 0x00\r\n", "PCLBM2RSC(): Error Code 0x04\r\n",
                     "CreateFontResource(): Error Code 0x02\r\n"}},
        RefusalCase{"ScalableDownloadPastTheEnd",
                    scalableHeader() + kCode + pclEscape("(s", 40, 'W') + kScalableCharacter33,
                    Export::CreateFontResource,
                    {"DownloadPCLEO(): Error Code 0x02\r\n", "GetPCLEOFont(): Error Code 0x01\r\n",
                     "PCLEO2RSC(): Error Code 0x01\r\n", "CreateFontResource(): Error Code 0x03\r\n"}},
        RefusalCase{"ScalableDescriptorCut",
                    scalableHeader() + kCode + pclDownload(kScalableCharacter300.substr(0, 18)),
                    Export::CreateFontResource,
                    {"DownloadPCLEO(): Error Code 0x02\r\n", "GetPCLEOFont(): Error Code 0x01\r\n",
                     "PCLEO2RSC(): Error Code 0x01\r\n", "CreateFontResource(): Error Code 0x03\r\n"}},
        RefusalCase{"ScalableDownloadWithoutCode",
                    scalableHeader() + pclDownload(kScalableCharacter33),
                    Export::CreateFontResource,
                    {"DownloadPCLEO(): Error Code 0x01\r\n", "GetPCLEOFont(): Error Code 0x01\r\n",
                     "PCLEO2RSC(): Error Code 0x01\r\n", "CreateFontResource(): Error Code 0x03\r\n"}},
        RefusalCase{"ScalableNoCharacter",
                    scalableHeader() + kCode,
                    Export::CreateFontResource,
                    {"OutputPCLEOResource(): Error Code 0x00\r\n", "PCLEO2RSC(): Error Code 0x03\r\n",
                     "CreateFontResource(): Error Code 0x03\r\n"}},
        RefusalCase{"NoCommandStart",
                    "SFA 0.1, 0.2, P; LDFC 1, 65, 0, 0, 0, 0, 0, 0;;",
                    Export::MakeSFA,
                    {"LDFC2SFA(): Error Code 0x01\r\n", "MakeSFA(): Error Code 0x01\r\n"}},
        RefusalCase{"NoCommandStartResource",
                    std::string(300, 'x'),
                    Export::CreateFontResource,
                    {"LDFC2RSC(): Error Code 0x01\r\n", "CreateFontResource(): Error Code 0x01\r\n"}},
        RefusalCase{"NoSfaCommand",
                    "!R! LDFC 1, 65, 0, 0, 0, 0, 0, 0;;EXIT;",
                    Export::MakeSFA,
                    {"LDFC2SFA(): Error Code 0x02\r\n", "MakeSFA(): Error Code 0x01\r\n"}},
        RefusalCase{"SfaOfFourValues",
                    "!R! SFA 0.1, 0.2, P, 3; EXIT;",
                    Export::MakeSFA,
                    {"LDFC2SFA(): Error Code 0x01\r\n", "MakeSFA(): Error Code 0x01\r\n"}},
        // Only the first 80 bytes are looked at for the kind of font.
        RefusalCase{"PclFontAfterTheFirst80Bytes",
                    std::string(80, ' ') + pclBitmapTestFont(),
                    Export::MakeSFA,
                    {"LDFC2SFA(): Error Code 0x01\r\n", "MakeSFA(): Error Code 0x01\r\n"}}),
    [](const auto& param) { return std::string(param.param.what); });

TEST(FontRefusal, OutputsThatCannotBeWritten)
{
    TempCwd cwd;
    writeFile("font", pclBitmapTestFont());
    writeFile("FNT00001.SFA", "\ntype 2\n");
    // A folder that is not empty stands where each output would go.
    for (const char* name : {"FNT00000.SFA", "BBM00000.RSC", "BBM00001.HDR"}) {
        std::filesystem::create_directory(name);
        writeFile(std::string(name) + "/kept", "");
    }
    DebugLines debug;
    EXPECT_EQ(MakeSFA("font", 0, "F", 1, 2), 0);
    EXPECT_EQ(CreateFontResource("font", 0, 1), 0);
    EXPECT_EQ(MakeFontHeader(1, "F", 1), 0);
    EXPECT_EQ(MakeFontHeader(2, "F", 1), 0); // no description
    const std::vector<std::string> lines = {
        "PCLBM2SFA(): Error Code 0x00\r\n",           "MakeSFA(): Error Code 0x03\r\n",
        "OutputPCLBMResource(): Error Code 0x06\r\n", "PCLBM2RSC(): Error Code 0x04\r\n",
        "CreateFontResource(): Error Code 0x02\r\n",  "MakeFontHeader(): Error Code 0x03\r\n",
        "MakeFontHeader(): Error Code 0x01\r\n"};
    EXPECT_EQ(debug.lines(), lines);
    // Nothing written beside the outputs stays behind.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(cwd.path()))
        ++entries;
    EXPECT_EQ(entries, 5);
}

// Every cut of the test fonts either converts, leaving an output whose size word is its size, or
// is refused without one.
TEST(FontRefusal, EveryCutOfTheTestFontsIsHandled)
{
    TempCwd cwd;
    DebugLines debug;
    for (const std::string& font : {pclBitmapTestFont(), pclScalableTestFont(), ldfcTestFont()}) {
        for (std::size_t size = 0; size < font.size(); ++size) {
            writeFile("font", font.substr(0, size));
            const int described = MakeSFA("font", 0, "F", 1, 2);
            EXPECT_EQ(fileExists("FNT00000.SFA"), described == 1) << size;
            const int built = CreateFontResource("font", 0, 1);
            ASSERT_EQ(fileExists("BBM00000.RSC"), built == 1) << size;
            if (built) {
                const std::string resource = readFile("BBM00000.RSC");
                EXPECT_EQ(qrl::bytes::getU32BE(reinterpret_cast<const unsigned char*>(resource.data())),
                          resource.size());
            }
        }
    }
}

} // namespace
