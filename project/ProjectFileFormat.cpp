#include "ProjectFile.h"
#include "ProjectTextIds.h"

#include "CProjSett.h"
#include "ItemRecord.h"
#include "ProjectFileHeader.h"
#include "ProjectFileOldRecord.h"
#include "ProjectFileSupport.h"
#include "StringTable.h"
#include "UserInterface.h"

#include <QIODevice>

namespace {

const unsigned char* bytesOf(const QByteArray& b)
{
    return reinterpret_cast<const unsigned char*>(b.constData());
}

bool isCurrent(QIODevice& file)
{
    const QByteArray head = qrl::projectfile::readAt(file, 0, ProjectFileHeader::kSize);
    return ProjectFileHeader::hasMarker(bytesOf(head), static_cast<std::size_t>(head.size()));
}

// The older format of the file by the marker of its header record, or kProjectFileUnknown.
ProjectFileKind oldKind(QIODevice& file)
{
    const QByteArray head = qrl::projectfile::readAt(file, 0, ProjectFileOldRecord::kSize209);
    const auto size = static_cast<std::size_t>(head.size());
    if (ProjectFileOldRecord::hasMarker(bytesOf(head), size, ProjectFileOldRecord::kSize203))
        return kProjectFileOld203;
    if (ProjectFileOldRecord::hasMarker(bytesOf(head), size, ProjectFileOldRecord::kSize209))
        return kProjectFileOld209;
    return kProjectFileUnknown;
}

} // namespace

ProjectFileKind GetProjectFileKind(QIODevice& file)
{
    ProjectFileKind kind = isCurrent(file) ? kProjectFileCurrent : oldKind(file);
    file.seek(0);
    return kind;
}

bool CheckProjectHeader(QIODevice& file, int& kind, const QString& path, ResourceCheckMessages& messages)
{
    if (kind == kProjectFileCurrent) {
        if (isCurrent(file))
            return true;
        qrl::ui().message(path + qrl::text(qrl::ids::kNotValidProject));
        return false;
    }
    const ProjectFileKind old = oldKind(file);
    if (old != kProjectFileUnknown) {
        kind = old;
        return true;
    }
    messages.showFileMessage(qrl::ids::kProjectFileFailureFormat, qrl::ids::kNotValidToImport,
                             qrl::ids::kCannotBeImported, path, qrl::Buttons::Ok);
    return false;
}

bool WriteProjectFile(QIODevice& file, const CProjSett& settings, std::span<const ItemRecord> records,
                      QString& error)
{
    if (records.size() > static_cast<std::size_t>(kMaxProjectItems)) {
        error = QStringLiteral("A project holds at most 256 items.");
        return false;
    }
    ProjectFileHeader header;
    header.itemCount = static_cast<std::uint32_t>(records.size());
    header.medium = mediumNumber(settings.m_medium);
    header.sizeIndex = static_cast<std::uint8_t>(settings.m_storageSizeIndex);
    header.extra = static_cast<std::uint8_t>(settings.m_extraSettings);
    header.customSize = settings.m_customSize;

    QByteArray block;
    block.reserve(static_cast<qsizetype>((records.size() + 1) * ItemRecord::kSize));
    const auto headerBytes = header.encode();
    block.append(reinterpret_cast<const char*>(headerBytes.data()), headerBytes.size());
    for (const ItemRecord& record : records) {
        const auto bytes = record.encode();
        block.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    if (file.write(block) != block.size()) {
        error = file.errorString();
        if (error.isEmpty())
            error = QStringLiteral("The project file could not be written.");
        return false;
    }
    return true;
}
