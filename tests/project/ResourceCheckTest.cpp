#include "ResourceCheck.h"
#include "ProjectFile.h"
#include "ProjectFileFakeTarget.h"
#include "ReadHooks.h"
#include "ResourceCheckFile.h"
#include "ResourceCheckFixtures.h"
#include "ResourceTypes.h"
#include "ScriptedUserInterface.h"
#include "StringTable.h"
#include "TempCwd.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <span>

using namespace qrl::test::fixtures;

namespace {

constexpr int kErrorFormat = 2400;
constexpr int kFailureFormat = 2404;
constexpr int kAlone = 0; // the message is the error text alone
constexpr int kPass = 0;

struct Case {
    const char* name;
    int subtype;
    std::string bytes;
    int format;
    int error; // kPass when the file passes
};

constexpr std::size_t kWindow = 64 * 1024;

// A PCL soft font whose header escape begins at `at`, behind blanks.
std::string pclFontAt(std::size_t at, int format)
{
    return std::string(at, ' ') + pclFont(format, 0, 120).substr(4);
}

// A Tellurade macro whose ENDM begins at `at`.
std::string telluradeMacroWithEndmAt(std::size_t at)
{
    const std::string head = "!R! MCRO ABCD; TEXT '";
    const std::string close = "'; ";
    return head + std::string(at - head.size() - close.size(), 'x') + close + "ENDM; EXIT;";
}

const Case kCases[] = {
    {"truetype_10_tables", kTrueTypeFont, trueType(10), 0, kPass},
    {"truetype_23_tables", kTrueTypeFont, trueType(23, 22, 390, true, 420), 0, kPass},
    {"truetype_9_tables", kTrueTypeFont, trueType(9), kErrorFormat, 2395},
    {"truetype_24_tables", kTrueTypeFont, trueType(24), kErrorFormat, 2395},
    {"truetype_172_bytes", kTrueTypeFont, trueType(10, 3, 100, true, 172), kErrorFormat, 2403},
    {"truetype_no_head", kTrueTypeFont, trueType(10, -1), kErrorFormat, 2396},
    {"truetype_head_offset_at_end", kTrueTypeFont, trueType(10, 3, 400 - 16), kErrorFormat, 2397},
    {"truetype_head_offset_huge", kTrueTypeFont, trueType(10, 3, 0xFFFFFFF0u), kErrorFormat, 2397},
    {"truetype_no_magic", kTrueTypeFont, trueType(10, 3, 200, false), kErrorFormat, 2398},
    // 173 bytes hold the entries 0 to 9 of twelve, and none of them is the head entry.
    {"truetype_directory_past_end", kTrueTypeFont, trueType(12, 11, 40, true, 173), kErrorFormat, 2403},
    {"pcl_scalable_10", kPclEoFont, pclFont(10), 0, kPass},
    {"pcl_scalable_11", kPclEoFont, pclFont(11), 0, kPass},
    {"pcl_scalable_15", kPclEoFont, pclFont(15), kErrorFormat, 2411},
    {"pcl_scalable_69_bytes", kPclEoFont, pclFont(10, 0, 69), kErrorFormat, 2403},
    {"pcl_scalable_no_header", kPclEoFont, std::string(100, 'W'), kErrorFormat, 2410},
    {"pcl_scalable_header_at_end", kPclEoFont, std::string(80, ' ') + kEsc + ")s0W\x00\x00", kErrorFormat,
     2410},
    {"pcl_bitmap_0", kPclBitmapPortraitFont, pclFont(0), 0, kPass},
    {"pcl_bitmap_20_landscape", kPclBitmapLandscapeFont, pclFont(20), 0, kPass},
    {"pcl_bitmap_15", kPclBitmapPortraitFont, pclFont(15), kErrorFormat, 2411},
    {"pcl_macro", kPclMacro, pclMacro(), 0, kPass},
    {"pcl_macro_combined_escape", kPclMacro, pclMacro("", "100y0X"), 0, kPass},
    {"pcl_macro_lower_case_x", kPclMacro, pclMacro("7Y", "0x", "1x"), 0, kPass},
    {"pcl_macro_no_number", kPclMacro, pclMacro(""), kFailureFormat, 2415},
    {"pcl_macro_no_start", kPclMacro, pclMacro("100Y", ""), kFailureFormat, 2416},
    {"pcl_macro_no_end", kPclMacro, pclMacro("100Y", "0X", ""), kFailureFormat, 2417},
    {"pcl_macro_end_before_number", kPclMacro, kEsc + "&f1X" + pclMacro(), kFailureFormat, 2415},
    {"pcl_macro_long_value", kPclMacro, pclMacro("100Y", std::string(5000, '0') + "X"), 0, kPass},
    {"pcl_macro_10_bytes", kPclMacro, std::string(10, ' '), kErrorFormat, 2403},
    {"tellurade_macro", kTelluradeMacro, telluradeMacro(), 0, kPass},
    {"tellurade_macro_lower_case", kTelluradeMacro, telluradeMacro("!R!", "mcro", "endm", "exit"), 0, kPass},
    {"tellurade_macro_lower_r", kTelluradeMacro, telluradeMacro("!r!"), kFailureFormat, 2442},
    {"tellurade_macro_no_mcro", kTelluradeMacro, telluradeMacro("!R!", "MACR"), kFailureFormat, 2440},
    {"tellurade_macro_no_endm", kTelluradeMacro, telluradeMacro("!R!", "MCRO", "ENDX"), kFailureFormat, 2441},
    // EXIT before ENDM: every keyword is looked for after the one before it, so EXIT is missing.
    {"tellurade_macro_exit_before_endm", kTelluradeMacro, "!R! MCRO ABCD; EXIT; ENDM; ", kFailureFormat,
     2443},
    {"tellurade_macro_20_bytes", kTelluradeMacro, "!R!MCRO;ENDM;EXIT;  ", kErrorFormat, 2403},
    {"zentrix_font", kZentrixBitmapFont, zentrixFont(), 0, kPass},
    {"zentrix_font_no_ldfc", kZentrixBitmapFont, zentrixFont("1", "LDFX"), kFailureFormat, 2450},
    {"zentrix_font_no_sfa", kZentrixBitmapFont, zentrixFont("1", "LDFC", "SFX"), kFailureFormat, 2451},
    {"program_data_slot_image", kProgramData, slotImage(), 0, kPass},
    {"program_data_elf", kProgramData, elf(), 0, kPass},
    {"program_data_large_file", kProgramData, slotImage(0x0010, 3u << 20), 0, kPass},
    {"truetype_large_file", kTrueTypeFont, trueType(10, 3, (2u << 20) + 5, true, 3u << 20), 0, kPass},
    {"program_data_other_slot_kind", kProgramData, slotImage(0x0001), kAlone, 2391},
    // A slot image that ends before its slot kind (bytes 198-199) is not acceptable data.
    {"program_data_slot_kind_missing", kProgramData, slotImage(0, 198), kAlone, 2391},
    {"program_data_192_bytes", kProgramData, elf(192), kErrorFormat, 2403},
    {"program_data_unknown_header", kProgramData, std::string(200, 'x'), kFailureFormat, 2420},
    // Headers and keywords across the end of the first window of the check.
    {"pcl_header_escape_across_the_window", kPclBitmapPortraitFont, pclFontAt(kWindow - 3, 0), 0, kPass},
    {"pcl_format_byte_first_of_the_second_window", kPclEoFont, pclFontAt(kWindow - 8, 11), 0, kPass},
    {"pcl_format_byte_in_the_second_window_refused", kPclEoFont, pclFontAt(kWindow - 8, 15), kErrorFormat,
     2411},
    {"truetype_magic_across_the_window", kTrueTypeFont, trueType(10, 3, kWindow - 14, true, kWindow + 100), 0,
     kPass},
    {"truetype_magic_across_the_window_missing", kTrueTypeFont,
     trueType(10, 3, kWindow - 14, false, kWindow + 100), kErrorFormat, 2398},
    {"tellurade_endm_across_the_window", kTelluradeMacro, telluradeMacroWithEndmAt(kWindow - 2), 0, kPass},
    {"form_never_examined", kApplicationForm, "", 0, kPass},
    {"unknown_subtype_never_examined", kSubtypeUnknownDescription, "", 0, kPass},
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

QString expectedText(const Case& c, const QString& path)
{
    return c.format == kAlone ? qrl::text(c.error) : expectedFileMessage(c.format, c.error, 2401, path);
}

class ResourceCheckTest : public ::testing::TestWithParam<Case> {};

TEST_P(ResourceCheckTest, PassesOrRefusesWithItsMessage)
{
    const Case& c = GetParam();
    qrl::test::TempDirectory dir;
    const std::string file = dir.file("resource.bin");
    qrl::test::writeFile(file, c.bytes);
    const QString path = QString::fromStdString(file);
    qrl::test::ScriptedUserInterface ui;
    ProjectFileFakeTarget target;

    EXPECT_EQ(ValidateItemFile(path, c.subtype, target), c.error == kPass);
    if (c.error == kPass)
        EXPECT_TRUE(ui.texts().isEmpty()) << ui.texts().join("|").toStdString();
    else
        EXPECT_EQ(ui.texts(), QStringList{expectedText(c, path)});
}

INSTANTIATE_TEST_SUITE_P(Files, ResourceCheckTest, ::testing::ValuesIn(kCases),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(ResourceCheckMessagesTest, QuietChecksFollowTheMessagesSwitch)
{
    struct Quiet {
        int subtype;
        bool quiet;
    };
    const Quiet kinds[] = {{kTrueTypeFont, false},         {kPclEoFont, false},
                           {kPclBitmapPortraitFont, true}, {kPclBitmapLandscapeFont, true},
                           {kZentrixBitmapFont, true},     {kPclMacro, false},
                           {kTelluradeMacro, true},        {kProgramData, true}};
    qrl::test::TempDirectory dir;
    const QString path = QString::fromStdString(dir.file("short.bin"));
    qrl::test::writeFile(path.toStdString(), "short");
    for (const Quiet& k : kinds) {
        qrl::test::ScriptedUserInterface ui;
        ProjectFileFakeTarget target;
        target.showMessages = 0;
        EXPECT_FALSE(ValidateItemFile(path, k.subtype, target)) << k.subtype;
        const QString text = expectedFileMessage(2400, 2403, 2401, path);
        EXPECT_EQ(ui.texts(), k.quiet ? QStringList{} : QStringList{text}) << k.subtype;
        EXPECT_EQ(target.suppressed, k.quiet ? QStringList{text} : QStringList{}) << k.subtype;
    }
}

TEST(ResourceCheckMessagesTest, SecondProgramDataStageShowsAlways)
{
    qrl::test::TempDirectory dir;
    const QString path = QString::fromStdString(dir.file("data.bin"));
    qrl::test::writeFile(path.toStdString(), slotImage(0x0001));
    qrl::test::ScriptedUserInterface ui;
    ProjectFileFakeTarget target;
    target.showMessages = 0;
    EXPECT_FALSE(ValidateItemFile(path, kProgramData, target));
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(2391)});
}

TEST(ResourceCheckMessagesTest, FileThatCannotBeOpenedIsRefused)
{
    qrl::test::TempDirectory dir;
    const QString path = QString::fromStdString(dir.file("gone.bin"));
    for (int subtype : {0, 1, 2, 3, 4, 5, 6, 8}) {
        qrl::test::ScriptedUserInterface ui;
        ProjectFileFakeTarget target;
        EXPECT_FALSE(ValidateItemFile(path, subtype, target)) << subtype;
        EXPECT_EQ(ui.texts(), QStringList{expectedFileMessage(2400, 2380, 2401, path)}) << subtype;
    }
    qrl::test::ScriptedUserInterface ui;
    ProjectFileFakeTarget target;
    EXPECT_TRUE(ValidateItemFile(path, kApplicationForm, target));
    EXPECT_EQ(GetProgramDataType(path), kProgramDataRefused);
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(2380)});
}

// Every check of `kinds` and both font-number scans, on files cut to `cut` bytes between the size
// query and the first read: each check refuses its file as unreadable, the scans fail quietly.
void expectRefusedWhenCut(std::uintmax_t cut, std::span<const Case> kinds, const std::string& pclFontFile,
                          const std::string& zentrixFontFile)
{
    qrl::test::TempDirectory dir;
    const std::string file = dir.file("shrinking.bin");
    const QString path = QString::fromStdString(file);
    qrl::test::beforeReadingFrom(file, [file, cut] { std::filesystem::resize_file(file, cut); });
    for (const Case& c : kinds) {
        qrl::test::writeFile(file, c.bytes);
        qrl::test::ScriptedUserInterface ui;
        ProjectFileFakeTarget target;
        EXPECT_FALSE(ValidateItemFile(path, c.subtype, target)) << c.name;
        EXPECT_EQ(ui.texts(), QStringList{expectedText(c, path)}) << c.name;
    }
    // The font numbers of an imported project are read the same way.
    qrl::test::ScriptedUserInterface ui;
    ProjectFileFakeTarget target;
    std::uint32_t id = 0;
    qrl::test::writeFile(file, pclFontFile);
    EXPECT_FALSE(GetPclFontID(path, id, target));
    qrl::test::writeFile(file, zentrixFontFile);
    EXPECT_FALSE(GetSfaFontID(path, id, target));
    EXPECT_TRUE(ui.texts().isEmpty()) << ui.texts().join("|").toStdString();
    qrl::test::beforeReadingFrom(file, {});
}

// A large file cut to nothing between the size query and the read (a download still running, a
// file being regenerated): refused as unreadable, never a crash.
TEST(ResourceCheckMessagesTest, AFileCutShortWhileItIsReadIsRefused)
{
    constexpr std::size_t kLarge = std::size_t{1} << 21;
    const auto padded = [](std::string bytes) {
        bytes.resize(kLarge, ' ');
        return bytes;
    };
    const Case kinds[] = {
        {"truetype", kTrueTypeFont, trueType(10, 3, 200, true, kLarge), kErrorFormat, 2380},
        {"pcl_scalable", kPclEoFont, pclFont(10, 0, kLarge), kErrorFormat, 2380},
        {"pcl_bitmap", kPclBitmapPortraitFont, pclFont(0, 0, kLarge), kErrorFormat, 2380},
        {"zentrix_font", kZentrixBitmapFont, padded(zentrixFont()), kErrorFormat, 2380},
        {"pcl_macro", kPclMacro, padded(pclMacro()), kErrorFormat, 2380},
        {"tellurade_macro", kTelluradeMacro, padded(telluradeMacro()), kErrorFormat, 2380},
        {"program_data", kProgramData, slotImage(0x0010, kLarge), kErrorFormat, 2380},
    };
    expectRefusedWhenCut(0, kinds, pclFont(0, 7, kLarge), padded(zentrixFont()));
    qrl::test::TempDirectory dir;
    const std::string file = dir.file("growing.bin");
    qrl::test::beforeReadingFrom(file, [file] { std::filesystem::resize_file(file, 0); });
    qrl::test::writeFile(file, slotImage(0x0010, kLarge));
    qrl::test::ScriptedUserInterface ui;
    EXPECT_EQ(GetProgramDataType(QString::fromStdString(file)), kProgramDataRefused);
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(2380)});
    qrl::test::beforeReadingFrom(file, {});
}

TEST(ResourceCheckMessagesTest, AFileCutShortBehindTheFirstWindowIsRefused)
{
    constexpr std::size_t kCut = ResourceCheckFile::kWindow + 100;
    const std::string pad(2 * ResourceCheckFile::kWindow, ' ');
    const Case kinds[] = {
        {"truetype_head_behind", kTrueTypeFont, trueType(10, 3, (2u << 20) + 5, true, 3u << 20), kErrorFormat,
         2380},
        {"pcl_scalable_header_behind", kPclEoFont, pad + pclFont(10), kErrorFormat, 2380},
        {"pcl_bitmap_header_behind", kPclBitmapPortraitFont, pad + pclFont(0), kErrorFormat, 2380},
        {"zentrix_font_behind", kZentrixBitmapFont, pad + zentrixFont(), kErrorFormat, 2380},
        {"pcl_macro_behind", kPclMacro, pad + pclMacro(), kErrorFormat, 2380},
        {"tellurade_keywords_behind", kTelluradeMacro, "!R! " + pad + telluradeMacro(), kErrorFormat, 2380},
    };
    expectRefusedWhenCut(kCut, kinds, pad + pclFont(0, 7), pad + zentrixFont());
}

TEST(ResourceCheckMessagesTest, MessageTextIsTheThreePartPattern)
{
    qrl::test::TempDirectory dir;
    const QString path = QString::fromStdString(dir.file("m.mcr"));
    qrl::test::writeFile(path.toStdString(), "!R! MCRO ABCD; EXIT; ENDM; ");
    qrl::test::ScriptedUserInterface ui;
    ProjectFileFakeTarget target;
    EXPECT_FALSE(CheckTelluradeMacro(path, target));
    const QString expected =
        QStringLiteral("INFO : A failure in file found. \n\nThe File  : ") + path +
        QStringLiteral("\n\nError definition : Tellurade end sequence \"EXIT\" not found.\n"
                       "A tellurade file should contain the tellurade start command !R!.\n"
                       "Please check the file and try again.\n\n"
                       "The file will not be inserted in Project.");
    EXPECT_EQ(ui.texts(), QStringList{expected});
}

} // namespace
