#include "CcpyWriter.h"

#include "CcpyCommandText.h"
#include "CcpyFileNames.h"
#include "CcpyPageRules.h"
#include "FileMessages.h"
#include "NameRefused.h"
#include "ProjectTextIds.h"
#include "RasterTextIds.h"
#include "StringTable.h"
#include "TempDir.h"
#include "TextFormat.h"
#include "ToolFileWrite.h"
#include "ToolsTextIds.h"
#include "UserInterface.h"

#include <QDir>
#include <QFile>

namespace {

// Reads a scratch file whole, by the size the file system gives.
bool readWhole(const QString& path, QByteArray& out)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowFileError(qrl::ids::kFileErrorFormat, qrl::ids::kCouldNotAccessFile, qrl::ids::kCcpyBlankHint,
                      path);
        return false;
    }
    const qint64 size = file.size();
    out = file.read(size);
    return out.size() == size;
}

} // namespace

CcpyWriter::CcpyWriter(CcpyJob job) : m_job(std::move(job))
{
}

CcpyWriter::~CcpyWriter()
{
    removeScratchDirectory();
}

bool CcpyWriter::askEnablePath(const QString& directory)
{
    qrl::FileDialogRequest request;
    request.title = qrl::text(qrl::ids::kCcpyEnableTitle);
    request.fileName = qrl::ccpy::proposeFileName(directory, true);
    request.filter = qrl::text(qrl::ids::kCcpyEnableFilter);
    request.defaultSuffix = QStringLiteral("prn");
    const std::optional<QString> chosen = qrl::ui().saveFileName(request);
    if (!chosen || chosen->isEmpty())
        return false;
    m_enablePath = *chosen;
    return true;
}

bool CcpyWriter::ensureScratchDirectory()
{
    // A folder no longer the one made (the run's folder was exchanged) is never written into; the
    // pages written there are lost to this job, which fails.
    if (m_scratchDir.isEmpty())
        m_scratchDir = qrl::makeJobDir(QStringLiteral("ccpy"));
    else if (!qrl::jobDirStands(m_scratchDir))
        m_scratchDir.clear();
    if (m_scratchDir.isEmpty())
        ShowFileError(qrl::ids::kFileErrorFormat, qrl::ids::kCouldNotAccessFile, qrl::ids::kHintCheckReadOnly,
                      qrl::runTempDir());
    return !m_scratchDir.isEmpty();
}

QString CcpyWriter::pageMacroPath(int page) const
{
    return qrl::formatText(QStringLiteral("%sS%d.txt"), {m_scratchDir + QLatin1Char('/'), page});
}

QString CcpyWriter::commandPath() const
{
    return m_scratchDir + QStringLiteral("/ccpy.tmp");
}

void CcpyWriter::removeScratchDirectory()
{
    if (!m_scratchDir.isEmpty())
        QDir(m_scratchDir).removeRecursively();
    m_scratchDir.clear();
}

bool CcpyWriter::WritePageMacro(int page)
{
    return ensureScratchDirectory() &&
           qrl::toolfile::writeFile(pageMacroPath(page), qrl::ccpy::pageMacroText(m_job, page));
}

bool CcpyWriter::WriteAllPageMacros()
{
    for (int page = 0; page < static_cast<int>(m_job.pages.size()); ++page) {
        if (!WritePageMacro(page))
            return false;
    }
    return true;
}

bool CcpyWriter::WriteCcpyCommand()
{
    return ensureScratchDirectory() && qrl::toolfile::writeFile(commandPath(), qrl::ccpy::commandText(m_job));
}

bool CcpyWriter::AppendPageMacro(int page, QByteArray& target)
{
    const QString path = pageMacroPath(page);
    QByteArray bytes;
    const bool read = readWhole(path, bytes);
    QFile::remove(path);
    if (read)
        target += bytes;
    return read;
}

bool CcpyWriter::AppendCcpyCommand(QByteArray& target)
{
    QByteArray bytes;
    if (!readWhole(commandPath(), bytes))
        return false;
    target += bytes;
    return true;
}

bool CcpyWriter::WriteCcpyEnableFile()
{
    QByteArray file = qrl::ccpy::enableFileHead(m_job);
    for (int page = 0; page < static_cast<int>(m_job.pages.size()); ++page) {
        if (!AppendPageMacro(page, file))
            return false;
    }
    file += qrl::ccpy::enableFileDuplex(m_job);
    if (!AppendCcpyCommand(file))
        return false;
    file += qrl::ccpy::kFileEnd;
    return qrl::toolfile::writeFile(m_enablePath, file);
}

bool CcpyWriter::BuildCcpyEnableFile()
{
    const int refused = qrl::ccpy::firstUncallablePage(m_job);
    if (refused >= 0) {
        qrl::printing::showNameRefused(m_job.pages[static_cast<std::size_t>(refused)].overlayName);
        return false;
    }
    const bool built = WriteAllPageMacros() && WriteCcpyCommand() && WriteCcpyEnableFile();
    removeScratchDirectory();
    return built;
}

bool CcpyWriter::WriteCcpyDisableFile(const QString& directory)
{
    m_disablePath.clear();
    qrl::FileDialogRequest request;
    request.title = qrl::text(qrl::ids::kCcpyDisableTitle);
    request.fileName = qrl::ccpy::proposeFileName(directory, false);
    request.filter = qrl::text(qrl::ids::kCcpyDisableFilter);
    request.defaultSuffix = QStringLiteral("prn");
    const std::optional<QString> chosen = qrl::ui().saveFileName(request);
    if (!chosen || chosen->isEmpty())
        return false;
    // Written over the enable file it would leave the project two items of one disable file.
    if (!m_enablePath.isEmpty() && qrl::toolfile::isSameFile(*chosen, m_enablePath)) {
        qrl::ui().message(qrl::text(qrl::ids::kDisableFileIsEnableFile), qrl::Buttons::Ok,
                          qrl::Icon::Warning);
        return false;
    }
    if (!qrl::toolfile::writeFile(*chosen, qrl::ccpy::disableFileText(m_job)))
        return false;
    m_disablePath = *chosen;
    return true;
}
