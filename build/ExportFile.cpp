#include "ExportFile.h"

#include "BuildMessages.h"
#include "BuildMonitor.h"
#include "FileSave.h"
#include "OutputFileCheck.h"
#include "StringTable.h"
#include "UserInterface.h"

#include "vintrel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace qrl::build {

namespace {

constexpr ExportFileType kHexFile = {".hex", ids::kHexExportFilter, ids::kHexExportTitle};
constexpr ExportFileType kBinaryFile = {".bin", ids::kBinaryExportFilter, ids::kBinaryExportTitle};
constexpr ExportFileType kCardImageFile = {".bxf", ids::kCardImageFilter, ids::kBinaryExportTitle};

constexpr int kSRecordFormat = 0;

// The engine writes the image into the build's working directory; the one file writer then puts
// it in place, so the chosen file is replaced only by a complete image and a link, a device or a
// pipe is treated like every other file the user keeps.
constexpr const char* kEngineImage = "EXPORT.IMG";
constexpr qint64 kCopyBlock = 64 * 1024;

bool isWriteCause(qrl::WriteError error)
{
    return error != qrl::WriteError::None && error != qrl::WriteError::Other;
}

// Why the engine made no image. It leaves errno at the cause of a write it could not make; a card
// image that fails for no such cause fails on the card: its capacity has no size code or is too
// small for the slots.
void showEngineFailure(int target, int engineErrno, const QString& helpFilePath)
{
    const qrl::WriteError cause = qrl::writeErrorFromErrno(engineErrno);
    if (target == kTargetCardImage && !isWriteCause(cause)) {
        qrl::ui().message(cardCapacityText(helpFilePath), qrl::Buttons::Ok, qrl::Icon::Warning);
        return;
    }
    ShowWriteFailure(isWriteCause(cause) ? cause : qrl::WriteError::Other,
                     QDir::current().absoluteFilePath(QString::fromLatin1(kEngineImage)));
}

// Writes the engine's image `source` as the whole content of `path`, in blocks; the size comes
// from the file system and a read that ends before it is a failure.
bool putInPlace(const QString& source, const QString& path, qrl::WriteError& error)
{
    error = qrl::WriteError::Other;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    qrl::WholeFileWriter out;
    if (!out.open(qrl::nativePath(path))) {
        error = out.error();
        return false;
    }
    const qint64 size = in.size();
    std::vector<char> block(static_cast<std::size_t>(kCopyBlock));
    for (qint64 done = 0; done < size;) {
        const qint64 n = in.read(block.data(), std::min(kCopyBlock, size - done));
        if (n <= 0)
            return false;
        if (!out.write(block.data(), static_cast<std::size_t>(n))) {
            error = out.error();
            return false;
        }
        done += n;
    }
    if (!out.commit()) {
        error = out.error();
        return false;
    }
    return true;
}

} // namespace

ExportFileType exportFileType(int target, int exportFormat)
{
    if (target == kTargetCardImage)
        return kCardImageFile;
    return exportFormat == kSRecordFormat ? kHexFile : kBinaryFile;
}

std::uint32_t engineExportFormat(int exportFormat)
{
    return static_cast<std::uint32_t>(exportFormat) + 1;
}

bool SelectExportFile(const BuildOptions& options, const QString& projectDirectory, QString& name)
{
    const ExportFileType type = exportFileType(options.target, options.exportFormat);
    const QString extension = QString::fromLatin1(type.extension);
    qrl::FileDialogRequest request;
    request.title = qrl::text(type.titleId);
    request.directory = options.buildsDirectory.isEmpty() ? projectDirectory : options.buildsDirectory;
    request.fileName = name;
    request.filter = qrl::text(type.filterId);
    request.defaultSuffix = extension.mid(1);
    request.overwritePrompt = true;
    request.mustExist = false;
    const std::optional<QString> chosen = qrl::ui().saveFileName(request);
    if (!chosen || chosen->isEmpty())
        return false;

    QString path = *chosen;
    // Exact comparison: "ROM.HEX" becomes "ROM.HEX.hex", as stored exports have always been named.
    if (path.size() > 3 && !path.endsWith(extension, Qt::CaseSensitive))
        path += extension;
    qrl::WriteError error = qrl::WriteError::None;
    if (!canWriteOutput(path, error)) {
        ShowWriteFailure(error, path);
        return false;
    }
    name = path;
    return true;
}

QString cardCapacityText(const QString& helpFilePath)
{
    const bool helpFileThere = !helpFilePath.isEmpty() && QFileInfo(helpFilePath).isFile();
    return qrl::text(helpFileThere ? ids::kCardCapacityNotSupported : ids::kCardCapacityNoHelpFile);
}

bool WriteExportFile(BuildContext& context, const BuildOptions& options, int medium, const QString& path,
                     BuildMonitor& monitor)
{
    const QString image = QString::fromLatin1(kEngineImage);
    const bool eprom = options.target == kTargetEprom;
    monitor.setStatusText(qrl::text(eprom ? ids::kStatusCreatingEprom : ids::kStatusCreatingBxf));
    errno = 0;
    const bool made =
        eprom ? CreateEPROMFile() != 0 &&
                    WriteFileQRL(kEngineImage, engineExportFormat(options.exportFormat), &context) != 0
              : SLT2BXF(kEngineImage, &context, static_cast<std::uint32_t>(medium)) != 0;
    const int engineErrno = errno;
    RemoveSlots(&context);
    qrl::WriteError error = qrl::WriteError::None;
    const bool written = made && putInPlace(image, path, error);
    QFile::remove(image);
    if (!written) {
        monitor.close();
        if (!made)
            showEngineFailure(options.target, engineErrno, options.helpFilePath);
        else
            ShowWriteFailure(error, path);
        return false;
    }
    monitor.stepIt();
    return true;
}

} // namespace qrl::build
