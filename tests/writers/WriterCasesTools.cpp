// The tools' writers of files the user keeps: the EMCR and CCPY command files, the downloader's
// job file, the tool data file and the printer tools' file output.
#include "WriterCases.h"

#include "../tools/FontDownloadFixtures.h"

#include "CPrintToolArray.h"
#include "CToolDataFile.h"
#include "CallMacroCommand.h"
#include "CcpyWriter.h"
#include "EmcrCommandFile.h"
#include "FontDownloadSend.h"
#include "ScriptedUserInterface.h"
#include "StringTable.h"
#include "TempCwd.h"
#include "TextFormat.h"
#include "ToolDataImage.h"
#include "ToolSender.h"

#include <QFileInfo>

namespace qrl::test {

namespace {

constexpr int kFilePrinter = 3000;

// The next save dialog of the writer answers `path`.
void answerSaveDialog(const QString& path)
{
    dynamic_cast<ScriptedUserInterface&>(qrl::ui()).file(path);
}

// Files the writers read, in a folder of their own that outlives every row.
const TempDirectory& inputs()
{
    static const TempDirectory dir;
    return dir;
}

EmcrCommandJob emcrJob()
{
    EmcrCommandJob job;
    job.assignments[0] = {QStringLiteral("MAC1"), QStringLiteral("'top',2"), QStringLiteral("3")};
    job.versionText = QStringLiteral("1,0,0,1");
    return job;
}

CcpyJob ccpyJob()
{
    CcpyJob job;
    CcpyPage first;
    first.overlayName = "MAC1";
    job.pages = {first};
    job.versionText = QStringLiteral("1,0,0,1");
    return job;
}

FontDownloadRequest fontRequest()
{
    const std::string pfb = inputs().file("Name.pfb");
    writeFile(pfb, qrl::test::fonttest::smallFont("Name").toStdString());
    FontDownloadRequest request;
    FontDownloadRow row;
    row.localPath = QString::fromStdString(pfb);
    FontDownloadJob::ReadFontName(row.localPath, row);
    row.targetPath = qrl::formatText(qrl::text(5011), {row.fontName});
    request.rows = {row};
    request.printerName = qrl::text(5010);
    return request;
}

bool writeToolData(const QString& path)
{
    // Read from an installed copy, written to the user's own: the path is only ever written.
    const std::string installed = inputs().file("tooldata.dat");
    writeFile(installed, "[CALL_MCRO]\r\n[CALL_PARAM]\r\n[CALL_RPT]\r\n");
    bool ok = false;
    CToolDataFile tools({QString::fromStdString(installed), path}, ok);
    ToolDataImage image;
    return ok && image.WriteCallBlock("MAC1", "'top',2", "3") && image.AppendMacroFile("/home/u/logo.prn") &&
           tools.Write(image);
}

bool sendToolsToFile(const QString& path)
{
    CPrintToolArray tools(false);
    const CallMacroParams call;
    ToolSender sender(tools, call);
    answerSaveDialog(path);
    return sender.SendTools({0, 2}, {qrl::text(kFilePrinter), QStringLiteral("FILE:"), false});
}

} // namespace

std::vector<WriterCase> toolWriters()
{
    return {
        {"EmcrEnableFile", [](const QString& path) { return WriteEmcrEnableFile(emcrJob(), path); }},
        {"EmcrDisableFile", [](const QString& path) { return WriteEmcrDisableFile(emcrJob(), path); }},
        {"CcpyEnableFile",
         [](const QString& path) {
             CcpyWriter writer(ccpyJob());
             writer.setEnablePath(path);
             return writer.BuildCcpyEnableFile();
         }},
        {"CcpyDisableFile",
         [](const QString& path) {
             CcpyWriter writer(ccpyJob());
             answerSaveDialog(path);
             return writer.WriteCcpyDisableFile(QFileInfo(path).absolutePath());
         }},
        {"DownloaderJobFile",
         [](const QString& path) {
             answerSaveDialog(path);
             return qrl::fontdownload::saveToFile(fontRequest(), QFileInfo(path).absolutePath());
         }},
        {"ToolDataFile", writeToolData},
        {"PrinterToolsFileOutput", sendToolsToFile},
    };
}

} // namespace qrl::test
