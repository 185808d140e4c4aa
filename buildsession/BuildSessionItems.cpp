// The engine steps of a build: one resource per item, then the link list, the slot list and
// the slot images.
#include "BuildSession.h"
#include "BuildSessionTextIds.h"
#include "ProjectTextIds.h"
#include "RasterTextIds.h"

#include "BuildMessages.h"
#include "BuildMonitor.h"
#include "BuildWorkspace.h"
#include "FontHeaderResolution.h"
#include "StringTable.h"
#include "TextFormat.h"
#include "UserInterface.h"
#include "WholeFile.h"

#include <QDir>
#include <QFile>

#include <cerrno>

namespace qrl::build {

namespace {

constexpr const char* kCreateFontResourceFailed = "CreateFontResource(.) failed";

// The bar covers half its length during the item loop.
int itemStep(std::size_t count)
{
    return (100 / static_cast<int>(count)) / 2;
}

// Why an item's image was not made. The engine leaves errno at the cause of a write it could not
// make; it writes only into the working folder, the build's temporary folder, so a full disk is
// that folder's, not the item's. Any other failure is the item's file.
void showItemError(const BuildItem& item, int engineErrno)
{
    if (qrl::writeErrorFromErrno(engineErrno) == qrl::WriteError::DiskFull) {
        qrl::ui().message(qrl::formatText(qrl::text(ids::kTempFolderFull), {QDir::currentPath()}),
                          qrl::Buttons::Ok, qrl::Icon::Warning);
        return;
    }
    ShowFileError(ids::kFileErrorFormat, ids::kCouldNotAccessFile, ids::kHintCheckFile, item.path);
}

} // namespace

bool BuildSession::BuildItems(const BuildProject& project, StorageMedium medium,
                              const BuildWorkspace& workspace)
{
    if (project.items.empty()) {
        m_monitor->close();
        qrl::ui().message(qrl::text(ids::kNoResources), qrl::Buttons::Ok, qrl::Icon::Warning);
        return false;
    }
    m_monitor->setStep(itemStep(project.items.size()));
    for (std::size_t i = 0; i < project.items.size(); ++i) {
        const BuildItem& item = project.items[i];
        const int index = static_cast<int>(i);
        bool called = true;
        bool built = true;
        if (item.kind == kKindFont) {
            m_monitor->setStatusText(qrl::text(ids::kStatusBuildingFont));
            built = BuildFontItem(item, index);
        } else if (item.kind == kKindMacro || item.kind == kKindForm || item.kind == kKindData) {
            m_monitor->setStatusText(qrl::text(ids::kStatusBuildingResources));
            built = BuildResourceItem(item, index, medium, workspace);
        } else {
            called = false;
        }
        if (!built)
            return false;
        if (called)
            m_monitor->stepIt();
        if (!m_context->AddItemRecord(item.record)) {
            m_monitor->close();
            qrl::ui().message(qrl::text(ids::kFailedToBuild), qrl::Buttons::Ok, qrl::Icon::Warning);
            return false;
        }
    }
    return true;
}

bool BuildSession::BuildFontItem(const BuildItem& item, int index)
{
    const QByteArray path = QFile::encodeName(item.path);
    const QByteArray name = QByteArray::fromStdString(item.record.name);
    const ItemRecord& record = item.record;
    const auto itemIndex = static_cast<std::uint32_t>(index);
    // errno is read right after the engine call that failed, before anything else can change it.
    bool built = false;
    int engineErrno = 0;
    errno = 0;
    if (record.resourceType == kTrueTypeFont) {
        built = MakeTTFResource(path.constData(), name.constData(), itemIndex, record.resourceId,
                                record.typefaceId, record.symbolSet) != 0;
        engineErrno = errno;
    } else {
        built = MakeSFA(path.constData(), itemIndex, name.constData(), record.resourceId,
                        record.typefaceId) != 0 &&
                MakeFontHeader(itemIndex, name.constData(), record.resourceId) != 0;
        engineErrno = errno;
        if (built) {
            errno = 0;
            built = CreateFontResource(path.constData(), itemIndex, record.resourceId) != 0;
            engineErrno = errno;
            if (!built)
                qrl::ui().message(QString::fromLatin1(kCreateFontResourceFailed), qrl::Buttons::Ok,
                                  qrl::Icon::None);
        }
    }
    if (built && record.resourceType == kZentrixBitmapFont)
        FixFontHeaderResolution(item.path, index);
    if (!built) {
        m_monitor->close();
        showItemError(item, engineErrno);
    }
    return built;
}

bool BuildSession::BuildResourceItem(const BuildItem& item, int index, StorageMedium medium,
                                     const BuildWorkspace& workspace)
{
    const ItemRecord& record = item.record;
    if (record.resourceType < kPclMacro || record.resourceType > kProgramData)
        return true;
    QString source = item.path;
    QString parFile;
    if (record.resourceType == kPclMacro) {
        // The engine takes the macro's body alone, which the item writes into a ".par" file.
        const QString tmpName = workspace.file(qrl::formatText(QStringLiteral("pcl%05d.tmp"), {index}));
        parFile = tmpName;
        const bool written = item.writeParFile && item.writeParFile(parFile);
        if (!written) {
            QFile::remove(parFile);
            QFile::remove(tmpName);
            m_monitor->close();
            if (!item.writeParFile)
                showItemError(item, 0);
            return false;
        }
        source = parFile;
    }
    const QByteArray sourcePath = QFile::encodeName(source);
    const QByteArray name = QByteArray::fromStdString(record.name);
    errno = 0;
    const bool built =
        MakeResource(
            sourcePath.constData(), name.constData(), static_cast<std::uint32_t>(index), record.resourceId,
            static_cast<std::uint32_t>(BuildContextBlocks::GetEngineResourceType(record.resourceType)),
            record.automaticFlag != 0 ? 1 : 0, mediumNumber(medium), 0, m_context->get()) != 0;
    const int engineErrno = errno;
    if (!parFile.isEmpty())
        QFile::remove(parFile);
    if (!built) {
        m_monitor->close();
        showItemError(item, engineErrno);
    }
    return built;
}

bool BuildSession::BuildSlots(StorageMedium medium)
{
    BuildContext* context = m_context->get();
    const std::uint32_t mediumCode = mediumNumber(medium);
    m_monitor->setStatusText(qrl::text(ids::kStatusBuildingSlots));
    bool built = BuildLinkList(context) != 0;
    if (built) {
        m_monitor->stepIt();
        built = BuildSlotList(context, mediumCode) != 0;
    }
    if (built) {
        m_monitor->stepIt();
        built = BuildAllSlots(context, mediumCode, 0) != 0;
    }
    if (!built) {
        // The blocks made before the failure, of both lists, are freed here.
        RemoveSlotList(context);
        RemoveLinkList(context);
        RemoveSlots(context);
        return false;
    }
    m_monitor->stepIt();
    return true;
}

} // namespace qrl::build
