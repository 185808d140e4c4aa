#include "WholeFile.h"
#include "WholeFileParts.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qrl {

namespace {

using namespace detail;

constexpr int kLinkLimit = 40;
constexpr mode_t kNewFileMode = 0666; // less the umask, as any new file
constexpr mode_t kModeBits = 07777;
constexpr int kNameAttempts = 16;

// The file a path finally names, following every link (a dangling link names the file it would
// create). Empty when the links go round in a circle.
std::string resolveLinks(const std::string& path)
{
    fs::path current(path);
    for (int step = 0; step < kLinkLimit; ++step) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(current, ec)))
            return current.string();
        const fs::path target = fs::read_symlink(current, ec);
        if (ec)
            return {};
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    return {};
}

// What the names of every save's new file of `target` start with: short, so that a name fits beside
// any name the file system takes, and the same for every save of the file, so that a save finds
// what a dead one left. Earlier versions named the file this prefix and four more digits.
std::string scratchPrefix(const std::string& target)
{
    char prefix[24];
    std::snprintf(prefix, sizeof prefix, ".qrl-%012llx",
                  static_cast<unsigned long long>(nameHash(fileNameOf(target)) >> 16));
    return prefix;
}

// A name of this save's own for the new file of `target`.
std::string scratchNameFor(const std::string& target)
{
    static std::atomic<std::uint32_t> counter{0};
    std::uint32_t unique = 0;
    if (::getrandom(&unique, sizeof unique, GRND_NONBLOCK) != sizeof unique)
        unique = static_cast<std::uint32_t>(::getpid()) * 2654435761U ^
                 static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    unique ^= counter.fetch_add(1);
    char name[24];
    std::snprintf(name, sizeof name, "-%08x.part", unique);
    return scratchPrefix(target) + name;
}

// Removes the new files that dead saves of `target` left in `folder`; those of running saves, and
// those this process may not open, stay.
void removeDeadScratch(const std::string& folder, const std::string& target)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const std::string prefix = scratchPrefix(target);
    std::vector<std::string> found;
    while (const dirent* entry = ::readdir(dir)) {
        if (std::string_view(entry->d_name).substr(0, prefix.size()) == prefix)
            found.emplace_back(entry->d_name);
    }
    for (const std::string& name : found) {
        const int fd = claimDeadFile(::dirfd(dir), name);
        if (fd < 0)
            continue;
        ::unlinkat(::dirfd(dir), name.c_str(), 0);
        ::close(fd);
    }
    ::closedir(dir);
}

// Creates this save's new file under a name of its own in `folder` and locks it, or -1 with errno
// set. A dead-file sweep of another save can take the file between the create and the lock: then
// the name names nothing of ours and the next name is tried.
int createScratch(const std::string& folder, const std::string& target, int access, mode_t mode,
                  std::string& name)
{
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        name = scratchNameFor(target);
        const std::string path = inFolder(folder, name);
        errno = 0;
        const int fd =
            ::openat(AT_FDCWD, path.c_str(), access | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return -1;
        holdSaveLock(fd);
        struct stat opened {
        }, named{};
        if (::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
            opened.st_dev == named.st_dev && opened.st_ino == named.st_ino)
            return fd;
        ::close(fd);
    }
    errno = EEXIST;
    return -1;
}

bool unnamedFilesRefused(int error)
{
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// A new unnamed file in `folder`, or -1 with errno set. `access`: O_RDWR for a file that is read
// back, O_WRONLY for one that is only written.
int openUnnamed(const std::string& folder, int access, mode_t mode)
{
    return ::openat(AT_FDCWD, folder.c_str(), O_TMPFILE | access | O_CLOEXEC, mode);
}

// A kept file's new file is opened read-write like its private copy; the run's own scratch files,
// never read back, write-only.
int accessFor(FileUse use)
{
    return use == FileUse::Kept ? O_RDWR : O_WRONLY;
}

} // namespace

WriteError writeErrorFromErrno(int error)
{
    switch (error) {
    case 0:
        return WriteError::None;
    case ENOSPC:
    case EDQUOT:
        return WriteError::DiskFull;
    case EFBIG:
        return WriteError::TooLarge;
    case EACCES:
    case EPERM:
        return WriteError::Permission;
    case EROFS:
        return WriteError::ReadOnly;
    case EISDIR:
    case ENOTDIR:
    case ELOOP:
        return WriteError::NotRegularFile;
    case ESTALE:
        return WriteError::Replaced;
    default:
        return WriteError::Other;
    }
}

bool writeAll(int fd, const void* data, std::size_t size)
{
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        errno = 0;
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0 || errno == 0)
                errno = EIO;
            return false;
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

WholeFileWriter::~WholeFileWriter()
{
    abandon();
}

bool WholeFileWriter::fail(int error)
{
    if (!m_failed) {
        m_failed = true;
        m_errno = error;
        m_error = writeErrorFromErrno(error);
        if (m_error == WriteError::None)
            m_error = WriteError::Other;
    }
    return false;
}

// The new file in the target's folder: unnamed where the file system has such files, else under
// its short name, created exclusively so that nothing standing there is followed.
bool WholeFileWriter::openScratch()
{
    const mode_t mode = m_hasOld ? kPrivateMode : kNewFileMode;
    errno = 0;
    m_fd = openUnnamed(m_folder, accessFor(m_use), mode);
    if (m_fd >= 0) {
        // Locked before it gets a name, so that no other save takes it for a dead one's.
        holdSaveLock(m_fd);
        m_unnamed = true;
        return true;
    }
    if (!unnamedFilesRefused(errno))
        return false;
    std::string name;
    m_fd = createScratch(m_folder, m_target, accessFor(m_use), mode, name);
    if (m_fd < 0)
        return false;
    m_scratch = name;
    return true;
}

// Whether a new file can take the earlier one's place by a rename: one link, a folder this process
// may write, and the earlier owner and group given to the new file. Opens the new file when so.
bool WholeFileWriter::decideRename(nlink_t links)
{
    if (links != 1 || ::faccessat(AT_FDCWD, m_folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
        return false;
    if (!openScratch())
        return false;
    // The empty private file takes the owner and group now, as a probe of whether it may: the
    // system refuses what this process may not give away.
    if ((m_oldUid != ::geteuid() || m_oldGid != ::getegid()) && ::fchown(m_fd, m_oldUid, m_oldGid) != 0) {
        if (!m_scratch.empty())
            ::unlink(inFolder(m_folder, m_scratch).c_str());
        ::close(m_fd);
        m_fd = -1;
        m_scratch.clear();
        m_unnamed = false;
        return false;
    }
    return true;
}

bool WholeFileWriter::open(const std::string& path, FileUse use)
{
    abandon();
    m_failed = false;
    m_error = WriteError::None;
    m_errno = 0;
    m_written = 0;
    m_fileOffset = 0;
    m_use = use;
    m_hasOld = false;
    m_target = use == FileUse::Kept ? resolveLinks(path) : path;
    if (m_target.empty())
        return fail(ELOOP);
    m_folder = folderOf(m_target);

    struct stat st {};
    errno = 0;
    const int found = use == FileUse::Kept ? ::stat(m_target.c_str(), &st) : ::lstat(m_target.c_str(), &st);
    if (found != 0 && errno != ENOENT)
        return fail(errnoOr(EIO));
    if (found == 0 && S_ISDIR(st.st_mode))
        return fail(EISDIR);
    if (found == 0 && use == FileUse::Kept && !S_ISREG(st.st_mode)) {
        // A device or a pipe takes the bytes as they come; it is never replaced.
        errno = 0;
        m_fd = ::openat(AT_FDCWD, m_target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY);
        if (m_fd < 0)
            return fail(errnoOr(EIO));
        m_mode = Mode::Direct;
    } else if (found == 0 && use == FileUse::Kept) {
        // An existing file that may not be written is not replaced behind its back either. It is
        // read too where it may be, for the copy a save in place keeps of it.
        errno = 0;
        m_targetFd = ::openat(AT_FDCWD, m_target.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
        m_targetReadable = m_targetFd >= 0;
        if (m_targetFd < 0 && errno == EACCES) {
            errno = 0;
            m_targetFd = ::openat(AT_FDCWD, m_target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        }
        if (m_targetFd < 0 || ::fstat(m_targetFd, &st) != 0) {
            const int error = errnoOr(EACCES);
            closeAll();
            return fail(error);
        }
        m_hasOld = true;
        m_oldUid = st.st_uid;
        m_oldGid = st.st_gid;
        m_oldMode = st.st_mode & kModeBits;
        removeDeadScratch(m_folder, m_target);
        if (decideRename(st.st_nlink)) {
            m_mode = Mode::Rename;
        } else {
            // The new content is gathered in a private copy: beside the file where the folder
            // allows, else in the temporary folder.
            const char* tmp = std::getenv("TMPDIR");
            for (const std::string& folder : {m_folder, std::string(tmp && *tmp ? tmp : "/tmp")}) {
                m_fd = openUnnamed(folder, O_RDWR, kPrivateMode);
                if (m_fd >= 0)
                    break;
            }
            if (m_fd < 0) {
                std::string name = std::string(tmp && *tmp ? tmp : "/tmp") + "/qrl-XXXXXX";
                m_fd = ::mkostemp(name.data(), O_CLOEXEC);
                if (m_fd >= 0)
                    ::unlink(name.c_str());
            }
            if (m_fd < 0) {
                const int error = errnoOr(EIO);
                closeAll();
                return fail(error);
            }
            m_mode = Mode::InPlace;
        }
    } else {
        // A new file, or one of the run's own whatever stands at its name.
        if (use == FileUse::Kept)
            removeDeadScratch(m_folder, m_target);
        if (!openScratch()) {
            const int error = errnoOr(EIO);
            closeAll();
            return fail(error);
        }
        m_mode = Mode::Rename;
    }
    m_buffer.reserve(kWriteBlock);
    return true;
}

// Starts the write-back of bytes just written to a kept file, so that the disk works while the
// next block is made and the sync before the rename only waits for the last of them.
static void startWriteBack(int fd, off_t offset, std::size_t size, FileUse use)
{
    if (use == FileUse::Kept)
        ::sync_file_range(fd, offset, static_cast<off_t>(size), SYNC_FILE_RANGE_WRITE);
}

bool WholeFileWriter::writeOut(const void* data, std::size_t size)
{
    if (size == 0)
        return true;
    if (!writeAll(m_fd, data, size))
        return fail(errnoOr(EIO));
    if (m_mode == Mode::Rename)
        startWriteBack(m_fd, m_fileOffset, size, m_use);
    m_fileOffset += static_cast<off_t>(size);
    return true;
}

bool WholeFileWriter::flushBuffer()
{
    const bool ok = writeOut(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
    return ok;
}

bool WholeFileWriter::write(const void* data, std::size_t size)
{
    if (!isOpen() || m_failed)
        return false;
    if (m_buffer.size() + size > kWriteBlock && !flushBuffer())
        return false;
    if (size >= kWriteBlock) {
        if (!writeOut(data, size))
            return false;
    } else {
        const char* p = static_cast<const char*>(data);
        m_buffer.insert(m_buffer.end(), p, p + size);
    }
    m_written += size;
    return true;
}

// Moves the complete new file `fd` onto the target: it takes the earlier mode, gets a name beside
// the target if it has none, and the name is renamed over the target.
bool WholeFileWriter::putScratchInPlace(int fd)
{
    if (m_hasOld && ::fchmod(fd, m_oldMode) != 0)
        return fail(errnoOr(EIO));
    if (m_unnamed) {
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
            const std::string name = scratchNameFor(m_target);
            const std::string linked = inFolder(m_folder, name);
            errno = 0;
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, linked.c_str(), AT_SYMLINK_FOLLOW) == 0 ||
                (errno == ENOENT && ::linkat(fd, "", AT_FDCWD, linked.c_str(), AT_EMPTY_PATH) == 0)) {
                m_scratch = name;
                break;
            }
            if (errno != EEXIST)
                return fail(errnoOr(EIO));
        }
        if (m_scratch.empty())
            return fail(EEXIST);
    }
    errno = 0;
    if (::renameat(AT_FDCWD, inFolder(m_folder, m_scratch).c_str(), AT_FDCWD, m_target.c_str()) != 0)
        return fail(errnoOr(EIO));
    m_scratch.clear();
    if (m_use == FileUse::Kept)
        syncFolder(m_folder);
    return true;
}

bool WholeFileWriter::commit()
{
    if (!isOpen())
        return false;
    if (!m_failed)
        flushBuffer();
    if (m_mode != Mode::Direct && !m_failed) {
        // The file on disk must hold every byte written before it may replace anything.
        struct stat st {};
        if (::fstat(m_fd, &st) != 0 || static_cast<std::size_t>(st.st_size) != m_written)
            fail(errnoOr(EIO));
    }
    if (!m_failed && m_mode == Mode::Rename) {
        if (m_use == FileUse::Kept && ::fdatasync(m_fd) != 0)
            fail(errnoOr(EIO));
        else
            putScratchInPlace(m_fd);
    }
    if (!m_failed && m_mode == Mode::InPlace)
        writeInPlace();
    errno = 0;
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && !m_failed && errno != EINTR)
        fail(errnoOr(EIO));
    closeAll();
    return !m_failed;
}

bool WholeFileWriter::transformInPlace(int fd, std::size_t size, BlockTransform transform)
{
    std::vector<unsigned char> block(kWriteBlock);
    for (std::size_t offset = 0; offset < size;) {
        const std::size_t want = std::min(block.size(), size - offset);
        errno = 0;
        const auto at = static_cast<off_t>(offset);
        if (::pread(fd, block.data(), want, at) != static_cast<ssize_t>(want))
            return fail(errnoOr(EIO));
        transform(block.data(), want);
        for (std::size_t done = 0; done < want;) {
            errno = 0;
            const ssize_t n = ::pwrite(fd, block.data() + done, want - done, at + static_cast<off_t>(done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return fail(errnoOr(EIO));
            done += static_cast<std::size_t>(n);
        }
        startWriteBack(fd, at, want, m_use);
        offset += want;
    }
    return true;
}

bool WholeFileWriter::commitFrom(const std::string& source, BlockTransform transform)
{
    if (!isOpen() || m_failed || m_written > 0)
        return false;
    errno = 0;
    const int in = ::openat(AT_FDCWD, source.c_str(), (transform ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    if (in < 0) {
        fail(errnoOr(EIO));
        closeAll();
        return false;
    }
    struct stat sourceStat {
    }, folderStat{};
    if (m_mode == Mode::Rename && ::fstat(in, &sourceStat) == 0 &&
        ::stat(m_folder.c_str(), &folderStat) == 0 && sourceStat.st_dev == folderStat.st_dev &&
        S_ISREG(sourceStat.st_mode)) {
        // The finished file itself takes the new file's place: no byte is copied.
        if (transform)
            transformInPlace(in, static_cast<std::size_t>(sourceStat.st_size), transform);
        if (!m_failed && m_use == FileUse::Kept && ::fdatasync(in) != 0)
            fail(errnoOr(EIO));
        if (!m_failed && m_hasOld && (m_oldUid != sourceStat.st_uid || m_oldGid != sourceStat.st_gid) &&
            ::fchown(in, m_oldUid, m_oldGid) != 0)
            fail(errnoOr(EIO));
        if (!m_failed && m_hasOld && ::fchmod(in, m_oldMode) != 0)
            fail(errnoOr(EIO));
        errno = 0;
        if (!m_failed && ::renameat(AT_FDCWD, source.c_str(), AT_FDCWD, m_target.c_str()) == 0) {
            ::close(in);
            if (m_use == FileUse::Kept)
                syncFolder(m_folder);
            closeAll();
            return true;
        }
        if (m_failed || errno != EXDEV) {
            fail(errnoOr(EIO));
            ::close(in);
            closeAll();
            return false;
        }
    }
    // Whole blocks, so that a transform always sees pairs whole.
    std::vector<unsigned char> block(kWriteBlock);
    for (bool end = false; !end && !m_failed;) {
        std::size_t filled = 0;
        while (filled < block.size()) {
            errno = 0;
            const ssize_t n = ::read(in, block.data() + filled, block.size() - filled);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                fail(errnoOr(EIO));
            if (n <= 0) {
                end = true;
                break;
            }
            filled += static_cast<std::size_t>(n);
        }
        if (filled > 0 && transform)
            transform(block.data(), filled);
        if (!m_failed && filled > 0)
            write(block.data(), filled);
    }
    ::close(in);
    return commit();
}

void WholeFileWriter::abandon()
{
    closeAll();
}

void WholeFileWriter::closeAll()
{
    // The name goes while the lock is still held, so that no other save takes it meanwhile.
    if (!m_scratch.empty())
        ::unlink(inFolder(m_folder, m_scratch).c_str());
    m_scratch.clear();
    dropBackup();
    if (m_fd >= 0)
        ::close(m_fd);
    if (m_targetFd >= 0)
        ::close(m_targetFd);
    m_fd = -1;
    m_targetFd = -1;
    m_targetReadable = false;
    m_unnamed = false;
    m_mode = Mode::Closed;
    m_buffer.clear();
}

bool writeWholeFile(const std::string& path, const void* data, std::size_t size, WriteError* error,
                    int* errorNumber)
{
    WholeFileWriter writer;
    const bool ok = writer.open(path) && writer.write(data, size) && writer.commit();
    if (!ok)
        writer.abandon();
    if (error)
        *error = writer.error();
    if (errorNumber)
        *errorNumber = writer.errorNumber();
    return ok;
}

std::vector<std::string> backupsOf(const std::string& path)
{
    std::vector<std::string> found;
    const std::string target = resolveLinks(path);
    if (target.empty())
        return found;
    for (const bool inTemp : {false, true}) {
        for (int number = 1; number <= kBackupLimit; ++number) {
            const std::string backup = backupPath(target, number, inTemp);
            struct stat st {};
            if (::lstat(backup.c_str(), &st) == 0 && S_ISREG(st.st_mode))
                found.push_back(backup);
        }
    }
    return found;
}

int createExclusive(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            errno = EISDIR;
            return -1;
        }
        ::unlink(path.c_str());
    }
    return ::openat(AT_FDCWD, path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                    kNewFileMode);
}

} // namespace qrl
