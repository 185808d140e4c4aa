#include "FontDownloadJob.h"

#include "FileMessages.h"
#include "FontDownloadPfb.h"
#include "ProjectTextIds.h"
#include "RasterTextIds.h"
#include "StringTable.h"
#include "TempDir.h"
#include "TextFormat.h"
#include "ToolsTextIds.h"
#include "UserInterface.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace {

constexpr qint64 kCopyBlock = 64 * 1024;
constexpr char kConversionFailed[] = "pfb2pfa failed";
constexpr char kStrayHeader[] = "Inputted file isn't PFB font";

void showFileError(const QString& path)
{
    ShowFileError(qrl::ids::kFileErrorFormat, qrl::ids::kCouldNotAccessFile, qrl::ids::kHintCheckFile, path);
}

void showText(const QString& text)
{
    qrl::ui().message(text, qrl::Buttons::Ok, qrl::Icon::Warning);
}

// Copies the rest of `from` to `to` in large blocks; false when a block cannot be read or written.
bool copyRest(QFile& from, QIODevice& to)
{
    for (qint64 left = from.size() - from.pos(); left > 0;) {
        const QByteArray block = from.read(std::min(kCopyBlock, left));
        if (block.isEmpty() || to.write(block) != block.size())
            return false;
        left -= block.size();
    }
    return true;
}

} // namespace

FontDownloadJob::FontDownloadJob(qrl::fontdownload::Medium medium, bool flstFontList)
    : m_medium(medium), m_flstFontList(flstFontList)
{
}

FontDownloadJob::~FontDownloadJob()
{
    DeleteJobFiles();
}

bool FontDownloadJob::IsPfbFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && qrl::fontdownload::isPfbStart(file.read(6));
}

void FontDownloadJob::showNotPfbFile(const QString& path)
{
    qrl::ui().message(qrl::formatText(qrl::text(qrl::ids::kVorlNotPfbFile), {path}), qrl::Buttons::Ok,
                      qrl::Icon::Warning);
}

bool FontDownloadJob::ReadFontName(const QString& path, FontDownloadRow& row)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const std::optional<QByteArray> name = qrl::fontdownload::scanFontName(file);
    if (!name)
        return false;
    row.fontName = QString::fromLatin1(*name);
    row.fileSizeText = qrl::formatText(QStringLiteral("%d"), {static_cast<long long>(file.size())});
    return true;
}

bool FontDownloadJob::makeDirectory()
{
    if (m_directory.isEmpty() || !qrl::jobDirStands(m_directory))
        m_directory = qrl::makeJobDir(QStringLiteral("VorlDown"));
    return !m_directory.isEmpty();
}

bool FontDownloadJob::setPFAFileName()
{
    if (!makeDirectory())
        return false;
    m_pfaPath = m_directory + QLatin1Char('/') + QLatin1String(kPfaFileName);
    return true;
}

bool FontDownloadJob::pfb2pfa(const QString& localPath)
{
    QFile in(localPath);
    if (!in.open(QIODevice::ReadOnly)) {
        showFileError(localPath);
        return false;
    }
    QFile out(m_pfaPath);
    if (m_pfaPath.isEmpty() || !out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        showFileError(m_pfaPath);
        return false;
    }
    const qrl::fontdownload::PfaResult result =
        qrl::fontdownload::convertPfbToPfa(in, out, QByteArrayView(qrl::fontdownload::kEndOfDataMarker));
    if (result == qrl::fontdownload::PfaResult::StrayHeader)
        showText(QString::fromLatin1(kStrayHeader));
    if (out.flush() && (result == qrl::fontdownload::PfaResult::Complete ||
                        result == qrl::fontdownload::PfaResult::StrayHeader))
        return true;
    out.close();
    out.remove();
    showText(QString::fromLatin1(kConversionFailed));
    return false;
}

QByteArray FontDownloadJob::BuildJobHeader(const QString& targetPath) const
{
    QByteArray target;
    if (!qrl::fontdownload::targetPathBytes(targetPath, target))
        return {};
    return qrl::fontdownload::jobHeader(m_medium, target);
}

bool FontDownloadJob::WriteItemJob(int index, const FontDownloadRow& row)
{
    if (!setPFAFileName() || !pfb2pfa(row.localPath))
        return false;
    const QByteArray header = BuildJobHeader(row.targetPath);
    if (header.isEmpty()) {
        qrl::ui().message(qrl::text(qrl::ids::kVorlFileCannotBeUsed), qrl::Buttons::Ok, qrl::Icon::Warning);
        return false;
    }
    const QString partPath = itemFilePath(index);
    QFile part(partPath);
    QFile pfa(m_pfaPath);
    bool written = part.open(QIODevice::WriteOnly | QIODevice::Truncate) && pfa.open(QIODevice::ReadOnly) &&
                   part.write(header) == header.size() && copyRest(pfa, part);
    const QByteArray trailer = qrl::fontdownload::jobTrailer();
    written = written && part.write(trailer) == trailer.size() && part.flush();
    part.close();
    if (!written) {
        part.remove();
        showFileError(partPath);
    }
    return written;
}

qint64 FontDownloadJob::writeToCaptureFile(const QString& partFile, const QString& captureFile)
{
    QFile part(partFile);
    QFile capture(captureFile);
    if (!part.open(QIODevice::ReadOnly) || !capture.open(QIODevice::ReadWrite | QIODevice::Append)) {
        showFileError(part.isOpen() ? captureFile : partFile);
        return -1;
    }
    const qint64 before = capture.size();
    if (copyRest(part, capture) && capture.flush())
        return capture.size() - before;
    // A part appended only in half would corrupt the job: the combined file keeps whole parts.
    capture.resize(before);
    showFileError(captureFile);
    return -1;
}

bool FontDownloadJob::WriteFontListJob()
{
    const QString path = makeDirectory() ? itemFilePath(0) : QString();
    QFile file(path);
    const QByteArray job = qrl::fontdownload::fontListJob(m_medium, m_flstFontList);
    if (!path.isEmpty() && file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
        file.write(job) == job.size() && file.flush())
        return true;
    file.remove();
    showFileError(path);
    return false;
}

void FontDownloadJob::DeleteJobFiles()
{
    if (!m_directory.isEmpty())
        QDir(m_directory).removeRecursively();
    m_directory.clear();
    m_pfaPath.clear();
}

bool FontDownloadJob::checkRow(const FontDownloadRow& row) const
{
    if (row.localPath.isEmpty()) {
        qrl::ui().message(qrl::text(qrl::ids::kVorlFileCannotBeUsed), qrl::Buttons::Ok, qrl::Icon::Warning);
        return false;
    }
    if (!QFile::exists(row.localPath)) {
        qrl::ui().message(qrl::formatText(QStringLiteral("%s\n\n%s"),
                                          {qrl::text(qrl::ids::kVorlFileNotFound), row.localPath}),
                          qrl::Buttons::Ok, qrl::Icon::Warning, qrl::text(qrl::ids::kVorlFileFailedCaption));
        return false;
    }
    if (!IsPfbFile(row.localPath)) {
        showNotPfbFile(row.localPath);
        return false;
    }
    return true;
}

int FontDownloadJob::buildCombinedJob(const QVector<FontDownloadRow>& rows)
{
    if (!makeDirectory()) {
        showFileError(captureFilePath());
        return 0;
    }
    const QString capture = captureFilePath();
    QFile::remove(capture);
    int inJob = 0;
    for (int i = 0; i < rows.size(); ++i) {
        if (checkRow(rows[i]) && WriteItemJob(i, rows[i]) &&
            writeToCaptureFile(itemFilePath(i), capture) >= 0)
            ++inJob;
    }
    return inJob;
}

QString FontDownloadJob::itemFilePath(int index) const
{
    return m_directory + QLatin1Char('/') + qrl::formatText(QLatin1String(kItemFileFormat), {index});
}

QString FontDownloadJob::captureFilePath() const
{
    return m_directory + QLatin1Char('/') + QLatin1String(kCaptureFileName);
}
