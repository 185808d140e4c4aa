// The save in place: a file that a rename would change (a second link, an owner the saver cannot
// give, a folder the saver cannot write) is overwritten, with its earlier content kept in a synced
// copy until the new content is synced.
#include "WholeFile.h"
#include "WholeFileParts.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qrl {

using namespace detail;

namespace {

constexpr std::size_t kNameMax = 255;
constexpr mode_t kPermissionBits = 0777;
constexpr int kClaimAttempts = 8;

// The temporary folder of a backup that cannot stand beside its file: one a restart keeps.
std::string backupTempFolder()
{
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/var/tmp";
}

// Copies `size` bytes from the start of `from` over the start of `to`.
bool copyBytes(int from, int to, std::size_t size)
{
    if (::lseek(to, 0, SEEK_SET) != 0)
        return false;
    std::vector<char> block(kWriteBlock);
    for (std::size_t offset = 0; offset < size;) {
        const std::size_t want = std::min(block.size(), size - offset);
        errno = 0;
        const ssize_t n = ::pread(from, block.data(), want, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        if (!writeAll(to, block.data(), static_cast<std::size_t>(n)))
            return false;
        offset += static_cast<std::size_t>(n);
    }
    return true;
}

bool sameContent(int a, int b)
{
    struct stat sa {
    }, sb{};
    if (::fstat(a, &sa) != 0 || ::fstat(b, &sb) != 0 || sa.st_size != sb.st_size)
        return false;
    std::vector<char> blockA(kWriteBlock), blockB(kWriteBlock);
    for (off_t offset = 0; offset < sa.st_size;) {
        const auto want = static_cast<std::size_t>(std::min<off_t>(kWriteBlock, sa.st_size - offset));
        if (::pread(a, blockA.data(), want, offset) != static_cast<ssize_t>(want) ||
            ::pread(b, blockB.data(), want, offset) != static_cast<ssize_t>(want) ||
            !std::equal(blockA.begin(), blockA.begin() + static_cast<std::ptrdiff_t>(want), blockB.begin()))
            return false;
        offset += static_cast<off_t>(want);
    }
    return true;
}

// Removes the backup at `path` when a dead save left it and it holds what the file `fileFd` holds
// now: nothing is lost with it. Any other backup may be the only whole copy the user has, and stays.
bool removeRedundantBackup(const std::string& path, int fileFd)
{
    const std::string folder = folderOf(path);
    const int folderFd = ::openat(AT_FDCWD, folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
        return false;
    const std::string name = fileNameOf(path);
    const int fd = claimDeadFile(folderFd, name);
    const bool removed = fd >= 0 && sameContent(fd, fileFd) && ::unlinkat(folderFd, name.c_str(), 0) == 0;
    if (fd >= 0)
        ::close(fd);
    ::close(folderFd);
    return removed;
}

} // namespace

namespace detail {

std::string backupPath(const std::string& target, int number, bool inTemp)
{
    std::string mark = ".qrl-backup";
    std::string folder = folderOf(target);
    if (inTemp) {
        char tag[16];
        std::snprintf(tag, sizeof tag, "-%08x",
                      static_cast<unsigned>(nameHash(fs::absolute(folder).lexically_normal().string())));
        mark += tag;
        folder = backupTempFolder();
    }
    if (number > 1)
        mark += (inTemp ? "-" : "") + std::to_string(number);
    // A long name is cut, never within a character, so that the copy fits beside it.
    std::string name = fileNameOf(target);
    if (name.size() + mark.size() > kNameMax) {
        std::size_t cut = kNameMax - mark.size();
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut;
        name.resize(cut);
    }
    return inFolder(folder, name + mark);
}

} // namespace detail

bool WholeFileWriter::stillNamesTarget() const
{
    struct stat opened {
    }, named{};
    return ::fstat(m_targetFd, &opened) == 0 && ::stat(m_target.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// Copies the earlier content to the first free backup name, with the file's rights where it stands
// beside the file (private in the temporary folder), synced before the file changes.
bool WholeFileWriter::makeBackup()
{
    // A file this process may not read has no copy to keep.
    if (!m_targetReadable)
        return true;
    struct stat file {};
    if (::fstat(m_targetFd, &file) != 0)
        return fail(errnoOr(EIO));
    bool inTemp = false;
    int claims = 0;
    for (int number = 1; number <= kBackupLimit && m_backupFd < 0; ++number) {
        const std::string path = backupPath(m_target, number, inTemp);
        errno = 0;
        const int fd = ::openat(AT_FDCWD, path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                                kPrivateMode);
        const int error = errno;
        if (fd >= 0) {
            holdSaveLock(fd);
            struct stat opened {
            }, named{};
            if (::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
                opened.st_ino == named.st_ino && opened.st_dev == named.st_dev) {
                m_backupFd = fd;
                m_backup = path;
            } else {
                ::close(fd);
                if (claims++ < kClaimAttempts)
                    --number;
            }
        } else if (error == EEXIST) {
            if (claims++ < kClaimAttempts && removeRedundantBackup(path, m_targetFd))
                --number;
        } else if (!inTemp && (error == EACCES || error == EPERM || error == EROFS)) {
            inTemp = true;
            number = 0;
        } else {
            return fail(error != 0 ? error : EIO);
        }
    }
    if (m_backupFd < 0)
        return fail(EEXIST);
    if (!copyBytes(m_targetFd, m_backupFd, static_cast<std::size_t>(file.st_size))) {
        const int error = errnoOr(EIO);
        dropBackup();
        return fail(error);
    }
    if (!inTemp) {
        // The owner where this process may give it, else the group; the mode as the file's.
        if (::fchown(m_backupFd, m_oldUid, m_oldGid) != 0)
            (void)::fchown(m_backupFd, static_cast<uid_t>(-1), m_oldGid);
        (void)::fchmod(m_backupFd, m_oldMode & kPermissionBits);
    }
    if (::fdatasync(m_backupFd) != 0) {
        const int error = errnoOr(EIO);
        dropBackup();
        return fail(error);
    }
    syncFolder(folderOf(m_backup));
    return true;
}

void WholeFileWriter::dropBackup()
{
    if (!m_backup.empty())
        ::unlink(m_backup.c_str());
    if (m_backupFd >= 0)
        ::close(m_backupFd);
    m_backup.clear();
    m_backupFd = -1;
}

// Writes `size` bytes of `from` over the file as its whole content and syncs them.
bool WholeFileWriter::copyBack(int from, std::size_t size)
{
    return copyBytes(from, m_targetFd, size) && ::ftruncate(m_targetFd, static_cast<off_t>(size)) == 0 &&
           (m_use != FileUse::Kept || ::fdatasync(m_targetFd) == 0);
}

// Overwrites the earlier file with the complete private copy. Until the new bytes are synced the
// earlier ones stay whole in the file (before the first byte) or in the backup (after it).
bool WholeFileWriter::writeInPlace()
{
    // One save in place of a file at a time: a second one waits, then keeps a copy of the first's.
    while (::flock(m_targetFd, LOCK_EX) != 0 && errno == EINTR) {
    }
    if (!makeBackup())
        return false;
    struct stat earlier {};
    if (::fstat(m_targetFd, &earlier) != 0) {
        dropBackup();
        return fail(errnoOr(EIO));
    }
    if (m_written > 0) {
        const int reserved = ::posix_fallocate(m_targetFd, 0, static_cast<off_t>(m_written));
        if (reserved != 0) {
            // What a failed reserve took stays out of the file.
            (void)::ftruncate(m_targetFd, earlier.st_size);
            dropBackup();
            return fail(reserved);
        }
    }
    // The last look before the first byte: the file was replaced or removed meanwhile.
    if (!stillNamesTarget()) {
        (void)::ftruncate(m_targetFd, earlier.st_size);
        dropBackup();
        return fail(ESTALE);
    }
    if (!copyBack(m_fd, m_written)) {
        const int error = errnoOr(EIO);
        // The earlier content goes back; where it cannot, its copy stays for the user.
        struct stat backup {};
        if (m_backupFd >= 0 && ::fstat(m_backupFd, &backup) == 0 &&
            copyBack(m_backupFd, static_cast<std::size_t>(backup.st_size))) {
            dropBackup();
        } else if (m_backupFd >= 0) {
            ::close(m_backupFd);
            m_backupFd = -1;
            m_backup.clear();
        }
        return fail(error);
    }
    // The new content is whole in the file the save opened; the copy is no longer needed, whether or
    // not the name still names that file.
    dropBackup();
    if (!stillNamesTarget())
        return fail(ESTALE);
    return true;
}

} // namespace qrl
