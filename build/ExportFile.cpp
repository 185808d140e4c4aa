#include "ExportFile.h"

#include "BuildMessages.h"
#include "BuildMonitor.h"
#include "BuildStringIds.h"
#include "StringTable.h"
#include "UserInterface.h"

#include "vintrel.h"

#include <QFile>
#include <QSaveFile>

namespace qrl::build {

namespace {

constexpr ExportFileType kHexFile = {".hex", ids::kHexExportFilter, ids::kHexExportTitle};
constexpr ExportFileType kBinaryFile = {".bin", ids::kBinaryExportFilter, ids::kBinaryExportTitle};
constexpr ExportFileType kCardImageFile = {".bxf", ids::kCardImageFilter, ids::kBinaryExportTitle};

constexpr int kSRecordFormat = 0;

// Whether a file can be created at `path`: a save file is opened beside it and discarded, so
// neither the chosen file nor its folder keep anything.
bool canCreate(const QString& path)
{
    QSaveFile probe(path);
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.cancelWriting();
    return true;
}

void showExportFailure(int target, const QString& path)
{
    // The engine gives no reason. The file was proven creatable when it was chosen, so a card
    // image fails on the card: its capacity has no size code or is too small for the slots.
    if (target == kTargetCardImage)
        qrl::ui().message(qrl::text(ids::kCardCapacityNotSupported), qrl::Buttons::Ok, qrl::Icon::Warning);
    else
        ShowFileError(ids::kFileErrorFormat, ids::kCouldNotCreateFile, ids::kReadOnlyHint, path);
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
    if (!canCreate(path)) {
        qrl::ui().message(qrl::text(ids::kCouldNotCreateFile), qrl::Buttons::Ok, qrl::Icon::Warning);
        return false;
    }
    name = path;
    return true;
}

bool WriteExportFile(BuildContext& context, const BuildOptions& options, int medium, const QString& path,
                     BuildMonitor& monitor)
{
    // The whole path goes to the engine: cutting it to a fixed buffer would write another file.
    const QByteArray file = QFile::encodeName(path);
    bool written = false;
    if (options.target == kTargetEprom) {
        monitor.setStatusText(qrl::text(ids::kStatusCreatingEprom));
        written = CreateEPROMFile() != 0 &&
                  WriteFileQRL(file.constData(), engineExportFormat(options.exportFormat), &context) != 0;
    } else {
        monitor.setStatusText(qrl::text(ids::kStatusCreatingBxf));
        written = SLT2BXF(file.constData(), &context, static_cast<std::uint32_t>(medium)) != 0;
    }
    RemoveSlots(&context);
    if (!written) {
        monitor.close();
        showExportFailure(options.target, path);
        return false;
    }
    monitor.stepIt();
    return true;
}

} // namespace qrl::build
