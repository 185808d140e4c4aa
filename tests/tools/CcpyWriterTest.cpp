#include "CcpyWriter.h"
#include "CcpyCommandText.h"
#include "CcpyFileNames.h"
#include "FileMessages.h"
#include "FileSave.h"
#include "ScriptedUserInterface.h"
#include "StringTable.h"
#include "TempCwd.h"
#include "TempDir.h"
#include "TestEnvironment.h"
#include "TextFormat.h"
#include "WriteFaults.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cerrno>

namespace {

using qrl::test::readFile;
using qrl::test::writeFile;

QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

CcpyJob twoPages(const QByteArray& overlay = "MAC1")
{
    CcpyJob job;
    CcpyPage first;
    first.overlayName = overlay;
    CcpyPage second;
    second.paperSource = 2;
    second.overlayName = "None";
    second.stackIndex = 2;
    job.pages = {first, second};
    job.options = 0x08;
    job.duplex = true;
    job.versionText = QStringLiteral("1,0,0,1");
    job.time = QDateTime(QDate(2026, 12, 10), QTime(11, 45));
    return job;
}

class CcpyWriterTest : public ::testing::Test {
protected:
    CcpyWriterTest() { qrl::test::ensureCoreApplication(); }
    QString path(const char* name) const { return q(dir.file(name)); }

    qrl::test::ScopedProfile profile;
    qrl::test::ScriptedUserInterface ui;
    qrl::test::TempDirectory dir;
};

} // namespace

TEST_F(CcpyWriterTest, EnableFileIsAssembledFromPrivateScratchFilesThatGoAway)
{
    const CcpyJob job = twoPages();
    CcpyWriter writer(job);
    writer.setEnablePath(path("ccpy on.prn"));
    ASSERT_TRUE(writer.WriteAllPageMacros());
    const QString scratch = writer.scratchDirectory();
    ASSERT_FALSE(scratch.isEmpty());
    EXPECT_TRUE(scratch.startsWith(qrl::runTempDir()));
    EXPECT_EQ(QFile(scratch + QStringLiteral("/S1.txt")).size(), qrl::ccpy::pageMacroText(job, 1).size());

    ASSERT_TRUE(writer.WriteCcpyCommand());
    ASSERT_TRUE(writer.WriteCcpyEnableFile());
    EXPECT_FALSE(QFile::exists(scratch + QStringLiteral("/S0.txt")));
    EXPECT_TRUE(QFile::exists(scratch + QStringLiteral("/ccpy.tmp")));
    const QByteArray expected = qrl::ccpy::enableFileHead(job) + qrl::ccpy::pageMacroText(job, 0) +
                                qrl::ccpy::pageMacroText(job, 1) + qrl::ccpy::enableFileDuplex(job) +
                                qrl::ccpy::commandText(job) + "EXIT;";
    EXPECT_EQ(QByteArray::fromStdString(readFile(dir.file("ccpy on.prn"))), expected);

    CcpyWriter again(job);
    again.setEnablePath(path("again.prn"));
    ASSERT_TRUE(again.BuildCcpyEnableFile());
    EXPECT_EQ(QByteArray::fromStdString(readFile(dir.file("again.prn"))), expected);
    EXPECT_TRUE(again.scratchDirectory().isEmpty());
    EXPECT_TRUE(ui.shown().isEmpty());
}

TEST_F(CcpyWriterTest, AFailedWriteIsReportedAndLeavesNoPartOfAFile)
{
    writeFile(dir.file("old.prn"), "old bytes");
    CcpyWriter writer(twoPages());
    writer.setEnablePath(path("missing/ccpy on.prn"));
    EXPECT_FALSE(writer.BuildCcpyEnableFile());
    ASSERT_EQ(ui.texts().size(), 1);
    EXPECT_EQ(ui.texts().first(), qrl::writeFailureText(qrl::WriteError::Other, path("missing/ccpy on.prn")));
    EXPECT_TRUE(writer.scratchDirectory().isEmpty());

    // A full disk is named as such, and the earlier file keeps every byte.
    ui.clear();
    CcpyWriter full(twoPages());
    full.setEnablePath(path("old.prn"));
    qrl::injectWriteFault(0, ENOSPC);
    EXPECT_FALSE(full.BuildCcpyEnableFile());
    qrl::clearInjectedWriteFault();
    ASSERT_EQ(ui.texts().size(), 1);
    EXPECT_TRUE(ui.texts().first().startsWith(qrl::text(9000).section(QLatin1Char('\n'), 0, 0)));
    EXPECT_EQ(readFile(dir.file("old.prn")), "old bytes");

    // A name the CALL command cannot carry is refused before anything is written.
    ui.clear();
    CcpyWriter refused(twoPages("AB;EXIT"));
    refused.setEnablePath(path("old.prn"));
    EXPECT_FALSE(refused.BuildCcpyEnableFile());
    ASSERT_EQ(ui.texts().size(), 1);
    EXPECT_EQ(ui.texts().first(), qrl::formatText(qrl::text(2464), {QStringLiteral("AB;EXIT")}));
    EXPECT_EQ(readFile(dir.file("old.prn")), "old bytes");
}

TEST_F(CcpyWriterTest, SaveDialogsProposeTheNamesAndTheDisableFileIsWrittenWhole)
{
    writeFile(dir.file("ccpy on.prn"), "x");
    CcpyWriter writer(twoPages());
    ui.file(QStringList{});
    EXPECT_FALSE(writer.askEnablePath(q(dir.path())));
    ASSERT_EQ(ui.dialogs().size(), 1);
    const qrl::FileDialogRequest& enable = ui.dialogs().at(0).request;
    EXPECT_EQ(enable.title, QStringLiteral("Save 'CCPY Enable' file as"));
    EXPECT_EQ(enable.filter, QStringLiteral("Ccpy Files (*.prn)|*.prn||"));
    EXPECT_EQ(enable.fileName, path("ccpy on2.prn"));
    EXPECT_EQ(enable.defaultSuffix, QStringLiteral("prn"));
    EXPECT_TRUE(enable.overwritePrompt);

    ui.file(path("ccpy on2.prn"));
    ASSERT_TRUE(writer.askEnablePath(q(dir.path())));
    EXPECT_EQ(writer.enablePath(), path("ccpy on2.prn"));

    // The enable file's own path is refused for the disable file; a cancel clears the path.
    ui.file(path("ccpy on2.prn"));
    EXPECT_FALSE(writer.WriteCcpyDisableFile(q(dir.path())));
    EXPECT_EQ(ui.texts().last(), qrl::text(3814));
    EXPECT_FALSE(QFile::exists(path("ccpy on2.prn")));
    ui.file(QStringList{});
    EXPECT_FALSE(writer.WriteCcpyDisableFile(q(dir.path())));
    EXPECT_TRUE(writer.disablePath().isEmpty());

    ui.file(path("ccpy off.prn"));
    ASSERT_TRUE(writer.WriteCcpyDisableFile(q(dir.path())));
    const qrl::FileDialogRequest& disable = ui.dialogs().last().request;
    EXPECT_EQ(disable.title, QStringLiteral("Save 'CCPY Disable' file as"));
    EXPECT_EQ(disable.filter, QStringLiteral("Ccpy Disable Files (*.prn)|*.prn||"));
    EXPECT_EQ(disable.fileName, path("ccpy off.prn"));
    EXPECT_EQ(writer.disablePath(), path("ccpy off.prn"));
    EXPECT_EQ(readFile(dir.file("ccpy off.prn")), "!R!\r\nRES;CCPY D;\r\nEXIT;");
}

TEST_F(CcpyWriterTest, NumberedNamesRunFromTwoToNinetyNine)
{
    const QString d = q(dir.path());
    EXPECT_EQ(qrl::ccpy::proposeFileName(d, true), d + QStringLiteral("/ccpy on.prn"));
    EXPECT_EQ(qrl::ccpy::proposeFileName(d + QLatin1Char('/'), false), d + QStringLiteral("/ccpy off.prn"));
    EXPECT_EQ(qrl::ccpy::proposeFileName(QString(), false), QStringLiteral("ccpy off.prn"));

    writeFile(dir.file("ccpy on.prn"), "");
    writeFile(dir.file("ccpy on2.prn"), "");
    EXPECT_EQ(qrl::ccpy::proposeFileName(d, true), d + QStringLiteral("/ccpy on3.prn"));
    EXPECT_EQ(qrl::ccpy::proposeFileName(d, false), d + QStringLiteral("/ccpy off.prn"));

    // A dangling link takes its name: writing there would land somewhere else.
    ASSERT_TRUE(QFile::link(d + QStringLiteral("/nowhere"), d + QStringLiteral("/ccpy on3.prn")));
    QDir().mkdir(d + QStringLiteral("/ccpy on4.prn"));
    EXPECT_EQ(qrl::ccpy::proposeFileName(d, true), d + QStringLiteral("/ccpy on5.prn"));

    for (int n = 5; n <= 99; ++n)
        writeFile(dir.file("ccpy on" + std::to_string(n) + ".prn"), "");
    EXPECT_EQ(qrl::ccpy::proposeFileName(d, true), d + QStringLiteral("/ccpy on99.prn"));
    EXPECT_FALSE(QFile::exists(d + QStringLiteral("/ccpy on100.prn")));

    EXPECT_EQ(qrl::ccpy::proposalDirectory(QStringLiteral("/forms"), QStringLiteral("/proj")),
              QStringLiteral("/forms"));
    EXPECT_EQ(qrl::ccpy::proposalDirectory(QString(), QStringLiteral("/proj")), QStringLiteral("/proj"));
}
