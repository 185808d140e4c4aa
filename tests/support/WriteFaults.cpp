// Built without the fortified wrappers of the C library headers: this file defines the calls they
// wrap.
#undef _FORTIFY_SOURCE

#include "WriteFaults.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <functional>
#include <limits>
#include <map>
#include <mutex>
#include <set>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

constexpr std::size_t kNever = std::numeric_limits<std::size_t>::max();
constexpr int kSteps = 5;

struct Step {
    int calls = 0; // since the step was last armed
    int error = 0;
    int onlyCall = 0; // 0: every call fails with `error`
    int killCall = 0; // 0: none
    int actionCall = 0;
    std::function<void()> action;
};

struct Faults {
    std::mutex lock;
    std::map<int, std::size_t> written; // bytes by descriptor opened through openat()
    std::set<int> inPlace;              // those opened without being created
    bool active = false;
    std::size_t afterBytes = 0;
    int error = 0;
    int openError = 0;
    Step steps[kSteps];
    std::size_t killAfter = kNever;
    std::size_t killInPlaceAfter = kNever;
    bool refuseUnnamed = false;
    std::atomic<long> dataSyncs{0};
    std::atomic<long> fullSyncs{0};
    std::atomic<long> inPlaceSyncs{0};
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

// The error injected at `step`, 0 when none; or the end of the process. Runs the step's action
// first when this is its call.
int stepError(qrl::test::WriteStep step)
{
    Faults& f = faults();
    std::function<void()> action;
    int error = 0;
    {
        const std::lock_guard<std::mutex> guard(f.lock);
        Step& s = f.steps[static_cast<int>(step)];
        ++s.calls;
        if (s.killCall == s.calls)
            std::raise(SIGKILL);
        if (s.actionCall == s.calls)
            action = std::move(s.action);
        if (s.onlyCall == 0 || s.onlyCall == s.calls)
            error = s.error;
    }
    if (action)
        action();
    return error;
}

void countInPlaceSync(int fd)
{
    Faults& f = faults();
    const std::lock_guard<std::mutex> guard(f.lock);
    if (f.inPlace.count(fd) != 0)
        ++f.inPlaceSyncs;
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
    for (Step& step : f.steps)
        step = Step{};
    f.killAfter = kNever;
    f.killInPlaceAfter = kNever;
    f.refuseUnnamed = false;
}

} // namespace qrl

namespace qrl::test {

void injectStepFault(WriteStep step, int error, int onlyCall)
{
    Faults& f = faults();
    const std::lock_guard<std::mutex> guard(f.lock);
    Step& s = f.steps[static_cast<int>(step)];
    s.calls = 0;
    s.error = error;
    s.onlyCall = onlyCall;
}

void killWhenWritten(std::size_t bytes)
{
    Faults& f = faults();
    const std::lock_guard<std::mutex> guard(f.lock);
    f.killAfter = bytes;
}

void killWhenWrittenInPlace(std::size_t bytes)
{
    Faults& f = faults();
    const std::lock_guard<std::mutex> guard(f.lock);
    f.killInPlaceAfter = bytes;
}

void killAtStep(WriteStep step, int call)
{
    Faults& f = faults();
    const std::lock_guard<std::mutex> guard(f.lock);
    Step& s = f.steps[static_cast<int>(step)];
    s.calls = 0;
    s.killCall = call;
}

void atStep(WriteStep step, int call, std::function<void()> action)
{
    Faults& f = faults();
    const std::lock_guard<std::mutex> guard(f.lock);
    Step& s = f.steps[static_cast<int>(step)];
    s.calls = 0;
    s.actionCall = call;
    s.action = std::move(action);
}

void refuseUnnamedFiles(bool refuse)
{
    Faults& f = faults();
    const std::lock_guard<std::mutex> guard(f.lock);
    f.refuseUnnamed = refuse;
}

SyncCalls syncCalls()
{
    return {faults().dataSyncs.load(), faults().fullSyncs.load(), faults().inPlaceSyncs.load()};
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
    const bool created = (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE;
    {
        const std::lock_guard<std::mutex> guard(f.lock);
        if (kept && f.active && f.openError != 0) {
            errno = f.openError;
            return -1;
        }
        if (f.refuseUnnamed && (flags & O_TMPFILE) == O_TMPFILE) {
            errno = EOPNOTSUPP;
            return -1;
        }
    }
    const int fd = real(folder, path, flags, mode);
    if (fd >= 0 && kept) {
        const std::lock_guard<std::mutex> guard(f.lock);
        f.written[fd] = 0;
        if (!created)
            f.inPlace.insert(fd);
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
    if (f.killInPlaceAfter != kNever && f.inPlace.count(fd) != 0 &&
        file->second + size > f.killInPlaceAfter) {
        const std::size_t rest = f.killInPlaceAfter > file->second ? f.killInPlaceAfter - file->second : 0;
        if (rest > 0)
            real(fd, data, rest);
        std::raise(SIGKILL);
    }
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
        f.inPlace.erase(fd);
    }
    return real(fd);
}

int posix_fallocate(int fd, off_t offset, off_t length)
{
    static const auto real = next<int (*)(int, off_t, off_t)>("posix_fallocate");
    const int error = stepError(qrl::test::WriteStep::Reserve);
    return error != 0 ? error : real(fd, offset, length);
}

int ftruncate(int fd, off_t length)
{
    static const auto real = next<int (*)(int, off_t)>("ftruncate");
    const int error = stepError(qrl::test::WriteStep::Truncate);
    if (error != 0) {
        errno = error;
        return -1;
    }
    return real(fd, length);
}

int fdatasync(int fd)
{
    static const auto real = next<int (*)(int)>("fdatasync");
    ++faults().dataSyncs;
    countInPlaceSync(fd);
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
    countInPlaceSync(fd);
    return real(fd);
}

int unlink(const char* path)
{
    static const auto real = next<int (*)(const char*)>("unlink");
    const int error = stepError(qrl::test::WriteStep::Remove);
    if (error != 0) {
        errno = error;
        return -1;
    }
    return real(path);
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
