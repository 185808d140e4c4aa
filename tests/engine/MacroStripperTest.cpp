// The macro stripper: framing dropped, everything else, binary raster data included, unchanged.
#include "MacroStripper.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

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

const StripCase kCases[] = {
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
    StripCase{"CountedRowsOnlyUntilTheRasterEnds", "RVCL 0;5,;EXIT;ENDR;5,;EXIT;", "RVCL 0;5,;EXIT;ENDR;5,;"},
};

INSTANTIATE_TEST_SUITE_P(Rules, StripperCase, ::testing::ValuesIn(kCases),
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

std::string stripInWindows(const std::string& source, std::size_t window)
{
    std::string out;
    const MacroStripper::Reader read = [&](std::uint64_t offset, char* buffer, std::size_t count) {
        // A window, and at most the four bytes of a keyword behind it.
        EXPECT_LE(count, window + 4);
        EXPECT_LE(offset + count, source.size());
        source.copy(buffer, count, static_cast<std::size_t>(offset));
        return true;
    };
    const MacroStripper::Writer write = [&](const char* data, std::size_t count) {
        out.append(data, count);
        return true;
    };
    EXPECT_TRUE(MacroStripper::strip(source.size(), read, write, window));
    return out;
}

// Windows of a few bytes cut every keyword, count, string and closing ";ENDG" somewhere; the text
// comes out as from the source in one piece.
TEST(MacroStripper, StripsTheSameThroughAnyWindow)
{
    std::vector<std::string> sources;
    for (const StripCase& c : kCases)
        sources.push_back(c.source);
    std::string image = randomBytes(700, 5);
    image.replace(100, kHostile.size(), kHostile);
    image.replace(300, 6, ";ENDG;");
    sources.push_back("!R!MCRO PHOT %;GRRD J,10,8;" + image + ";ENDG;ENDM;EXIT,E;GRRD J;" + image + ";endg;");
    sources.push_back("!R!MCRO COLR;RVCL 0;12," + randomBytes(12, 3) + ";ENDR;TEXT 'a;b';CMNT x;EXIT;");
    for (const std::string& source : sources) {
        const std::string whole = MacroStripper::strip(source);
        for (const std::size_t window : {1, 2, 3, 5, 7, 64})
            EXPECT_EQ(stripInWindows(source, window), whole) << "window " << window << ": " << source;
    }
}

// A source cut short while it is read (the file shrank) or a stripped text that cannot be kept is
// a failure, never a shorter macro.
TEST(MacroStripper, AFailedReadOrWriteFailsTheStrip)
{
    std::string source = "!R!MCRO LOGO;";
    for (int i = 0; i < 200; ++i)
        source += "TEXT 'line';CMNT x;\r\n";
    source += "ENDM;EXIT;";
    for (const std::uint64_t readable : {std::uint64_t{0}, std::uint64_t{10}, std::uint64_t{3000}}) {
        const MacroStripper::Reader read = [&](std::uint64_t offset, char* buffer, std::size_t count) {
            if (offset + count > readable)
                return false;
            source.copy(buffer, count, static_cast<std::size_t>(offset));
            return true;
        };
        const MacroStripper::Writer write = [](const char*, std::size_t) { return true; };
        EXPECT_FALSE(MacroStripper::strip(source.size(), read, write, 64)) << readable;
    }
    const MacroStripper::Reader read = [&](std::uint64_t offset, char* buffer, std::size_t count) {
        source.copy(buffer, count, static_cast<std::size_t>(offset));
        return true;
    };
    const MacroStripper::Writer refuse = [](const char*, std::size_t) { return false; };
    EXPECT_FALSE(MacroStripper::strip(source.size(), read, refuse, 64));
}

} // namespace

// The image's closing ";ENDG" found by the backward search of the real window size: the first
// window read from the end begins one to four bytes into it, so its start lies in the next one.
TEST(MacroStripper, AnImageEndAcrossTwoWindowsOfTheBackwardSearch)
{
    std::string image = randomBytes(5000, 13);
    image.replace(100, kHostile.size(), kHostile);
    image.replace(300, 6, ";ENDG;");
    const std::string head = "!R!MCRO PHOT %;STR 300;SPO P;GRRD J,1000,800;";
    const std::string text = "TEXT '";
    const std::string end = "';ENDM;EXIT,E;";
    for (std::size_t before = 1; before <= 4; ++before) {
        SCOPED_TRACE(before);
        // From the ";" of ";ENDG" to the end of the source: the window and `before` bytes.
        const std::size_t filler = MacroStripper::kWindow + before - 5 - 1 - text.size() - end.size();
        const std::string tail = ";ENDG;" + text + std::string(filler, 'a') + end;
        ASSERT_EQ(tail.size(), MacroStripper::kWindow + before);
        const std::string expected = "%STR 300;SPO P;GRRD J,1000,800;" + image + ";ENDG;" + text +
                                     std::string(filler, 'a') + "';ENDM;";
        EXPECT_TRUE(MacroStripper::strip(head + image + tail) == expected);
    }
}

// An image without data: its closing ";ENDG" right after the command, or the source's end.
TEST(MacroStripper, AnImageWithoutData)
{
    const std::string head = "!R!MCRO PHOT %;STR 300;SPO P;GRRD J,1000,800;";
    const std::string kept = "%STR 300;SPO P;GRRD J,1000,800;";
    struct Case {
        std::string source;
        std::string stripped;
    };
    const Case cases[] = {
        {head + ";ENDG;ENDM;EXIT,E;", kept + ";ENDG;ENDM;"},
        {head, kept},
    };
    for (const Case& c : cases) {
        for (const std::size_t window : {std::size_t{1}, std::size_t{4}, MacroStripper::kWindow})
            EXPECT_EQ(stripInWindows(c.source, window), c.stripped)
                << "window " << window << ": " << c.source;
    }
}
