#include "ProjectFile.h"

#include "CProjSett.h"
#include "CQuorlyn32App.h"
#include "ItemRecord.h"
#include "ProjectFileHeader.h"
#include "ProjectFileSupport.h"
#include "ResourceCheckSupport.h"

#include "UserInterface.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

namespace {

// Takes the header's storage settings; values outside their tables are reset to the defaults
// (with a message), so no later lookup runs off a table.
void takeSettings(const ProjectFileHeader& header, ProjectFileTarget& target)
{
    CProjSett& settings = target.settings();
    if (header.medium < kMediumCount) {
        settings.m_medium = header.medium;
    } else {
        settings.m_medium = CProjSett{}.m_medium;
        projectfile::showUnknownMedium();
        target.markModified();
    }
    if (header.sizeIndex < StorageSizeTable::kCount) {
        settings.m_storageSizeIndex = header.sizeIndex;
    } else {
        settings.m_storageSizeIndex = StorageSizeTable::kDefaultIndex;
        projectfile::showUnknownSizeIndex();
        target.markModified();
    }
    settings.m_extraSettings = header.extra;
    if (settings.m_storageSizeIndex == StorageSizeTable::kCustomIndex)
        settings.m_customSize = header.customSize;
}

} // namespace

bool ReadProjectFile(QIODevice& file, const QString& path, ProjectFileTarget& target)
{
    const projectfile::DosImportReset resetFlag;
    int kind = kProjectFileCurrent;
    if (!CheckProjectHeader(file, kind, path, target))
        return false;

    // A header cut short after its marker reads as zero bytes; its records are then missing too.
    const QByteArray head = projectfile::readAt(file, 0, ProjectFileHeader::kSize);
    ProjectFileHeader::Bytes headerBytes{};
    std::memcpy(headerBytes.data(), head.constData(), static_cast<std::size_t>(head.size()));
    const ProjectFileHeader header = ProjectFileHeader::decode(headerBytes);
    takeSettings(header, target);

    std::uint32_t count = header.itemCount;
    if (count > static_cast<std::uint32_t>(kMaxProjectItems)) {
        projectfile::showMoreThanMaxItems();
        count = kMaxProjectItems;
    }
    const qint64 size = file.size();
    const qint64 recordBytes = size > qint64{ProjectFileHeader::kSize} ? size - qint64{ProjectFileHeader::kSize} : 0;
    const auto present = static_cast<std::uint32_t>(
        std::min<qint64>(recordBytes / qint64{ItemRecord::kSize}, kMaxProjectItems));
    if (count > present) {
        projectfile::showFileCutShort(static_cast<int>(present));
        count = present;
        target.markModified();
    }

    const qint64 wanted = qint64{count} * qint64{ItemRecord::kSize};
    const QByteArray records = projectfile::readAt(file, ProjectFileHeader::kSize, wanted);
    if (records.size() != wanted) {
        target.showFileError(resourcecheck::kFileErrorFormat, resourcecheck::kCouldNotAccessFile,
                             resourcecheck::kCheckFileHint, path);
        return false;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(records.constData());
    for (std::uint32_t i = 0; i < count; ++i) {
        const ItemRecord record = ItemRecord::decode(bytes + std::size_t{i} * ItemRecord::kSize);
        switch (target.addItemFromRecord(record)) {
        case ProjectFileTarget::AddResult::Added:
            break;
        case ProjectFileTarget::AddResult::Skipped:
            // The project no longer matches its file; closing it asks before the item is lost.
            target.markModified();
            break;
        case ProjectFileTarget::AddResult::Stop:
            return false;
        }
    }
    return true;
}

bool LoadProjectFile(QIODevice& file, const QString& path, ProjectFileTarget& target)
{
    const projectfile::DosImportReset resetFlag;
    const ProjectFileKind kind = GetProjectFileKind(file);
    if (kind == kProjectFileUnknown) {
        qrl::ui().message(QStringLiteral("Not a known Quorlyn project file"));
        return false;
    }
    if (kind == kProjectFileOld209 || kind == kProjectFileOld203)
        theApp().setDosImport(1);
    // The import command sets the flag too, so that it imports whatever file is chosen.
    if (theApp().dosImport()) {
        theApp().logText(1, QStringLiteral("Scanning DOS Project file"));
        return ImportDosProject(file, path, target);
    }
    return ReadProjectFile(file, path, target);
}
