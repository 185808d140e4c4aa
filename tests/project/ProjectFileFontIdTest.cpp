#include "ProjectFile.h"
#include "ProjectFileFakeTarget.h"
#include "ResourceCheckFixtures.h"
#include "ScriptedUserInterface.h"
#include "TempCwd.h"

#include <gtest/gtest.h>

#include <optional>

using namespace qrl::test::fixtures;

namespace {

struct Case {
    const char* name;
    bool sfa; // GetSfaFontID, else GetPclFontID
    std::string bytes;
    std::optional<std::uint32_t> id;
    int format; // 0: no message
    int error;
};

constexpr std::size_t kWindow = 64 * 1024;

// A PCL soft font cut right after its font number (descriptor bytes 25-26), its header escape at
// `at`: the number ends at the file's last byte.
std::string pclFontEndingInItsNumber(std::size_t at, unsigned number)
{
    return std::string(at, ' ') + pclFont(0, number).substr(4, 6 + 27);
}

const Case kCases[] = {
    {"sfa_number", true, zentrixFont("4711"), 4711u, 0, 0},
    {"sfa_number_with_blank", true, zentrixFont(" 12"), 12u, 0, 0},
    {"sfa_lower_case_words", true, "!R! ldfc 1; sfa 1,2,3,4,5,6,7,8,99; EXIT;", 99u, 0, 0},
    {"sfa_number_at_end_of_file", true, "!R! LDFC 1; SFA 1,2,3,4,5,6,7,8,77", 77u, 0, 0},
    {"sfa_seven_commas", true, "!R! LDFC 1; SFA 1,2,3,4,5,6,7,8; EXIT;", std::nullopt, 0, 0},
    {"sfa_not_a_number", true, zentrixFont("x"), std::nullopt, 0, 0},
    {"sfa_overflow", true, zentrixFont("99999999999"), std::nullopt, 0, 0},
    {"sfa_20_bytes", true, "!R! LDFC SFA ,,,,,,,", std::nullopt, 2400, 2403},
    {"sfa_no_start", true, zentrixFont("1").substr(1), std::nullopt, 2404, 2442},
    {"sfa_no_ldfc", true, zentrixFont("1", "LDFX"), std::nullopt, 2404, 2450},
    {"sfa_no_sfa", true, zentrixFont("1", "LDFC", "SFX"), std::nullopt, 2404, 2451},
    {"pcl_number", false, pclFont(0, 0xBEEF), 0xBEEFu, 0, 0},
    {"pcl_number_at_end_of_file", false, pclFontEndingInItsNumber(50, 0xBEEF), 0xBEEFu, 0, 0},
    // The number's two bytes on both sides of the end of the first window, the second the last byte.
    {"pcl_number_across_the_window_at_end_of_file", false, pclFontEndingInItsNumber(kWindow - 6 - 26, 0x1234),
     0x1234u, 0, 0},
    {"sfa_number_across_the_window_at_end_of_file", true,
     std::string(kWindow - 33, ' ') + "!R! LDFC 1; SFA 1,2,3,4,5,6,7,8,98765", 98765u, 0, 0},
    {"pcl_69_bytes", false, pclFont(0, 1, 69), std::nullopt, 2400, 2403},
    {"pcl_no_header", false, std::string(100, 'W'), std::nullopt, 2400, 2410},
    // The descriptor ends one byte into the font number.
    {"pcl_descriptor_cut", false, std::string(80, ' ') + kEsc + ")s0W" + std::string(26, '\0'), std::nullopt,
     2400, 2410},
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

class ProjectFileFontIdTest : public ::testing::TestWithParam<Case> {};

TEST_P(ProjectFileFontIdTest, ReadsTheNumberOrReportsQuietly)
{
    const Case& c = GetParam();
    qrl::test::TempDirectory dir;
    const QString path = QString::fromStdString(dir.file("font"));
    qrl::test::writeFile(path.toStdString(), c.bytes);
    qrl::test::ScriptedUserInterface ui;
    ProjectFileFakeTarget target;
    target.showMessages = 0;
    std::uint32_t id = 0;
    const bool found = c.sfa ? GetSfaFontID(path, id, target) : GetPclFontID(path, id, target);
    EXPECT_EQ(found, c.id.has_value());
    if (c.id) {
        EXPECT_EQ(id, *c.id);
    }
    EXPECT_TRUE(ui.texts().isEmpty());
    const QStringList expected =
        c.format ? QStringList{expectedFileMessage(c.format, c.error, 2401, path)} : QStringList{};
    EXPECT_EQ(target.suppressed, expected);
}

INSTANTIATE_TEST_SUITE_P(Files, ProjectFileFontIdTest, ::testing::ValuesIn(kCases),
                         [](const auto& p) { return std::string(p.param.name); });

} // namespace
