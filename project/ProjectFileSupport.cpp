#include "ProjectFileSupport.h"

#include "AppContext.h"
#include "ProjectTextIds.h"
#include "RasterTextIds.h"
#include "ResourceCheckSupport.h"
#include "TextFormat.h"
#include "UserInterface.h"

#include <QIODevice>

#include <algorithm>

namespace qrl::projectfile {

QByteArray readAt(QIODevice& file, qint64 offset, qint64 length)
{
    const qint64 size = file.size();
    if (offset < 0 || length <= 0 || offset >= size || !file.seek(offset))
        return {};
    return file.read(std::min(length, size - offset));
}

RecordBlock readRecords(QIODevice& file, const QString& path, qint64 offset, qint64 recordSize, qint64 count,
                        ResourceCheckMessages& messages)
{
    RecordBlock block;
    const qint64 size = file.size();
    const qint64 present = size > offset ? (size - offset) / recordSize : 0;
    block.count = count;
    if (count > present) {
        showFileCutShort(static_cast<int>(present));
        block.count = present;
        block.cutShort = true;
    }
    block.bytes = readAt(file, offset, block.count * recordSize);
    block.ok = block.bytes.size() == block.count * recordSize;
    if (!block.ok)
        messages.showFileError(qrl::ids::kFileErrorFormat, qrl::ids::kCouldNotAccessFile,
                               qrl::ids::kHintCheckFile, path);
    return block;
}

void showMoreThanMaxItems()
{
    qrl::ui().message(
        QStringLiteral("The project contains more than 256 items.\nQuorlyn can open the first 256 items"));
}

void showFileCutShort(int itemsRead)
{
    qrl::ui().message(qrl::formatText(
        QStringLiteral("The project file ends before its last item.\nQuorlyn can open the first %d items"),
        {itemsRead}));
}

void showUnknownMedium()
{
    qrl::ui().message(QStringLiteral("The project file names an unknown storage medium.\n"
                                     "The default medium is set, please check the project settings."));
}

void showUnknownSizeIndex()
{
    qrl::ui().message(QStringLiteral("The project file names an unknown storage size.\n"
                                     "The default size is set, please check the project settings."));
}

DosImportReset::~DosImportReset()
{
    qrl::context().dosImport = 0;
}

} // namespace qrl::projectfile
