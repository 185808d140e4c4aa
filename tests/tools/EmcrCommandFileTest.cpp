#include "EmcrCommandFile.h"
#include "EmcrOptions.h"
#include "EmcrSave.h"

#include "FileSave.h"
#include "ProjectTestSupport.h"
#include "StringTable.h"
#include "WriteFaults.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace {

using qrl::test::ProjectTest;

const QDateTime kWritten(QDate(2026, 3, 7), QTime(9, 5));

// Expected bytes are put together from the printer texts, apart from the code under test.
const std::string kStart = "!R!\r\n";
const std::string kEnd = "EXIT;";
const std::string kVersion = "CMNT created by Quorlyn version: 3.1.4;\r\n";
const std::string kTime = "CMNT creation time: [2026/03/07 - 09:05];\r\n";

EmcrCommandJob job(int mask, bool duplex = false, bool longEdge = true)
{
    EmcrCommandJob j;
    j.optionMask = mask;
    j.duplex = duplex;
    j.longEdge = longEdge;
    j.versionText = QStringLiteral("3.1.4");
    j.time = kWritten;
    return j;
}

void assign(EmcrCommandJob& j, int slot, const char* macro, const char* repeat = "", const char* params = "")
{
    j.assignments[static_cast<std::size_t>(slot)] = {QString::fromLatin1(macro), QString::fromLatin1(params),
                                                     QString::fromLatin1(repeat)};
}

std::string bytes(const QByteArray& b)
{
    return b.toStdString();
}

TEST(EmcrCommandFile, EnableFileHoldsOneCommandPerAssignedRowWithTheCommentsOfItsMask)
{
    struct Case {
        const char* what;
        EmcrCommandJob job;
        std::string expected;
    };
    EmcrCommandJob plain = job(0);
    assign(plain, 0, "MAC1");
    EmcrCommandJob backSide = job(0, true, true);
    assign(backSide, 3, "MAC2", "3", "5");
    // Without duplex only front slots are rows; the back slot of Cassette 1 is not written.
    EmcrCommandJob feeders = job(0);
    assign(feeders, 1, "BACK");
    assign(feeders, 12, "MANU");
    assign(feeders, 14, "NR4M", "2");
    EmcrCommandJob duplexFeeders = job(0, true, false);
    assign(duplexFeeders, 13, "MANU");
    assign(duplexFeeders, 14, "NR4M", "", "'a b',2");
    EmcrCommandJob full = job(0x7E, true, true);
    assign(full, 4, "CAS3", "12", "1,2");
    assign(full, 15, "LAST");
    EmcrCommandJob disableBitsOnly = job(0x70);
    assign(disableBitsOnly, 0, "MAC1");
    const Case cases[] = {
        {"one front assignment, mask 0", plain, kStart + "EMCR E,1,MAC1;\r\n" + kEnd},
        {"duplex back side with repeat and parameters", backSide,
         kStart + "EMCR E,2=1,3 MAC2,5;\r\n" + "DUPX 1;\r\n" + kEnd},
        {"manual feeder is 0, NR-4 is 99", feeders,
         kStart + "EMCR E,0,MANU;\r\nEMCR E,99,2 NR4M;\r\n" + kEnd},
        {"the same with duplex, short edge", duplexFeeders,
         kStart + "EMCR E,0=1,MANU;\r\nEMCR E,99=0,NR4M,'a b',2;\r\nDUPX 2;\r\n" + kEnd},
        {"every enable comment", full,
         kStart + kVersion + kTime + "CMNT activate macro to cassette assignment by using EMCR command;\r\n" +
             "CMNT assign macro CAS3 to 'Cassette 3';\r\nCMNT duplex side: front;\r\n" +
             "CMNT repeat count: 12;\r\nCMNT params: 1,2;\r\nEMCR E,3=0,12 CAS3,1,2;\r\n" +
             "CMNT assign macro LAST to 'NR-4';\r\nCMNT duplex side: back;\r\nEMCR E,99=1,LAST;\r\n" +
             "CMNT duplex command - long edge binding;\r\nDUPX 1;\r\n" + kEnd},
        {"disable bits leave the enable file bare", disableBitsOnly, kStart + "EMCR E,1,MAC1;\r\n" + kEnd},
    };
    for (const Case& c : cases)
        EXPECT_EQ(bytes(qrl::emcr::enableFileBytes(c.job)), c.expected) << c.what;
}

TEST(EmcrCommandFile, DisableFileResetsAndSwitchesTheAssignmentOff)
{
    const std::string command = "RES;EMCR D;\r\n";
    EXPECT_EQ(bytes(qrl::emcr::disableFileBytes(job(0x7E))),
              kStart + kVersion + kTime + "CMNT disable command for EMCR;\r\n" + command + kEnd);
    EXPECT_EQ(bytes(qrl::emcr::disableFileBytes(job(0x0E))), kStart + command + kEnd);
    EXPECT_EQ(bytes(qrl::emcr::disableFileBytes(job(0x20))), kStart + kTime + command + kEnd);
}

TEST(EmcrCommandFile, TextsThatCannotStandInACommandAreRefused)
{
    const std::string longest(240, 'p'); // "EMCR E,2,NAME," and ";" around it: exactly 255 bytes
    struct Case {
        const char* macro;
        const char* repeat;
        std::string params;
        qrl::emcr::TextError expected;
    };
    const Case cases[] = {
        {"MAC1", "", "'quoted, text',3", qrl::emcr::TextError::None},
        {"NAME", "", longest, qrl::emcr::TextError::None},
        {"NAMEX", "", longest, qrl::emcr::TextError::CommandTooLong},
        {"MA'C", "", "", qrl::emcr::TextError::MacroName},
        {"MA;C", "", "", qrl::emcr::TextError::MacroName},
        {"MA C", "", "", qrl::emcr::TextError::MacroName},
        {"MA\nC", "", "", qrl::emcr::TextError::MacroName},
        {"MAC1", "", "1;RES", qrl::emcr::TextError::Parameters},
        {"MAC1", "", "1\r\nRES", qrl::emcr::TextError::Parameters},
        {"MAC1", "1", "", qrl::emcr::TextError::RepeatCount},
        {"MAC1", "40000", "", qrl::emcr::TextError::RepeatCount},
        {"MAC1", "x2", "", qrl::emcr::TextError::RepeatCount},
    };
    for (const Case& c : cases) {
        EmcrCommandJob j = job(0);
        assign(j, 2, c.macro, c.repeat, c.params.c_str());
        EXPECT_EQ(qrl::emcr::checkAssignments(j), c.expected) << c.macro << " / " << c.params;
        EXPECT_EQ(qrl::emcr::enableFileBytes(j).isEmpty(), c.expected != qrl::emcr::TextError::None)
            << c.macro;
    }
    // A long explanation comment is a command too.
    EmcrCommandJob explained = job(qrl::emcr::options::kEnableExplanation);
    assign(explained, 0, "M", "", std::string(243, 'p').c_str());
    EXPECT_EQ(qrl::emcr::checkAssignments(explained), qrl::emcr::TextError::CommandTooLong);
    EmcrCommandJob outsideLatin1 = job(0);
    outsideLatin1.assignments[0] = {QStringLiteral("MAC1"), QStringLiteral("\u20ac"), {}};
    EXPECT_EQ(qrl::emcr::checkAssignments(outsideLatin1), qrl::emcr::TextError::Parameters);
}

TEST(EmcrSources, RepeatCountsAndLengthLimits)
{
    struct Repeat {
        const char* in;
        bool ok;
        const char* out;
    };
    for (const Repeat& r :
         {Repeat{"", true, ""}, Repeat{"0", true, ""}, Repeat{"1", true, ""}, Repeat{"2", true, "2"},
          Repeat{"007", true, "7"}, Repeat{"32767", true, "32767"}, Repeat{"32768", false, ""},
          Repeat{"0000000040", true, "40"}, Repeat{"4a", false, ""}}) {
        const qrl::emcr::RepeatCount count = qrl::emcr::normaliseRepeatCount(QString::fromLatin1(r.in));
        EXPECT_EQ(count.ok, r.ok) << r.in;
        EXPECT_EQ(count.text, QString::fromLatin1(r.out)) << r.in;
    }
    EXPECT_EQ(qrl::emcr::lengthLimit(false, 0), 236);
    EXPECT_EQ(qrl::emcr::lengthLimit(true, 0), 234);
    EXPECT_EQ(qrl::emcr::lengthLimit(false, qrl::emcr::kNr4Source), 235);
    EXPECT_EQ(qrl::emcr::lengthLimit(true, qrl::emcr::kNr4Source), 233);
}

class EmcrFilesTest : public ProjectTest {
protected:
    QString dir() const { return dirPath() + QLatin1Char('/'); }
    void touch(const char* name) const { makeFile(name, "x"); }
    std::string read(const QString& path) const { return qrl::test::readFile(path.toStdString()); }
};

TEST_F(EmcrFilesTest, ProposedNamesSkipEveryTakenNameUpToNinetyNine)
{
    EXPECT_EQ(qrl::emcr::proposedFileName(dir(), qrl::emcr::enableBaseName()), QStringLiteral("emcr on.prn"));
    touch("emcr on.prn");
    touch("emcr on2.prn");
    EXPECT_EQ(qrl::emcr::proposedFileName(dir(), qrl::emcr::enableBaseName()),
              QStringLiteral("emcr on3.prn"));
    // A dangling link takes its name as well: writing there would write through it.
    ASSERT_TRUE(QFile::link(dir() + QStringLiteral("nowhere/x"), dir() + QStringLiteral("emcr off.prn")));
    EXPECT_EQ(qrl::emcr::proposedFileName(dir(), qrl::emcr::disableBaseName()),
              QStringLiteral("emcr off2.prn"));
    for (int n = 3; n <= 99; ++n)
        touch(("emcr on" + std::to_string(n) + ".prn").c_str());
    // With every number taken the last one is offered; the save dialog asks before overwriting it.
    EXPECT_EQ(qrl::emcr::proposedFileName(dir(), qrl::emcr::enableBaseName()),
              QStringLiteral("emcr on99.prn"));

    EXPECT_EQ(qrl::emcr::fileDirectory(QStringLiteral("/forms"), QStringLiteral("/p/a.prj")),
              QStringLiteral("/forms/"));
    EXPECT_EQ(qrl::emcr::fileDirectory(QStringLiteral("/forms/"), {}), QStringLiteral("/forms/"));
    EXPECT_EQ(qrl::emcr::fileDirectory({}, QStringLiteral("/p/a.prj")), QStringLiteral("/p/"));
    EXPECT_EQ(qrl::emcr::fileDirectory({}, {}), QString());
}

TEST_F(EmcrFilesTest, AFailedWriteKeepsTheOldFileAndSaysSo)
{
    const QString path = dir() + QStringLiteral("emcr on.prn");
    EXPECT_TRUE(qrl::emcr::writeCommandFile("new bytes", path));
    EXPECT_EQ(read(path), "new bytes");
    EXPECT_TRUE(ui.texts().isEmpty());

    // A directory in the way of the rename: nothing may be half replaced.
    const QString blocked = dir() + QStringLiteral("blocked.prn");
    ASSERT_TRUE(QDir().mkpath(blocked + QStringLiteral("/inside")));
    EXPECT_FALSE(qrl::emcr::writeCommandFile("lost", blocked));
    EXPECT_FALSE(qrl::emcr::writeCommandFile("lost", dir() + QStringLiteral("missing/emcr on.prn")));
    ASSERT_EQ(ui.texts().size(), 2);
    EXPECT_EQ(ui.texts()[1],
              qrl::writeFailureText(qrl::WriteError::Other, dir() + QStringLiteral("missing/emcr on.prn")));
    EXPECT_TRUE(QFileInfo(blocked).isDir());

    // A full disk is reported as such, and the earlier file keeps every byte.
    ui.clear();
    qrl::injectWriteFault(4, ENOSPC);
    EXPECT_FALSE(qrl::emcr::writeCommandFile("!R!\r\nEXIT;", path));
    qrl::clearInjectedWriteFault();
    EXPECT_EQ(read(path), "new bytes");
    EXPECT_EQ(ui.texts(), QStringList{qrl::writeFailureText(qrl::WriteError::DiskFull, path)});
}

TEST_F(EmcrFilesTest, SavingAsksForBothFilesAndSetsThePathsOnlyWhenBothAreWritten)
{
    EmcrCommandJob j = job(0);
    // Nothing assigned: the message, no dialog.
    EXPECT_EQ(qrl::emcr::saveFiles(j, dir()).outcome, qrl::emcr::SaveOutcome::StayOpen);
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(3920)});
    EXPECT_TRUE(ui.dialogs().isEmpty());

    assign(j, 0, "MAC1");
    const QString on = dir() + QStringLiteral("emcr on.prn");
    const QString off = dir() + QStringLiteral("emcr off.prn");
    struct Step {
        const char* what;
        QStringList enable; // empty: cancelled
        QStringList disable;
        qrl::emcr::SaveOutcome outcome;
        int dialogs;
    };
    const Step steps[] = {
        {"enable cancelled", {}, {}, qrl::emcr::SaveOutcome::StayOpen, 1},
        {"disable cancelled", {on}, {}, qrl::emcr::SaveOutcome::StayOpen, 2},
        {"disable fails", {on}, {dir() + QStringLiteral("no/x.prn")}, qrl::emcr::SaveOutcome::StayOpen, 2},
        {"enable fails", {dir() + QStringLiteral("no/x.prn")}, {}, qrl::emcr::SaveOutcome::Cancel, 1},
    };
    for (const Step& s : steps) {
        ui.clear();
        ui.file(s.enable);
        if (s.dialogs == 2)
            ui.file(s.disable);
        const qrl::emcr::SaveResult result = qrl::emcr::saveFiles(j, dir());
        EXPECT_EQ(result.outcome, s.outcome) << s.what;
        EXPECT_TRUE(result.enablePath.isEmpty() && result.disablePath.isEmpty()) << s.what;
        EXPECT_EQ(ui.dialogs().size(), s.dialogs) << s.what;
    }
    ui.clear();
    // The enable file of the cancelled run is still there, so the next run offers number 2.
    ui.file(on);
    ui.file(off);
    const qrl::emcr::SaveResult result = qrl::emcr::saveFiles(j, dir());
    EXPECT_EQ(result.outcome, qrl::emcr::SaveOutcome::Written);
    EXPECT_EQ(result.enablePath, on);
    EXPECT_EQ(result.disablePath, off);
    EXPECT_EQ(read(on), kStart + "EMCR E,1,MAC1;\r\n" + kEnd);
    EXPECT_EQ(read(off), kStart + "RES;EMCR D;\r\n" + kEnd);
    ASSERT_EQ(ui.dialogs().size(), 2);
    const qrl::FileDialogRequest& first = ui.dialogs()[0].request;
    EXPECT_EQ(first.title, qrl::text(3957));
    EXPECT_EQ(first.filter, qrl::text(3921));
    EXPECT_EQ(first.directory, dir());
    EXPECT_EQ(first.fileName, QStringLiteral("emcr on2.prn"));
    EXPECT_EQ(first.defaultSuffix, QStringLiteral("prn"));
    EXPECT_TRUE(first.overwritePrompt);
    const qrl::FileDialogRequest& second = ui.dialogs()[1].request;
    EXPECT_EQ(second.title, qrl::text(3958));
    EXPECT_EQ(second.filter, qrl::text(3922));
    EXPECT_EQ(second.fileName, QStringLiteral("emcr off.prn"));

    // A refused text is told before any file is asked for.
    ui.clear();
    assign(j, 2, "BAD'");
    EXPECT_EQ(qrl::emcr::saveFiles(j, dir()).outcome, qrl::emcr::SaveOutcome::StayOpen);
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(3015)});
    EXPECT_TRUE(ui.dialogs().isEmpty());
}

TEST_F(EmcrFilesTest, TheCreatorUsesTheDefaultMaskWhileTheVersionHasChanged)
{
    namespace opt = qrl::emcr::options;
    EXPECT_EQ(opt::storedMask(), 126);
    ASSERT_TRUE(opt::storeMask(0x7F | 0x100));
    EXPECT_EQ(opt::storedMask(), 126);
    ASSERT_TRUE(opt::storeMask(14));
    ASSERT_TRUE(qrl::context().versionChanged); // a first run
    EXPECT_EQ(opt::creatorMask(), 126);
    EXPECT_EQ(opt::storedMask(), 14);
}

} // namespace
