#include "WholeFileParts.h"

#include <cerrno>
#include <filesystem>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qrl::detail {

int errnoOr(int fallback)
{
    return errno != 0 ? errno : fallback;
}

std::string folderOf(const std::string& path)
{
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

std::string inFolder(const std::string& folder, const std::string& name)
{
    return folder + "/" + name;
}

std::string fileNameOf(const std::string& path)
{
    return fs::path(path).filename().string();
}

std::uint64_t nameHash(const std::string& text)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

void holdSaveLock(int fd)
{
    while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
}

int claimDeadFile(int folderFd, const std::string& name)
{
    const int fd =
        ::openat(folderFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat opened {
    }, named{};
    if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::fstatat(folderFd, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
        named.st_dev == opened.st_dev && named.st_ino == opened.st_ino)
        return fd;
    ::close(fd);
    return -1;
}

void syncFolder(const std::string& folder)
{
    const int fd = ::openat(AT_FDCWD, folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace qrl::detail
