#pragma once

#include <QByteArray>
#include <QString>

#include <string>

class QIODevice;
class ResourceCheckMessages;

// What the project file readers share.
namespace qrl::projectfile {

// Up to `length` bytes from `offset`; fewer (or none) when the file ends sooner or fails.
QByteArray readAt(QIODevice& file, qint64 offset, qint64 length);

// The records behind a header of `offset` bytes: `count` records of `recordSize` bytes, or, in a
// file cut short, its whole records (after a message). Not ok after a read error (after its
// message, through `messages`).
struct RecordBlock {
    QByteArray bytes;
    qint64 count = 0;
    bool cutShort = false;
    bool ok = false;
};
RecordBlock readRecords(QIODevice& file, const QString& path, qint64 offset, qint64 recordSize, qint64 count,
                        ResourceCheckMessages& messages);

// The messages of a read that cannot take the file's values as they stand.
void showMoreThanMaxItems();
void showFileCutShort(int itemsRead);
void showUnknownMedium();
void showUnknownSizeIndex();

// Clears the application's DOS-import flag when it goes out of scope, on every road out of a read.
class DosImportReset {
public:
    DosImportReset() = default;
    ~DosImportReset();
    DosImportReset(const DosImportReset&) = delete;
    DosImportReset& operator=(const DosImportReset&) = delete;
};

} // namespace qrl::projectfile
