#include "FileStamp.h"

#include "FileSave.h"

#include <QFileInfo>

#include <sys/stat.h>

namespace qrl {

namespace {

FileStamp stampOf(const struct stat& st)
{
    FileStamp stamp;
    stamp.exists = true;
    stamp.device = static_cast<std::uint64_t>(st.st_dev);
    stamp.inode = static_cast<std::uint64_t>(st.st_ino);
    stamp.size = static_cast<std::int64_t>(st.st_size);
    stamp.modifiedSeconds = static_cast<std::int64_t>(st.st_mtim.tv_sec);
    stamp.modifiedNanoseconds = static_cast<std::int64_t>(st.st_mtim.tv_nsec);
    return stamp;
}

} // namespace

FileStamp fileStamp(const QString& path)
{
    struct stat st;
    if (path.isEmpty() || ::stat(nativePath(path).c_str(), &st) != 0)
        return {};
    return stampOf(st);
}

FileStamp fileStamp(int fd)
{
    struct stat st;
    if (fd < 0 || ::fstat(fd, &st) != 0)
        return {};
    return stampOf(st);
}

bool sameFile(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    if (!canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath())
        return true;
    const FileStamp stampA = fileStamp(a);
    const FileStamp stampB = fileStamp(b);
    return stampA.exists && stampB.exists && stampA.device == stampB.device && stampA.inode == stampB.inode;
}

} // namespace qrl
