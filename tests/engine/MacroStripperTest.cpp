// The macro stripper: framing dropped, everything else, binary raster data included, unchanged.
#include "MacroStripper.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using vintrel::MacroStripper;

struct StripCase {
    const char* what;
    std::string source;
    std::string stripped;
};

class StripperCase : public ::testing::TestWithParam<StripCase> {};

TEST_P(StripperCase, Strips)
{
    EXPECT_EQ(MacroStripper::strip(GetParam().source), GetParam().stripped);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, StripperCase,
    ::testing::Values(
        StripCase{"StartSequenceAndTheBlankLinesAfterIt", "!R! \r\n\r\nSCU;", "SCU;"},
        StripCase{"StartSequenceWithLowerCaseR", "!r!SCU;", "SCU;"},
        StripCase{"OtherExclamationMarksStay", "!X!R;TEXT 'a!';", "!X!R;TEXT 'a!';"},
        StripCase{"CommentDelimiterAndExitDropped", "SCU;CMNT a b;\r\n DELM #;exit,E;\r\nSCP;", "SCU;SCP;"},
        StripCase{"HeaderWithSemicolon", "!R!MCRO LOGO;\r\nSCU;ENDM;EXIT;", "%SCU;ENDM;"},
        StripCase{"HeaderWithBlankBeforeSemicolon", "!R!MCRO LOGO ;\r\nSCU;ENDM;", "%SCU;ENDM;"},
        StripCase{"HeaderWithParameters", "!R!MCRO LOGO %1, %2;\r\nSCU;", "%SCU;"},
        StripCase{"HeaderParametersKeepTheirFirstCharacter", "MCRO LOGO P1,P2;SCU;", "PSCU;"},
        StripCase{"KeywordsInsideNamesStay", "!R!CALL MYEXIT;CALL CMNTX;SCU;", "CALL MYEXIT;CALL CMNTX;SCU;"},
        StripCase{"KeywordsInsideStringsStay", "TEXT 'EXIT;CMNT';TEXT \"MCRO X;\";CALL 'TEXIT';",
                  "TEXT 'EXIT;CMNT';TEXT \"MCRO X;\";CALL 'TEXIT';"},
        StripCase{"StartSequenceInsideAStringStays", "TEXT '!R!';", "TEXT '!R!';"},
        StripCase{"UnterminatedCommentEndsAtTheEnd", "SCU;CMNT never ends", "SCU;"},
        StripCase{"UnterminatedHeaderEndsAtTheEnd", "MCRO LOGO", ""},
        StripCase{"UnterminatedStringEndsAtTheEnd", "TEXT 'open;EXIT;", "TEXT 'open;EXIT;"},
        StripCase{"CountedRowsOnlyUntilTheRasterEnds", "RVCL 0;5,;EXIT;ENDR;5,;EXIT;",
                  "RVCL 0;5,;EXIT;ENDR;5,;"}),
    [](const auto& param) { return std::string(param.param.what); });

std::string randomBytes(std::size_t n, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(n, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

// Bytes that look like framing, so that a stripper that scans raster data would cut them.
const std::string kHostile = ";EXIT;\r\n!R!;CMNT x;'\";MCRO A;\"";

TEST(MacroStripper, ColourRasterRowsPassUnchanged)
{
    std::string body = "SCU;cid 0,3,8,8,8,8;cpal C,2;spal 2;cid 0,3,8,8,8,8;RVCL 0;";
    for (unsigned row = 0; row < 40; ++row) {
        std::string pixels = randomBytes(60, row);
        pixels.replace(row % 20, kHostile.size(), kHostile);
        body += "60," + pixels + ";";
    }
    body += "ENDR;RPCS;RPP;RPU;RPF;RPG;ENDM;";
    EXPECT_EQ(MacroStripper::strip("!R!MCRO COLR;" + body + "EXIT;"), "%" + body);
}

TEST(MacroStripper, WrappedImageBytesPassUnchanged)
{
    std::string image = randomBytes(5000, 7);
    image.replace(100, kHostile.size(), kHostile);
    image.replace(300, 6, ";ENDG;"); // an image may hold the closing bytes by chance
    const std::string body = "%STR 300;SPO P;GRRD J,1000,800;" + image + ";ENDG;ENDM;";
    EXPECT_EQ(
        MacroStripper::strip("!R!MCRO PHOT %;STR 300;SPO P;GRRD J,1000,800;" + image + ";ENDG;ENDM;EXIT,E;"),
        body);
}

// Monochrome rows carry three characters per 16 pixels: two of 0x40 to 0x7F and one of 0x30 to
// 0x3F (which includes ";"), or "0" for a blank group; no keyword can start after such a ";".
TEST(MacroStripper, MonochromeRasterRowsPassUnchanged)
{
    const std::string pixels = randomBytes(4000, 11) + std::string(40, '\xFF') + std::string(40, '\0');
    std::string body = "SCG;SCF;SCU;SCP;SCCS;SRO1;STR300;UNIT D;RVRD;";
    for (std::size_t row = 0; row < pixels.size(); row += 40) {
        body += "40;";
        for (std::size_t g = row; g < row + 40; g += 2) {
            const auto b0 = static_cast<unsigned char>(pixels[g]);
            const auto b1 = static_cast<unsigned char>(pixels[g + 1]);
            if (b0 == 0 && b1 == 0) {
                body += '0';
                continue;
            }
            body += static_cast<char>((b0 >> 2) + 0x40);
            body += static_cast<char>((((b0 & 3) << 4) | (b1 >> 4)) + 0x40);
            body += static_cast<char>((b1 & 0x0F) + 0x30);
        }
        body += ";\r\n";
    }
    body += "ENDR;RPCS;RPP;RPU;RPF;RPG;ENDM;";
    EXPECT_EQ(MacroStripper::strip("!R!MCRO MONO;" + body + "EXIT;"), "%" + body);
}

} // namespace
