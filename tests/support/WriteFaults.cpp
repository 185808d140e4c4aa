// Built without the fortified wrappers of the C library headers: this file defines the calls they
// wrap.
#undef _FORTIFY_SOURCE

#include "WriteFaults.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <limits>
#include <map>
#include <mutex>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

constexpr std::size_t kNever = std::numeric_limits<std::size_t>::max();
constexpr int kSteps = 3;

struct Faults {
    std::mutex lock;
    std::map<int, std::size_t> written; // bytes by descriptor opened through openat()
    bool active = false;
    std::size_t afterBytes = 0;
    int error = 0;
    int openError = 0;
    int stepErrors[kSteps] = {};
    std::size_t killAfter = kNever;
    int killStep = -1;
    std::atomic<long> dataSyncs{0};
    std::atomic<long> fullSyncs{0};
};

Faults& faults()
{
    static Faults state;
    return state;
}

template <typename Function>
Function next(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

// The error injected at `step`, 0 when none; or the end of the process.
int stepError(qrl::test::WriteStep step)
{
    Faults& f = faults();
    const std::lock_guard<std::mutex> guard(f.lock);
    if (f.killStep == static_cast<int>(step))
        std::raise(SIGKILL);
    return f.stepErrors[static_cast<int>(step)];
}

} // namespace

namespace qrl {

void injectWriteFault(std::size_t afterBytes, int error, int openError)
{
    Faults& f = faults();
    const std::lock_guard<std::mutex> guard(f.lock);
    f.active = true;
    f.afterBytes = afterBytes;
    f.error = error;
    f.openError = openError;
}

void clearInjectedWriteFault()
{
    Faults& f = faults();
    const std::lock_guard<std::mutex> guard(f.lock);
    f.active = false;
    f.error = 0;
    f.openError = 0;
    for (int& e : f.stepErrors)
        e = 0;
    f.killAfter = kNever;
    f.killStep = -1;
}

} // namespace qrl

namespace qrl::test {

void injectStepFault(WriteStep step, int error)
{
    Faults& f = faults();
    const std::lock_guard<std::mutex> guard(f.lock);
    f.stepErrors[static_cast<int>(step)] = error;
}

void killWhenWritten(std::size_t bytes)
{
    Faults& f = faults();
    const std::lock_guard<std::mutex> guard(f.lock);
    f.killAfter = bytes;
}

void killAtStep(WriteStep step)
{
    Faults& f = faults();
    const std::lock_guard<std::mutex> guard(f.lock);
    f.killStep = static_cast<int>(step);
}

SyncCalls syncCalls()
{
    return {faults().dataSyncs.load(), faults().fullSyncs.load()};
}

} // namespace qrl::test

extern "C" {

int openat(int folder, const char* path, int flags, ...)
{
    static const auto real = next<int (*)(int, const char*, int, ...)>("openat");
    mode_t mode = 0;
    if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) {
        va_list args;
        va_start(args, flags);
        mode = static_cast<mode_t>(va_arg(args, unsigned));
        va_end(args);
    }
    Faults& f = faults();
    // The writer opens what belongs to a kept file read-write (its new file, its private copy) or
    // as the existing file it is (no O_CREAT); the run's scratch files are created write-only.
    const bool kept =
        (flags & O_ACCMODE) == O_RDWR ||
        ((flags & O_ACCMODE) == O_WRONLY && (flags & O_CREAT) == 0 && (flags & O_TMPFILE) != O_TMPFILE);
    if (kept) {
        const std::lock_guard<std::mutex> guard(f.lock);
        if (f.active && f.openError != 0) {
            errno = f.openError;
            return -1;
        }
    }
    const int fd = real(folder, path, flags, mode);
    if (fd >= 0 && kept) {
        const std::lock_guard<std::mutex> guard(f.lock);
        f.written[fd] = 0;
    }
    return fd;
}

ssize_t write(int fd, const void* data, size_t size)
{
    static const auto real = next<ssize_t (*)(int, const void*, size_t)>("write");
    Faults& f = faults();
    std::unique_lock<std::mutex> guard(f.lock);
    const auto file = f.written.find(fd);
    if (file == f.written.end()) {
        guard.unlock();
        return real(fd, data, size);
    }
    std::size_t allowed = size;
    int error = 0;
    if (f.killAfter != kNever && file->second + size > f.killAfter)
        allowed = f.killAfter > file->second ? f.killAfter - file->second : 0;
    else if (f.active && f.error != 0 && file->second + size > f.afterBytes) {
        allowed = f.afterBytes > file->second ? f.afterBytes - file->second : 0;
        error = f.error;
    }
    if (allowed == 0 && f.killAfter != kNever)
        std::raise(SIGKILL);
    if (allowed == 0 && error != 0) {
        errno = error;
        return -1;
    }
    const ssize_t done = real(fd, data, allowed);
    if (done > 0)
        file->second += static_cast<std::size_t>(done);
    return done;
}

int close(int fd)
{
    static const auto real = next<int (*)(int)>("close");
    {
        Faults& f = faults();
        const std::lock_guard<std::mutex> guard(f.lock);
        f.written.erase(fd);
    }
    return real(fd);
}

int posix_fallocate(int fd, off_t offset, off_t length)
{
    static const auto real = next<int (*)(int, off_t, off_t)>("posix_fallocate");
    const int error = stepError(qrl::test::WriteStep::Reserve);
    return error != 0 ? error : real(fd, offset, length);
}

int fdatasync(int fd)
{
    static const auto real = next<int (*)(int)>("fdatasync");
    ++faults().dataSyncs;
    const int error = stepError(qrl::test::WriteStep::Sync);
    if (error != 0) {
        errno = error;
        return -1;
    }
    return real(fd);
}

int fsync(int fd)
{
    static const auto real = next<int (*)(int)>("fsync");
    ++faults().fullSyncs;
    return real(fd);
}

int renameat(int fromFolder, const char* from, int toFolder, const char* to)
{
    static const auto real = next<int (*)(int, const char*, int, const char*)>("renameat");
    const int error = stepError(qrl::test::WriteStep::Rename);
    if (error != 0) {
        errno = error;
        return -1;
    }
    return real(fromFolder, from, toFolder, to);
}

} // extern "C"
