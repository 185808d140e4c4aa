#include "BuildSession.h"

#include "BuildMessages.h"
#include "BuildMonitor.h"
#include "BuildSessionTextIds.h"
#include "BuildTarget.h"
#include "BuildWorkspace.h"
#include "CPrinterOutput.h"
#include "EngineDebugOutput.h"
#include "ExportFile.h"
#include "PrintingTextIds.h"
#include "ProjectTextIds.h"
#include "SlotCommands.h"
#include "SlotDelivery.h"
#include "Spooler.h"
#include "StringTable.h"
#include "UserInterface.h"

#include <QFile>

namespace qrl::build {

namespace {

constexpr const char* kOutputTitle = "Save Build Output As";
constexpr const char* kOutputFilter = "Build output file (*.prn)|*.prn|All Files (*.*)|*.*||";
constexpr const char* kOutputExtension = ".prn";
constexpr const char* kOutputName = "bldout.prn";
constexpr const char* kProjectExtension = ".prj";

// The slot kind an item's resource is stored in on a card or disk.
int slotKindOf(ResourceKind kind)
{
    switch (kind) {
    case kKindFont:
        return kSlotFonts;
    case kKindMacro:
        return kSlotMacros;
    case kKindForm:
        return kSlotForms;
    case kKindData:
        return kSlotProgramData;
    default:
        return 0;
    }
}

QByteArray nameOf(const BuildItem& item)
{
    return QByteArray::fromStdString(item.record.name);
}

// The first form marked as the power-on default, in project order.
QByteArray powerOnFormName(const BuildProject& project)
{
    for (const BuildItem& item : project.items) {
        if (item.record.resourceType == kApplicationForm && item.record.automaticFlag != 0)
            return nameOf(item);
    }
    return {};
}

void showText(int id)
{
    qrl::ui().message(qrl::text(id), qrl::Buttons::Ok, qrl::Icon::Warning);
}

} // namespace

BuildSession::BuildSession(qrl::Spooler* spooler) : m_spooler(spooler)
{
    connectEngineDebugOutput();
}

BuildSession::~BuildSession() = default;

bool BuildSession::ValidateProject(const BuildProject& project, const BuildOptions& options)
{
    if (project.items.empty()) {
        showText(ids::kNoResources);
        return false;
    }
    for (const BuildItem& item : project.items) {
        if (item.kind != kKindData)
            continue;
        QFile file(item.path);
        if (!file.open(QIODevice::ReadOnly)) {
            showText(ids::kErrorOpeningFile);
            showText(ids::kProgramDataStructure);
            return false;
        }
    }
    if (!isPrinterTarget(options.target))
        return true;
    // Names become parameters of printer commands: refuse one that would break a command before
    // anything is built or sent.
    const CommandFamily family =
        commandFamily(options.target, options.cardType == QLatin1String(kCardCompact), options.tarnwick);
    for (const BuildItem& item : project.items) {
        const int kind = slotKindOf(item.kind);
        if (kind != 0 && checkSlotName(kind, nameOf(item), family) != NameCheck::Ok) {
            showNameRefused(nameOf(item));
            return false;
        }
    }
    return true;
}

QString BuildSession::defaultExportName(const QString& title)
{
    if (title.endsWith(QLatin1String(kProjectExtension), Qt::CaseInsensitive))
        return title.left(title.size() - static_cast<qsizetype>(qstrlen(kProjectExtension)));
    return title;
}

bool BuildSession::confirmFormat(const BuildOptions& options) const
{
    if (!options.format)
        return true;
    int question = 0;
    if (options.target == BuildTarget::Disk)
        question = ids::kFormatDiskWarning;
    else if (options.target == BuildTarget::Card && options.cardType == QLatin1String(kCardCompact))
        question = ids::kFormatCompactFlashWarning;
    else if (options.target == BuildTarget::Card && options.cardType == QLatin1String(kCardJeida))
        question = ids::kFormatPcmciaWarning;
    else if (options.target == BuildTarget::Card && options.cardType == QLatin1String(kCardSram))
        question = ids::kFormatSramWarning;
    if (question == 0)
        return true;
    return qrl::ui().message(qrl::text(question), qrl::Buttons::OkCancel, qrl::Icon::Warning) ==
           qrl::Answer::Ok;
}

bool BuildSession::chooseOutputFile(const BuildOptions& options, QString& path) const
{
    if (!options.outputPath.isEmpty()) {
        path = options.outputPath;
        return true;
    }
    CPrinterOutput output(nullptr, m_spooler);
    output.setInitialDirectory(options.buildsDirectory);
    return output.SelectOutputFile(path, QString::fromLatin1(kOutputTitle),
                                   QString::fromLatin1(kOutputFilter), QString::fromLatin1(kOutputExtension),
                                   QString::fromLatin1(kOutputName));
}

BuildResult BuildSession::run(const BuildProject& project, const BuildOptions& options, BuildMonitor& monitor)
{
    m_monitor = &monitor;
    m_context = std::make_unique<BuildContextBlocks>();
    m_context->setProgressCallback(&BuildSession::BuildProgressCallback, this);
    BuildResult result;
    result.settings = project.settings;
    // A refusal before the build keeps the dialog open with what the user chose.
    if (!ValidateProject(project, options)) {
        result.closeDialog = false;
        return result;
    }
    BuildWorkspace workspace;
    QString outputPath;
    QString exportPath;
    bool toFile = false;
    if (isPrinterTarget(options.target)) {
        if (!confirmFormat(options)) {
            result.closeDialog = false;
            return result;
        }
        toFile = options.printerName == qrl::text(ids::kFilePrinter);
        if (toFile && !chooseOutputFile(options, outputPath)) {
            result.closeDialog = false;
            return result;
        }
    } else {
        if (options.target == BuildTarget::CardImage && options.cardType != QLatin1String(kCardJeida)) {
            qrl::ui().message(qrl::text(ids::kExportForCfNotImplemented), qrl::Buttons::Ok, qrl::Icon::None);
            result.closeDialog = false;
            return result;
        }
        exportPath = defaultExportName(project.title);
        if (!SelectExportFile(options, project.directory, exportPath)) {
            result.closeDialog = false;
            return result;
        }
    }

    monitor.open();
    monitor.stepIt();
    m_context->setStorageSize(project.settings);
    // The medium comes from the target every time, and the project takes it over.
    const StorageMedium medium = engineMedium(options.target, options.cardType, project.settings.m_medium);
    result.settings.m_medium = medium;
    result.modified = medium != project.settings.m_medium;

    if (!workspace.enter()) {
        monitor.close();
        showText(ids::kFailedToBuild);
        return result;
    }
    if (!BuildItems(project, medium, workspace)) {
        monitor.close();
        return result;
    }
    monitor.resetPosition();
    monitor.setStep(25);
    const bool built = BuildSlots(medium);
    RemoveResources(m_context->get());
    if (!built) {
        monitor.close();
        showText(ids::kFailedToBuild);
        return result;
    }
    bool cardRefused = false;
    if (isPrinterTarget(options.target))
        result.delivered = deliver(project, options, outputPath);
    else
        result.delivered =
            WriteExportFile(*m_context->get(), options, medium, exportPath, monitor, &cardRefused);
    // A card too small or without a size code is the user's choice in the dialog, as any refusal
    // before the build: the dialog stays open to choose another.
    if (cardRefused)
        result.closeDialog = false;
    RemoveSlotList(m_context->get());
    RemoveLinkList(m_context->get());
    if (!result.delivered) {
        monitor.close();
        return result;
    }
    monitor.fillBar();
    monitor.showResult(options.target, toFile ? BuildProgress::kToFile : BuildProgress::kToSpooler);
    return result;
}

bool BuildSession::deliver(const BuildProject& project, const BuildOptions& options,
                           const QString& outputPath)
{
    DeliveryOptions delivery;
    delivery.target = options.target;
    delivery.compactFlash = options.cardType == QLatin1String(kCardCompact);
    delivery.format = options.format;
    delivery.ignoreProtection = options.ignoreProtection;
    delivery.protectAfter = options.protectAfter;
    delivery.tarnwick = options.tarnwick;
    delivery.writeProtection = options.writeProtection;
    delivery.powerOnForm = powerOnFormName(project);
    SlotDelivery writer(*m_context->get(), delivery, *m_monitor);
    if (!outputPath.isEmpty())
        return writer.WriteSlotsToFile(outputPath);
    return writer.WriteSlotsToPrinter(m_spooler ? *m_spooler : qrl::spooler(), options.printerName);
}

void BuildSession::BuildProgressCallback(const char*, int weight, void* user)
{
    auto* session = static_cast<BuildSession*>(user);
    if (!session || !session->m_monitor)
        return;
    session->m_monitor->setStep(weight);
    session->m_monitor->setStatusText(qrl::text(ids::kStatusBuildingSlots));
    session->m_monitor->stepIt();
}

} // namespace qrl::build
