#include "FileSave.h"

#include "StringTable.h"
#include "TextFormat.h"

#include <QFile>

namespace qrl {

std::string nativePath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString writeFailureText(WriteError error, const QString& path)
{
    int id = ids::kWriteFailed;
    switch (error) {
    case WriteError::DiskFull:
        id = ids::kWriteDiskFull;
        break;
    case WriteError::TooLarge:
        id = ids::kWriteTooLarge;
        break;
    case WriteError::Permission:
        id = ids::kWritePermission;
        break;
    case WriteError::ReadOnly:
        id = ids::kWriteReadOnly;
        break;
    case WriteError::NotRegularFile:
        id = ids::kWriteNotRegularFile;
        break;
    case WriteError::None:
    case WriteError::Other:
        break;
    }
    return formatText(text(id), {path});
}

bool saveWholeFile(const QString& path, const QByteArray& bytes, QString* failure)
{
    WriteError error = WriteError::None;
    if (writeWholeFile(nativePath(path), bytes.constData(), static_cast<std::size_t>(bytes.size()), &error))
        return true;
    if (failure)
        *failure = writeFailureText(error, path);
    return false;
}

} // namespace qrl
