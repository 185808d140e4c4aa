#include "FileSave.h"

#include "PlatformTextIds.h"
#include "StringTable.h"
#include "TextFormat.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

namespace qrl {

std::string nativePath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString writeFailureText(WriteError error, const QString& path)
{
    // A file that is not there yet is refused by its folder: the folder is what the user must fix.
    QString named = path;
    const QFileInfo file(path);
    if (error == WriteError::Permission && !path.isEmpty() && !file.exists()) {
        const QString folder = file.absolutePath();
        if (::faccessat(AT_FDCWD, nativePath(folder).c_str(), W_OK | X_OK, AT_EACCESS) != 0)
            named = folder;
    }
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
    case WriteError::Replaced:
        id = ids::kWriteReplaced;
        break;
    case WriteError::None:
    case WriteError::Other:
        break;
    }
    return formatText(text(id), {named});
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
