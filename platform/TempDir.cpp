#include "TempDir.h"

#include "PlatformTextIds.h"
#include "StringTable.h"
#include "TextFormat.h"
#include "UserInterface.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qrl {

namespace {

constexpr char kRunPrefix[] = "Quorlyn32-";
constexpr mode_t kPrivate = 0700;

// The run's directory, held open (and locked) by the process that made it.
struct HeldDir {
    std::string path;
    int fd = -1;
    // The process that made the directory: a forked child that exits must not take its parent's
    // directory with it.
    pid_t maker = 0;
};
HeldDir run;

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool isOwnPrivateDir(const struct stat& st)
{
    return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 07777) == kPrivate;
}

// Removes everything inside the directory open at `fd` by names relative to it: whatever its name
// leads to by now, only its own contents go, and a link inside is removed, never followed.
void emptyAt(int fd)
{
    const int listFd = ::openat(fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = listFd >= 0 ? ::fdopendir(listFd) : nullptr;
    if (!dir) {
        if (listFd >= 0)
            ::close(listFd);
        return;
    }
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    for (const std::string& name : names) {
        if (::unlinkat(fd, name.c_str(), 0) == 0 || errno != EISDIR)
            continue;
        const int sub = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (sub < 0)
            continue;
        emptyAt(sub);
        ::close(sub);
        ::unlinkat(fd, name.c_str(), AT_REMOVEDIR);
    }
}

// Empties the directory open at `fd` and removes `name` in `parentFd` when it still leads to it.
void removeDirAt(int parentFd, const char* name, int fd)
{
    emptyAt(fd);
    struct stat held;
    struct stat named;
    if (::fstat(fd, &held) == 0 && ::fstatat(parentFd, name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
        sameFile(held, named))
        ::unlinkat(parentFd, name, AT_REMOVEDIR);
}

// The pid in a run directory's name "Quorlyn32-<pid>-XXXXXX", or 0 for any other name.
pid_t runPid(const std::string& name)
{
    const std::size_t prefix = sizeof kRunPrefix - 1;
    const std::size_t dash = name.find('-', prefix);
    if (name.compare(0, prefix, kRunPrefix) != 0 || dash == std::string::npos || dash == prefix ||
        dash > prefix + 9 || name.size() != dash + 7)
        return 0;
    pid_t pid = 0;
    for (std::size_t i = prefix; i < dash; ++i) {
        if (name[i] < '0' || name[i] > '9')
            return 0;
        pid = pid * 10 + (name[i] - '0');
    }
    return pid;
}

// Whether process `pid` still runs. One that ended but is not yet reaped (a zombie, as under an
// init that does not reap) has let go of its lock and counts as ended.
bool isRunning(pid_t pid)
{
    if (::kill(pid, 0) != 0 && errno == ESRCH)
        return false;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return true;
    const std::size_t close = line.rfind(')');
    return close == std::string::npos || close + 2 >= line.size() || line[close + 2] != 'Z';
}

// The directories of this user's runs under `parent` that have ended. A run holds a lock on its
// directory while it lives; the pid in the name covers the moment between making the directory
// and locking it.
void removeEndedRuns(const std::string& parent)
{
    const int parentFd = ::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const int listFd = parentFd >= 0 ? ::dup(parentFd) : -1;
    DIR* dir = listFd >= 0 ? ::fdopendir(listFd) : nullptr;
    if (!dir) {
        if (listFd >= 0)
            ::close(listFd);
        if (parentFd >= 0)
            ::close(parentFd);
        return;
    }
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
        const pid_t pid = runPid(entry->d_name);
        if (pid > 0 && pid != ::getpid() && !isRunning(pid))
            names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    for (const std::string& name : names) {
        const int fd = ::openat(parentFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st;
        if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            removeDirAt(parentFd, name.c_str(), fd);
        ::close(fd);
    }
    ::close(parentFd);
}

// Lets go of the run's directory; the process that made it empties it first (whatever its name
// now leads to, the directory held is this run's own).
void releaseRunDir()
{
    if (run.fd >= 0) {
        if (run.maker == ::getpid())
            emptyAt(run.fd);
        ::close(run.fd);
    }
    run = {};
}

void reportChanged(const std::string& path)
{
    ui().message(formatText(text(ids::kRunFolderReplaced), {QFile::decodeName(path.c_str())}), Buttons::Ok,
                 Icon::Warning);
}

enum class HeldState { Usable, Gone, Changed };

HeldState heldState()
{
    struct stat held;
    struct stat named;
    if (::fstat(run.fd, &held) != 0)
        return HeldState::Changed;
    // A forked child that took other ids (a step run as another user) makes its own.
    if (held.st_uid != ::geteuid() && run.maker != ::getpid())
        return HeldState::Gone;
    if (!isOwnPrivateDir(held))
        return HeldState::Changed;
    if (::lstat(run.path.c_str(), &named) != 0)
        return errno == ENOENT ? HeldState::Gone : HeldState::Changed;
    return sameFile(held, named) ? HeldState::Usable : HeldState::Changed;
}

// A test binary or a session that ends without the orderly shutdown must not leave the directory
// behind.
void removeAtExit()
{
    if (::getpid() == run.maker)
        removeRunTempDir();
}

bool makeRunDir()
{
    const char* env = std::getenv("TMPDIR");
    std::string parent = env && *env ? env : "/tmp";
    // Held by an absolute name: a job may change the current directory.
    if (parent[0] != '/') {
        char* cwd = ::getcwd(nullptr, 0);
        if (!cwd)
            return false;
        parent = std::string(cwd) + '/' + parent;
        std::free(cwd);
    }
    static std::string swept;
    if (swept != parent) {
        swept = parent;
        removeEndedRuns(parent);
    }
    std::string path = parent + '/' + kRunPrefix + std::to_string(::getpid()) + "-XXXXXX";
    if (!::mkdtemp(path.data()))
        return false;
    // Opened and checked after making: the name may already lead elsewhere.
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st;
    if (fd < 0 || ::fstat(fd, &st) != 0 || !isOwnPrivateDir(st) || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    run = {path, fd, ::getpid()};
    [[maybe_unused]] static const bool registered = std::atexit(removeAtExit) == 0;
    return true;
}

std::string randomSuffix()
{
    static std::mt19937 random(std::random_device{}() ^ static_cast<unsigned>(::getpid()));
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix(6, ' ');
    for (char& c : suffix)
        c = kLetters[random() % (sizeof kLetters - 1)];
    return suffix;
}

} // namespace

QString runTempDir()
{
    if (run.fd >= 0) {
        const HeldState state = heldState();
        if (state == HeldState::Usable)
            return QFile::decodeName(run.path.c_str());
        const std::string path = run.path;
        releaseRunDir();
        if (state == HeldState::Changed) {
            reportChanged(path);
            return {};
        }
    }
    return makeRunDir() ? QFile::decodeName(run.path.c_str()) : QString();
}

// By the standard library and the system alone: this also runs at exit, when Qt's own teardown
// may be under way.
void removeRunTempDir()
{
    if (run.fd >= 0 && run.maker == ::getpid()) {
        const std::size_t slash = run.path.rfind('/');
        const std::string parent = slash == 0 ? "/" : run.path.substr(0, slash);
        const int parentFd = ::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (parentFd >= 0) {
            removeDirAt(parentFd, run.path.c_str() + slash + 1, run.fd);
            ::close(parentFd);
        }
    }
    releaseRunDir();
}

QString makeJobDir(const QString& prefix)
{
    if (runTempDir().isEmpty())
        return {};
    const std::string base = QFile::encodeName(prefix).toStdString() + '-';
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = base + randomSuffix();
        if (::mkdirat(run.fd, name.c_str(), kPrivate) != 0) {
            if (errno == EEXIST)
                continue;
            return {};
        }
        // Made inside the directory held; its path must lead there too, or the run's directory
        // was exchanged in the meantime.
        const std::string path = run.path + '/' + name;
        struct stat made;
        struct stat named;
        if (::fstatat(run.fd, name.c_str(), &made, AT_SYMLINK_NOFOLLOW) == 0 &&
            ::lstat(path.c_str(), &named) == 0 && sameFile(made, named))
            return QFile::decodeName(path.c_str());
        ::unlinkat(run.fd, name.c_str(), AT_REMOVEDIR);
        const std::string runPath = run.path;
        releaseRunDir();
        reportChanged(runPath);
        return {};
    }
    return {};
}

bool jobDirStands(const QString& path)
{
    if (runTempDir().isEmpty())
        return false;
    const std::string wanted = QFile::encodeName(path).toStdString();
    const std::string prefix = run.path + '/';
    if (wanted.compare(0, prefix.size(), prefix) != 0)
        return false;
    const std::string name = wanted.substr(prefix.size());
    struct stat held;
    struct stat named;
    return !name.empty() && name.find('/') == std::string::npos &&
           ::fstatat(run.fd, name.c_str(), &held, AT_SYMLINK_NOFOLLOW) == 0 && isOwnPrivateDir(held) &&
           ::lstat(wanted.c_str(), &named) == 0 && sameFile(held, named);
}

} // namespace qrl
