#include "ProjectFile.h"

#include "AppContext.h"
#include "CProjSett.h"
#include "ItemRecord.h"
#include "ProjectFileHeader.h"
#include "ProjectFileSupport.h"
#include "UserInterface.h"

#include <QIODevice>

#include <cstring>
#include <optional>

namespace {

// Takes the header's storage settings; values outside their tables are reset to the defaults
// (with a message), so no later lookup runs off a table.
void takeSettings(const ProjectFileHeader& header, ProjectFileTarget& target)
{
    CProjSett& settings = target.settings();
    if (const std::optional<StorageMedium> medium = mediumOfNumber(header.medium)) {
        settings.m_medium = *medium;
    } else {
        settings.m_medium = CProjSett{}.m_medium;
        qrl::projectfile::showUnknownMedium();
        target.markModified();
    }
    if (header.sizeIndex < StorageSizeTable::kCount) {
        settings.m_storageSizeIndex = header.sizeIndex;
    } else {
        settings.m_storageSizeIndex = StorageSizeTable::kDefaultIndex;
        qrl::projectfile::showUnknownSizeIndex();
        target.markModified();
    }
    settings.m_extraSettings = header.extra;
    if (settings.m_storageSizeIndex == StorageSizeTable::kCustomIndex)
        settings.m_customSize = header.customSize;
}

} // namespace

bool ReadProjectFile(QIODevice& file, const QString& path, ProjectFileTarget& target)
{
    const qrl::projectfile::DosImportReset resetFlag;
    int kind = kProjectFileCurrent;
    if (!CheckProjectHeader(file, kind, path, target))
        return false;

    // A header cut short after its marker reads as zero bytes; its records are then missing too.
    const QByteArray head = qrl::projectfile::readAt(file, 0, ProjectFileHeader::kSize);
    ProjectFileHeader::Bytes headerBytes{};
    std::memcpy(headerBytes.data(), head.constData(), static_cast<std::size_t>(head.size()));
    const ProjectFileHeader header = ProjectFileHeader::decode(headerBytes);
    takeSettings(header, target);

    std::uint32_t count = header.itemCount;
    if (count > static_cast<std::uint32_t>(kMaxProjectItems)) {
        qrl::projectfile::showMoreThanMaxItems();
        count = kMaxProjectItems;
    }
    const qrl::projectfile::RecordBlock records =
        qrl::projectfile::readRecords(file, path, ProjectFileHeader::kSize, ItemRecord::kSize, count, target);
    if (!records.ok)
        return false;
    if (records.cutShort)
        target.markModified();
    const auto* bytes = reinterpret_cast<const unsigned char*>(records.bytes.constData());
    for (qint64 i = 0; i < records.count; ++i) {
        const ItemRecord record = ItemRecord::decode(bytes + i * qint64{ItemRecord::kSize});
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
    const qrl::projectfile::DosImportReset resetFlag;
    const ProjectFileKind kind = GetProjectFileKind(file);
    if (kind == kProjectFileUnknown) {
        qrl::ui().message(QStringLiteral("Not a known Quorlyn project file"));
        return false;
    }
    if (kind == kProjectFileOld209 || kind == kProjectFileOld203)
        qrl::context().dosImport = 1;
    // The import command sets the flag too, so that it imports whatever file is chosen.
    if (qrl::context().dosImport) {
        qrl::context().logText(1, QStringLiteral("Scanning DOS Project file"));
        return ImportDosProject(file, path, target);
    }
    return ReadProjectFile(file, path, target);
}
