#include "CcpyCommandText.h"
#include "CcpyOptions.h"
#include "CcpyPageRules.h"

#include <gtest/gtest.h>

namespace {

const QDateTime kTime(QDate(2026, 3, 4), QTime(5, 6, 7));

CcpyPage page(int paperSource, int resolution = 0, int stack = 0, const QByteArray& overlay = "None",
              int term = 1)
{
    CcpyPage p;
    p.paperSource = paperSource;
    p.resolutionIndex = resolution;
    p.stackIndex = stack;
    p.overlayName = overlay;
    p.termValue = term;
    return p;
}

CcpyJob job(std::vector<CcpyPage> pages, int options, bool duplex = false, bool longEdge = true)
{
    CcpyJob j;
    j.pages = std::move(pages);
    j.options = options;
    j.duplex = duplex;
    j.longEdge = longEdge;
    j.versionText = QStringLiteral("1,0,0,1");
    j.time = kTime;
    return j;
}

QByteArray enableFile(const CcpyJob& j)
{
    QByteArray out = qrl::ccpy::enableFileHead(j);
    for (int i = 0; i < static_cast<int>(j.pages.size()); ++i)
        out += qrl::ccpy::pageMacroText(j, i);
    return out + qrl::ccpy::enableFileDuplex(j) + qrl::ccpy::commandText(j) + "EXIT;";
}

} // namespace

TEST(CcpyCommandFiles, OnePageWithoutCommentsIsTheBareCommands)
{
    const CcpyJob j = job({page(1)}, 0);
    EXPECT_EQ(qrl::ccpy::pageMacroText(j, 0), QByteArray("MCRO S0;\r\nENDM;\r\n"));
    EXPECT_EQ(qrl::ccpy::commandText(j), QByteArray("CCPY E;\r\nPSRC 1;AMCR E,S0;TERM 1;\r\nENDC;\r\n"));
    EXPECT_EQ(enableFile(j), QByteArray("!R!\r\nDELM S0;\r\nMCRO S0;\r\nENDM;\r\n"
                                        "CCPY E;\r\nPSRC 1;AMCR E,S0;TERM 1;\r\nENDC;\r\nEXIT;"));
    EXPECT_EQ(qrl::ccpy::disableFileText(j), QByteArray("!R!\r\nRES;CCPY D;\r\nEXIT;"));
}

TEST(CcpyCommandFiles, DuplexWithEveryCommentStandsInPageZeroAndAtTopLevel)
{
    const CcpyJob j = job({page(99, 6, 18, "ABCD", 0), page(0, 0, 3)}, 126, true, false);
    const QByteArray duplex = "CMNT duplex command for short edge binding;\r\nDUPX 2;\r\n";
    const QByteArray s0 = "CMNT define macro: S0;\r\nMCRO S0;\r\nSTR 600;\r\nSTAK 3;SSTK 15;\r\n" + duplex +
                          "CALL ABCD;\r\nENDM;\r\n";
    const QByteArray s1 = "CMNT define macro: S1;\r\nMCRO S1;\r\nSTAK 3;\r\nENDM;\r\n";
    const QByteArray command = "CMNT command CCPY;\r\nCCPY E;\r\nPSRC 99;AMCR E,S0;TERM 0;\r\n"
                               "PSRC 0;AMCR E,S1;TERM 1;\r\nENDC;\r\n";
    const QByteArray stamp = "CMNT creation time: [2026/03/04 - 05:06];\r\n";
    const QByteArray version = "CMNT created by Quorlyn version: 1,0,0,1;\r\n";
    EXPECT_EQ(qrl::ccpy::pageMacroText(j, 0), s0);
    EXPECT_EQ(qrl::ccpy::pageMacroText(j, 1), s1);
    EXPECT_EQ(qrl::ccpy::commandText(j), command);
    EXPECT_EQ(enableFile(j), "!R!\r\n" + version + stamp +
                                 "CMNT delete macros, which will be used in CCPY;\r\n"
                                 "DELM S0;\r\nDELM S1;\r\n"
                                 "CMNT definition of the macros which will be used by CCPY command;\r\n" +
                                 s0 + s1 + duplex + command + "EXIT;");
    EXPECT_EQ(qrl::ccpy::disableFileText(j),
              "!R!\r\n" + version + stamp + "CMNT disable command for CCPY;\r\nRES;CCPY D;\r\nEXIT;");

    const CcpyJob longEdge = job({page(1)}, 0, true, true);
    EXPECT_EQ(qrl::ccpy::pageMacroText(longEdge, 0), QByteArray("MCRO S0;\r\nDUPX 1;\r\nENDM;\r\n"));
    EXPECT_EQ(qrl::ccpy::enableFileDuplex(longEdge), QByteArray("DUPX 1;\r\n"));
}

TEST(CcpyCommandFiles, EachOptionBitWritesItsOwnLineOnly)
{
    struct Case {
        int mask;
        const char* enableHead;
        const char* disable;
    };
    const Case cases[] = {
        {0x02, "!R!\r\nCMNT created by Quorlyn version: 1,0,0,1;\r\nDELM S0;\r\n",
         "!R!\r\nRES;CCPY D;\r\nEXIT;"},
        {0x04, "!R!\r\nCMNT creation time: [2026/03/04 - 05:06];\r\nDELM S0;\r\n",
         "!R!\r\nRES;CCPY D;\r\nEXIT;"},
        {0x10, "!R!\r\nDELM S0;\r\n",
         "!R!\r\nCMNT created by Quorlyn version: 1,0,0,1;\r\nRES;CCPY D;\r\nEXIT;"},
        {0x20, "!R!\r\nDELM S0;\r\n",
         "!R!\r\nCMNT creation time: [2026/03/04 - 05:06];\r\nRES;CCPY D;\r\nEXIT;"},
        {0x40, "!R!\r\nDELM S0;\r\n", "!R!\r\nCMNT disable command for CCPY;\r\nRES;CCPY D;\r\nEXIT;"},
        {0x81, "!R!\r\nDELM S0;\r\n", "!R!\r\nRES;CCPY D;\r\nEXIT;"},
    };
    for (const Case& c : cases) {
        const CcpyJob j = job({page(1)}, c.mask);
        EXPECT_EQ(qrl::ccpy::enableFileHead(j), QByteArray(c.enableHead)) << c.mask;
        EXPECT_EQ(qrl::ccpy::disableFileText(j), QByteArray(c.disable)) << c.mask;
        EXPECT_EQ(qrl::ccpy::pageMacroText(j, 0), QByteArray("MCRO S0;\r\nENDM;\r\n")) << c.mask;
    }
}

TEST(CcpyCommandFiles, ResolutionAndStackLines)
{
    struct Case {
        int resolution;
        int stack;
        const char* lines;
    };
    const Case cases[] = {
        {1, 0, "STR 75;\r\n"},
        {7, 0, "STR 1200;\r\n"},
        {0, 1, "STAK 1;\r\n"},
        {0, 2, "STAK 2;\r\n"},
        {0, 3, "STAK 3;\r\n"},
        {0, 4, "STAK 3;SSTK 1;\r\n"},
        {5, 18, "STR 300;\r\nSTAK 3;SSTK 15;\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(qrl::ccpy::pageMacroText(job({page(1, c.resolution, c.stack)}, 0), 0),
                  "MCRO S0;\r\n" + QByteArray(c.lines) + "ENDM;\r\n")
            << c.resolution << " " << c.stack;
}

TEST(CcpyCommandFiles, OnlyNamesThatStandUnquotedInOneCommandAreCallable)
{
    EXPECT_TRUE(qrl::ccpy::isCallableName("ABCD"));
    EXPECT_TRUE(qrl::ccpy::isCallableName(QByteArray(249, 'A')));
    for (const QByteArray& bad :
         {QByteArray(), QByteArray("A'B"), QByteArray("A;EXIT"), QByteArray("A,B"), QByteArray("A B"),
          QByteArray("A\"B"), QByteArray("A\rB"), QByteArray("A\x7f"), QByteArray(250, 'A')})
        EXPECT_FALSE(qrl::ccpy::isCallableName(bad)) << bad.toStdString();
    EXPECT_EQ(qrl::ccpy::firstUncallablePage(job({page(1), page(1, 0, 0, "AB;C")}, 0)), 1);
    EXPECT_EQ(qrl::ccpy::firstUncallablePage(job({page(1), page(1, 0, 0, "ABCD")}, 0)), -1);
}

TEST(CcpyPageRules, ChoicePositionsGiveTheCommandValuesAndTexts)
{
    const int sources[8] = {1, 2, 3, 4, 5, 6, 0, 99};
    for (int position = 0; position < 8; ++position) {
        EXPECT_EQ(qrl::ccpy::paperSourceOfCassette(position), sources[position]);
        EXPECT_EQ(qrl::ccpy::cassetteOfPaperSource(sources[position]), position);
    }
    const CcpyPage p = qrl::ccpy::makePage({7, 2, "MAC2", QStringLiteral("MAC2"), 1, 6, 18});
    EXPECT_EQ(p.paperSource, 99);
    EXPECT_EQ(p.overlayIndex, 2);
    EXPECT_EQ(p.overlayName, QByteArray("MAC2"));
    EXPECT_EQ(p.termValue, 0);
    EXPECT_EQ(p.resolutionIndex, 6);
    EXPECT_EQ(p.stackIndex, 18);
    EXPECT_EQ(p.cassetteText, QStringLiteral("NR-4"));
    EXPECT_EQ(p.resolutionText, QStringLiteral("600"));
    EXPECT_EQ(p.dataOverlayText, QStringLiteral("Overlay"));
    EXPECT_EQ(p.stackText, QStringLiteral("Sorter Tray 15"));
    const CcpyPage none = qrl::ccpy::makePage({6, 0, "IGNORED", QStringLiteral("IGNORED"), 0, 0, 0});
    EXPECT_EQ(none.overlayName, QByteArray("None"));
    EXPECT_EQ(none.overlayText, QStringLiteral("None"));
    EXPECT_EQ(none.termValue, 1);
    EXPECT_EQ(none.cassetteText, QStringLiteral("Manual Feeder"));
    EXPECT_EQ(qrl::ccpy::stackEntries().size(), 19);
    EXPECT_EQ(qrl::ccpy::stackEntries().at(3), QStringLiteral("Sorter Bulk Tray"));
}

TEST(CcpyPageRules, BackSidesFollowTheirFrontAndDeletingRenumbers)
{
    CcpyJob j = job({}, 0, true);
    for (int cassette : {0, 3, 6, 7})
        j.pages.push_back(qrl::ccpy::makePage({cassette, 0, {}, {}, 0, 0, cassette}));
    qrl::ccpy::applyBackSideRule(j);
    EXPECT_EQ(j.pages[1].paperSource, 1);
    EXPECT_EQ(j.pages[1].cassetteText, QStringLiteral("Cassette 1"));
    EXPECT_EQ(j.pages[1].stackIndex, 0);
    EXPECT_EQ(j.pages[3].paperSource, 0);
    EXPECT_EQ(j.pages[3].stackText, QStringLiteral("Sorter Tray 3"));
    EXPECT_EQ(j.pages[2].paperSource, 0);

    // The former third page becomes the second: its macro is S1 at the next writing.
    CcpyJob three = job({page(1), page(2), page(3, 1)}, 0);
    qrl::ccpy::removePage(three, 1);
    ASSERT_EQ(three.pages.size(), 2u);
    EXPECT_EQ(qrl::ccpy::pageMacroText(three, 1), QByteArray("MCRO S1;\r\nSTR 75;\r\nENDM;\r\n"));
    EXPECT_EQ(qrl::ccpy::commandText(three),
              QByteArray("CCPY E;\r\nPSRC 1;AMCR E,S0;TERM 1;\r\nPSRC 3;AMCR E,S1;TERM 1;\r\nENDC;\r\n"));
    qrl::ccpy::removePage(three, 5);
    EXPECT_EQ(three.pages.size(), 2u);
}
