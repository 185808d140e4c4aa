#include "ProgramFile.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qrl {

bool isTrustedProgramFile(int fd)
{
    struct stat st;
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    const bool ownerTrusted = st.st_uid == ::geteuid() || st.st_uid == 0;
    return ownerTrusted && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

bool isTrustedProgramFile(const QString& path)
{
    // O_NONBLOCK: a pipe at the name must not hold the check.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool trusted = isTrustedProgramFile(fd);
    ::close(fd);
    return trusted;
}

} // namespace qrl
