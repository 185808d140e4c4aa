#include "ExportFile.h"

#include "BuildMessages.h"
#include "BuildMonitor.h"
#include "BuildSessionTextIds.h"
#include "FileSave.h"
#include "OutputFileCheck.h"
#include "StringTable.h"
#include "UserInterface.h"

#include "vintrel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <string>

namespace qrl::build {

namespace {

bool isWriteCause(qrl::WriteError error)
{
    return error != qrl::WriteError::None && error != qrl::WriteError::Other;
}

// Why the engine made no export. It leaves errno at the cause of a write it could not make; a card
// image that fails for no such cause fails on the card: its capacity has no size code or is too
// small for the slots. True when it was the card.
bool showEngineFailure(BuildTarget target, int engineErrno, const QString& path, const QString& helpFilePath)
{
    const qrl::WriteError cause = qrl::writeErrorFromErrno(engineErrno);
    // An input/output error is a failed write too, never a matter of the card.
    if (target == BuildTarget::CardImage && !isWriteCause(cause) && engineErrno != EIO) {
        qrl::ui().message(cardCapacityText(helpFilePath), qrl::Buttons::Ok, qrl::Icon::Warning);
        return true;
    }
    ShowWriteFailure(isWriteCause(cause) ? cause : qrl::WriteError::Other, path);
    return false;
}

} // namespace

bool SelectExportFile(const BuildOptions& options, const QString& projectDirectory, QString& name)
{
    const OutputForm& form = outputForm(options.target, options.exportFormat);
    const QString extension = QString::fromLatin1(form.extension);
    qrl::FileDialogRequest request;
    request.title = qrl::text(form.titleId);
    request.directory = options.buildsDirectory.isEmpty() ? projectDirectory : options.buildsDirectory;
    request.fileName = name;
    request.filter = qrl::text(form.filterId);
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
    if (!qrl::printing::canWriteOutput(path, error)) {
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

bool WriteExportFile(BuildContext& context, const BuildOptions& options, StorageMedium medium,
                     const QString& path, BuildMonitor& monitor, bool* cardRefused)
{
    const OutputForm& form = outputForm(options.target, options.exportFormat);
    const bool eprom = options.target == BuildTarget::Eprom;
    monitor.setStatusText(qrl::text(eprom ? ids::kStatusCreatingEprom : ids::kStatusCreatingBxf));
    // The engine writes the export straight to the chosen file through the one file writer, so
    // that the file is replaced only by a complete image, keeps what it was, and a link, a device
    // or a pipe is treated like every other file the user keeps; its finished image moves into
    // place without a second copy where the file may be renamed over.
    const std::string native = qrl::nativePath(path);
    errno = 0;
    const bool made =
        eprom ? CreateEPROMFile() != 0 && WriteFileQRL(native.c_str(), form.engineFormat, &context) != 0
              : SLT2BXF(native.c_str(), &context, mediumNumber(medium)) != 0;
    const int engineErrno = errno;
    RemoveSlots(&context);
    if (!made) {
        monitor.close();
        const bool card = showEngineFailure(options.target, engineErrno, path, options.helpFilePath);
        if (cardRefused)
            *cardRefused = card;
        return false;
    }
    monitor.stepIt();
    return true;
}

} // namespace qrl::build
