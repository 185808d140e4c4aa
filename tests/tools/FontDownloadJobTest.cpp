#include "FontDownloadJob.h"
#include "CZenPrinter.h"
#include "FileSave.h"
#include "FontDownloadFixtures.h"
#include "FontDownloadSend.h"
#include "RecordingSpooler.h"
#include "ScriptedUserInterface.h"
#include "StringTable.h"
#include "TempCwd.h"
#include "TempDir.h"
#include "TextFormat.h"
#include "WriteFaults.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cerrno>

using qrl::fontdownload::Medium;
using namespace qrl::test::fonttest;

namespace {

QByteArray expectedHeader(const char* procedure, const QByteArray& pathLine)
{
    return QByteArray("!R!SEM9;EXIT;%!\r\n"
                      "%%Creator: Quorlyn32 Vorl Font Downloader 1.0\r\n"
                      "%%Copyright: (c) Zentrix. All rights reserved.\r\n"
                      "%%Title: Save Font\r\n"
                      "%%EndComments\r\n") +
           "/" + procedure + " { \r\n" + pathLine + "\r\n" +
           "/rf currentfile 0 (%%Mirabeld) /SubFileDecode filter def\r\n"
           "/str 4096 string def\r\n"
           "  { rf str readstring exch wf exch writestring {}{exit} ifelse } loop\r\n"
           "  wf closefile\r\n"
           "  rf closefile\r\n"
           "} def\r\n" +
           procedure + "\r\n";
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class FontDownloadJobTest : public ::testing::Test {
protected:
    FontDownloadRow addFont(const std::string& file, const QByteArray& pfb)
    {
        qrl::test::writeFile(dir.file(file), pfb.toStdString());
        FontDownloadRow row;
        row.localPath = QString::fromStdString(dir.file(file));
        EXPECT_TRUE(FontDownloadJob::ReadFontName(row.localPath, row)) << file;
        row.targetPath = qrl::formatText(qrl::text(5011), {row.fontName});
        return row;
    }

    qrl::test::TempDirectory dir;
    qrl::test::ScriptedUserInterface ui;
};

TEST_F(FontDownloadJobTest, OneFontsPartHoldsHeaderPfaMarkerAndEndOfJob)
{
    const FontDownloadRow row = addFont("Name.pfb", smallFont("Name"));
    EXPECT_EQ(row.fontName, QStringLiteral("Name"));
    EXPECT_EQ(row.fileSizeText, QString::number(smallFont("Name").size()));
    struct Case {
        Medium medium;
        const char* procedure;
        const char* pathLine;
    } cases[] = {
        {Medium::CompactFlash, "PFAtoCF", "(%card0%fonts/Name) (w) file /wf exch def"},
        {Medium::HardDisk, "PFAtoHDD", "(%disk0%fonts/Name) (w) file /wf exch def"},
    };
    for (const Case& c : cases) {
        FontDownloadJob job(c.medium, true);
        ASSERT_TRUE(job.WriteItemJob(3, row));
        EXPECT_EQ(readAll(job.itemFilePath(3)),
                  expectedHeader(c.procedure, c.pathLine) + smallFontPfa("Name") + "%%Mirabeld\r\n\x04");
        EXPECT_TRUE(job.itemFilePath(3).endsWith(QStringLiteral("/item3.prn")));
        EXPECT_TRUE(job.pfaFilePath().endsWith(QStringLiteral("/VorlDown.pfa")));
    }
    EXPECT_TRUE(ui.shown().isEmpty());
}

TEST(FontDownloadMedium, StoredValuesRoundTripAndOthersAreTheFirstMedium)
{
    const struct {
        int value;
        Medium medium;
    } cases[] = {{0, Medium::CompactFlash},
                 {1, Medium::HardDisk},
                 {2, Medium::CompactFlash},
                 {-1, Medium::CompactFlash}};
    for (const auto& c : cases)
        EXPECT_EQ(qrl::fontdownload::mediumFromValue(c.value), c.medium) << c.value;
    for (const Medium m : {Medium::CompactFlash, Medium::HardDisk})
        EXPECT_EQ(qrl::fontdownload::mediumFromValue(qrl::fontdownload::mediumValue(m)), m);
}

TEST_F(FontDownloadJobTest, TargetPathsAreEscapedInsideThePostScriptString)
{
    FontDownloadJob job(Medium::CompactFlash, true);
    struct Case {
        QString target;
        QByteArray pathLine;
    } cases[] = {
        {QStringLiteral("psfonts/Name"), "(%card0%psfonts/Name) (w) file /wf exch def"},
        {QStringLiteral("a) show (b\\c/N"), "(%card0%a\\) show \\(b\\\\c/N) (w) file /wf exch def"},
        {QStringLiteral("x\ny\x7f/\u00e9"), "(%card0%x\\012y\\177/\\351) (w) file /wf exch def"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(job.BuildJobHeader(c.target), expectedHeader("PFAtoCF", c.pathLine))
            << c.target.toStdString();
    EXPECT_TRUE(job.BuildJobHeader(QStringLiteral("fonts/\u4e2d")).isEmpty());
}

TEST_F(FontDownloadJobTest, FontListJobs)
{
    FontDownloadJob flst(Medium::HardDisk, true);
    ASSERT_TRUE(flst.WriteFontListJob());
    EXPECT_EQ(readAll(flst.itemFilePath(0)), QByteArray("!R! SEM9;FLST O;EXIT;"));

    FontDownloadJob files(Medium::CompactFlash, false);
    ASSERT_TRUE(files.WriteFontListJob());
    const QByteArray expected =
        "!R! SEM9; EXIT;%!\n"
        "%% Quorlyn32 Vorl font file list, Zentrix %%\n"
        "/newline { currentpoint 10 sub exch pop 72 exch moveto currentpoint exch pop 20 lt { showpage 72 "
        "700 "
        "moveto }if }def\n"
        "/mv { currentpoint exch pop moveto } def\n"
        "/Helvetica-Bold 14 selectfont\n"
        "70 700 moveto\n"
        "(User Defined Font Files List on Card) show\n"
        "420 mv (Vorl) show\n"
        "newline\nnewline\nnewline\nnewline\n"
        "/Helvetica-Bold 10 selectfont\n"
        "(Font File Name) show\n"
        "420 mv (File Size ( bytes )) show\n"
        "newline\nnewline\nnewline\n"
        "/Helvetica 10 selectfont\n"
        "(%card0%fonts/*) { /st exch def st dup length 13 sub 13 exch getinterval show\n"
        "   % 300 mv (The quick brown fox) show \n"
        "   % file length in byte\n"
        "   440 mv st status pop pop pop exch pop =string cvs show newline} 100 string filenameforall\n"
        "showpage\n"
        "\x04";
    EXPECT_EQ(readAll(files.itemFilePath(0)), expected);
    FontDownloadJob disk(Medium::HardDisk, false);
    ASSERT_TRUE(disk.WriteFontListJob());
    const QByteArray diskJob = readAll(disk.itemFilePath(0));
    EXPECT_TRUE(diskJob.contains("(User Defined Font Files List on Disk) show\n"));
    EXPECT_TRUE(diskJob.contains("\n(%disk0%fonts/*) { /st"));
}

TEST_F(FontDownloadJobTest, CombinedJobLeavesOutUnusableRowsAndReportsEach)
{
    const FontDownloadRow a = addFont("A.pfb", smallFont("A"));
    const FontDownloadRow b = addFont("B.pfb", smallFont("B"));
    FontDownloadRow gone = addFont("Gone.pfb", smallFont("Gone"));
    QFile::remove(gone.localPath);
    FontDownloadRow notPfb = addFont("Text.pfb", "FontName /Text def");
    FontDownloadRow empty;
    FontDownloadRow truncated = addFont("Cut.pfb", smallFont("Cut").chopped(10));

    FontDownloadJob job(Medium::CompactFlash, true);
    EXPECT_EQ(job.buildCombinedJob({a, gone, notPfb, empty, truncated, b}), 2);
    EXPECT_EQ(ui.texts(), QStringList({
                              QStringLiteral("File not found\n\n") + gone.localPath,
                              qrl::formatText(qrl::text(5023), {notPfb.localPath}),
                              QStringLiteral("File can not be used."),
                              QStringLiteral("pfb2pfa failed"),
                          }));
    EXPECT_EQ(ui.shown()[0].caption, QStringLiteral("File falied"));
    const QByteArray partA = expectedHeader("PFAtoCF", "(%card0%fonts/A) (w) file /wf exch def") +
                             smallFontPfa("A") + "%%Mirabeld\r\n\x04";
    const QByteArray partB = expectedHeader("PFAtoCF", "(%card0%fonts/B) (w) file /wf exch def") +
                             smallFontPfa("B") + "%%Mirabeld\r\n\x04";
    EXPECT_EQ(readAll(job.captureFilePath()), partA + partB);
    EXPECT_FALSE(QFile::exists(job.itemFilePath(4))) << "no part is left for a failed row";

    const QString directory = job.directory();
    EXPECT_TRUE(directory.startsWith(qrl::runTempDir()));
    FontDownloadJob other(Medium::CompactFlash, true);
    ASSERT_TRUE(other.setPFAFileName());
    EXPECT_NE(other.directory(), directory) << "two downloads never share scratch files";
    job.DeleteJobFiles();
    EXPECT_FALSE(QDir(directory).exists());
}

TEST_F(FontDownloadJobTest, StrayHeaderIsReportedAndTheTextBeforeItSent)
{
    FontDownloadRow row = addFont("S.pfb", segment(1, "/FontName /S def") + "garbage");
    FontDownloadJob job(Medium::CompactFlash, true);
    EXPECT_EQ(job.buildCombinedJob({row}), 1);
    EXPECT_EQ(ui.texts(), QStringList{QStringLiteral("Inputted file isn't PFB font")});
    EXPECT_TRUE(readAll(job.captureFilePath()).contains("/FontName /S def%%Mirabeld\r\n\x04"));
}

class FontDownloadSendTest : public FontDownloadJobTest {
protected:
    FontDownloadSendTest()
    {
        spooler.addPrinter("FS-1", "usb://FS-1");
        request.rows = {addFont("Name.pfb", smallFont("Name"))};
        request.printerName = QStringLiteral("FS-1");
    }

    qrl::RecordingSpooler spooler;
    CZenPrinter printer{&spooler};
    FontDownloadRequest request;
};

TEST_F(FontDownloadSendTest, SendsOneRawJobAndRemovesItsFiles)
{
    request.mediumType = qrl::fontdownload::Medium::HardDisk;
    ASSERT_TRUE(qrl::fontdownload::sendToPrinter(request, printer));
    ASSERT_EQ(spooler.jobs().size(), 1u);
    const auto& sent = spooler.jobs().front();
    EXPECT_EQ(sent.document, "Quorlyn Vorl Font Downloader File");
    EXPECT_EQ(sent.state, qrl::RecordingSpooler::JobState::Finished);
    EXPECT_EQ(QByteArray::fromStdString(sent.bytes),
              expectedHeader("PFAtoHDD", "(%disk0%fonts/Name) (w) file /wf exch def") + smallFontPfa("Name") +
                  "%%Mirabeld\r\n\x04");
    EXPECT_EQ(ui.texts(), QStringList{QStringLiteral("Sent to the printer spooler successfully")});
    EXPECT_TRUE(QDir(qrl::runTempDir())
                    .entryList(QDir::NoDotAndDotDot | QDir::AllEntries)
                    .filter("VorlDown")
                    .isEmpty());
}

TEST_F(FontDownloadSendTest, RefusalsAndFailuresAreNeverReportedAsSent)
{
    spooler.faults().write = 1;
    EXPECT_FALSE(qrl::fontdownload::sendToPrinter(request, printer));
    EXPECT_EQ(ui.texts().last(), QStringLiteral("Failed to send to the printer"));

    ui.clear();
    QFile::remove(request.rows[0].localPath);
    EXPECT_FALSE(qrl::fontdownload::sendToPrinter(request, printer));
    EXPECT_EQ(ui.texts().last(), QStringLiteral("Failed to send to the printer"));
    EXPECT_EQ(spooler.jobs().size(), 1u) << "a job without a font is not sent";

    ui.clear();
    request.rows.clear();
    EXPECT_FALSE(qrl::fontdownload::sendToPrinter(request, printer));
    EXPECT_EQ(ui.texts(), QStringList{QStringLiteral("Add item first")});
}

TEST_F(FontDownloadSendTest, FontListGoesToThePrinter)
{
    request.options = 6;
    ASSERT_TRUE(qrl::fontdownload::sendFontList(request, printer));
    EXPECT_EQ(spooler.jobs().back().bytes, "!R! SEM9;FLST O;EXIT;");
    EXPECT_EQ(ui.texts(),
              QStringList{QStringLiteral("Font list command sent to the printer spooler successfully")});
    ui.clear();
    spooler.faults().finish = true;
    EXPECT_FALSE(qrl::fontdownload::sendFontList(request, printer));
    EXPECT_EQ(ui.texts(), QStringList{QStringLiteral("Failed to send font list command to the printer")});
}

TEST_F(FontDownloadSendTest, SavesTheJobWholeOrNotAtAllAndTellsAFailureInOneBox)
{
    const QString target = QString::fromStdString(dir.file("out.prn"));
    ui.file(target);
    ASSERT_TRUE(qrl::fontdownload::saveToFile(request, QStringLiteral("/builds")));
    const qrl::FileDialogRequest& asked = ui.dialogs().front().request;
    EXPECT_EQ(asked.title, QStringLiteral("Save to file"));
    EXPECT_EQ(asked.fileName, QStringLiteral("Name.prn"));
    EXPECT_EQ(asked.directory, QStringLiteral("/builds"));
    EXPECT_TRUE(readAll(target).endsWith("%%Mirabeld\r\n\x04"));
    EXPECT_EQ(ui.texts(),
              QStringList{QStringLiteral("File : ") + target + QStringLiteral(" created successfully")});

    // No usable font: the old file stays as it was.
    ui.clear();
    QFile::remove(request.rows[0].localPath);
    ui.file(target);
    const QByteArray before = readAll(target);
    EXPECT_FALSE(qrl::fontdownload::saveToFile(request, {}));
    EXPECT_EQ(readAll(target), before);
    EXPECT_EQ(ui.texts().last(), QStringLiteral("Failed to create file : ") + target);

    // A full disk at the job's last block keeps the earlier file and says why.
    request.rows = {addFont("Name.pfb", smallFont("Name"))};
    ui.clear();
    ui.file(target);
    qrl::injectWriteFault(100, ENOSPC);
    EXPECT_FALSE(qrl::fontdownload::saveToFile(request, {}));
    qrl::clearInjectedWriteFault();
    EXPECT_EQ(readAll(target), before);
    EXPECT_EQ(ui.texts(), QStringList{qrl::writeFailureText(qrl::WriteError::DiskFull, target)});

    const QString nowhere = QString::fromStdString(dir.file("no/such/dir/x.prn"));
    request.rows = {addFont("Name.pfb", smallFont("Name"))};
    ui.clear();
    ui.file(nowhere);
    EXPECT_FALSE(qrl::fontdownload::saveToFile(request, {}));
    ASSERT_EQ(ui.texts().size(), 1);
    EXPECT_TRUE(ui.texts().first().contains(nowhere)) << ui.texts().first().toStdString();
    ui.clear();
    ui.file(QStringList{});
    EXPECT_FALSE(qrl::fontdownload::saveToFile(request, {}));
    EXPECT_TRUE(ui.texts().isEmpty());
}

} // namespace
