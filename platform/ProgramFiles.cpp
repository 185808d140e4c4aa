#include "ProgramFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The installed folders relative to the program's bin/ folder, given by the build from the install
// layout; a build without them looks beside the program only.
#ifndef QUORLYN_DATA_FROM_BIN
#define QUORLYN_DATA_FROM_BIN ""
#endif
#ifndef QUORLYN_PRIVATE_LIB_FROM_BIN
#define QUORLYN_PRIVATE_LIB_FROM_BIN ""
#endif

namespace qrl {

namespace {

QString withSlash(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

QStringList programFileFolders(const QString& programDirectory, ProgramFileKind kind)
{
    if (programDirectory.isEmpty())
        return {};
    const QString beside = withSlash(programDirectory);
    const char* installed =
        kind == ProgramFileKind::Executables ? QUORLYN_PRIVATE_LIB_FROM_BIN : QUORLYN_DATA_FROM_BIN;
    QStringList folders{beside};
    if (*installed)
        folders.append(withSlash(QDir::cleanPath(beside + QString::fromLatin1(installed))));
    return folders;
}

QString findProgramFile(const QString& programDirectory, ProgramFileKind kind, const QString& name)
{
    const QStringList folders = programFileFolders(programDirectory, kind);
    for (const QString& folder : folders) {
        const QString path = folder + name;
        if (QFileInfo::exists(path))
            return path;
    }
    return folders.isEmpty() ? name : folders.front() + name;
}

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
