#include "WholeFile.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace qrl {

namespace {

constexpr std::size_t kWriteBlock = 64 * 1024;
constexpr int kLinkLimit = 40;
constexpr int kNameAttempts = 100;

struct InjectedFault {
    bool active = false;
    std::size_t afterBytes = 0;
    int error = 0;
    int openError = 0;
};

InjectedFault& injected()
{
    static InjectedFault fault;
    return fault;
}

int errnoOr(int fallback)
{
    return errno != 0 ? errno : fallback;
}

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

std::string scratchNameBeside(const std::string& target, int attempt)
{
    static std::atomic<unsigned> counter{0};
    const fs::path p(target);
    const auto tick =
        static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    const std::string name = "." + p.filename().string() + "." + std::to_string(tick % 1000000007ULL) + "-" +
                             std::to_string(counter++) + "-" + std::to_string(attempt) + ".part";
    return (p.parent_path() / name).string();
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
    default:
        return WriteError::Other;
    }
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

bool WholeFileWriter::open(const std::string& path)
{
    abandon();
    m_failed = false;
    m_error = WriteError::None;
    m_errno = 0;
    m_written = 0;
    m_direct = false;
    if (injected().active && injected().openError != 0)
        return fail(injected().openError);
    m_target = resolveLinks(path);
    if (m_target.empty())
        return fail(ELOOP);
    std::error_code ec;
    const fs::file_status status = fs::status(m_target, ec);
    if (fs::is_directory(status))
        return fail(EISDIR);
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        // A device or a pipe takes the bytes as they come; it is never replaced.
        errno = 0;
        m_file = std::fopen(m_target.c_str(), "wb");
        if (!m_file)
            return fail(errnoOr(EIO));
        m_direct = true;
    } else {
        if (fs::exists(status)) {
            // An existing file that may not be written is not replaced behind its back either.
            errno = 0;
            std::FILE* probe = std::fopen(m_target.c_str(), "r+b");
            if (!probe)
                return fail(errnoOr(EACCES));
            std::fclose(probe);
        }
        // The new file lies beside the old one, so that the rename that replaces it is atomic.
        for (int attempt = 0; attempt < kNameAttempts && !m_file; ++attempt) {
            m_scratch = scratchNameBeside(m_target, attempt);
            errno = 0;
            m_file = std::fopen(m_scratch.c_str(), "wbx");
            if (!m_file && errno != EEXIST)
                break;
        }
        if (!m_file) {
            m_scratch.clear();
            return fail(errnoOr(EIO));
        }
    }
    std::setvbuf(m_file, nullptr, _IOFBF, kWriteBlock);
    return true;
}

bool WholeFileWriter::write(const void* data, std::size_t size)
{
    if (!m_file || m_failed)
        return false;
    std::size_t allowed = size;
    const InjectedFault& fault = injected();
    const bool injectedFailure = fault.active && fault.error != 0 && m_written + size > fault.afterBytes;
    if (injectedFailure)
        allowed = fault.afterBytes > m_written ? fault.afterBytes - m_written : 0;
    errno = 0;
    const std::size_t done = allowed == 0 ? 0 : std::fwrite(data, 1, allowed, m_file);
    m_written += done;
    if (done != allowed)
        return fail(errnoOr(EIO));
    if (injectedFailure)
        return fail(fault.error);
    return true;
}

bool WholeFileWriter::commit()
{
    if (!m_file)
        return false;
    if (!m_failed) {
        errno = 0;
        if (std::fflush(m_file) != 0 || std::ferror(m_file))
            fail(errnoOr(EIO));
    }
    errno = 0;
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    if (!closed)
        fail(errnoOr(EIO));
    if (m_direct)
        return !m_failed;
    if (!m_failed) {
        // The file on disk must hold every byte written before it may replace anything.
        std::error_code ec;
        if (fs::file_size(m_scratch, ec) != m_written || ec)
            fail(ec ? ec.value() : EIO);
    }
    if (!m_failed) {
        std::error_code ec;
        const fs::file_status old = fs::status(m_target, ec);
        if (fs::is_regular_file(old))
            fs::permissions(m_scratch, old.permissions(), fs::perm_options::replace, ec);
        errno = 0;
        if (std::rename(m_scratch.c_str(), m_target.c_str()) != 0)
            fail(errnoOr(EIO));
    }
    if (m_failed) {
        std::remove(m_scratch.c_str());
        m_scratch.clear();
        return false;
    }
    m_scratch.clear();
    return true;
}

void WholeFileWriter::abandon()
{
    closeAndRemove();
}

void WholeFileWriter::closeAndRemove()
{
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
    if (!m_scratch.empty())
        std::remove(m_scratch.c_str());
    m_scratch.clear();
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

std::FILE* createExclusive(const std::string& path)
{
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (fs::is_directory(status))
        return nullptr;
    if (fs::exists(status) || fs::is_symlink(status))
        fs::remove(path, ec);
    return std::fopen(path.c_str(), "wbx");
}

void injectWriteFault(std::size_t afterBytes, int error, int openError)
{
    injected() = InjectedFault{true, afterBytes, error, openError};
}

void clearInjectedWriteFault()
{
    injected() = InjectedFault{};
}

} // namespace qrl
