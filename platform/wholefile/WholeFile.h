// The one way a file the user keeps is written: every byte written, flushed and counted on disk
// before the file replaces anything. Standard C++ only, so that the program and both libraries
// write through the same code.
//
// - A regular file (or a path that does not exist yet) is written into a new file beside it and
//   renamed over it once complete; an existing file keeps its permissions. On failure the earlier
//   file stays byte for byte and nothing is left beside it.
// - A symbolic link is written through to its target; the link stays a link.
// - A path that is not a regular file (a device such as /dev/null or a printer port, a named
//   pipe) is written in place: it is never replaced or removed.
// - A directory is refused.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace qrl {

// Why a write failed, as far as the user can act on it.
enum class WriteError {
    None,
    DiskFull,       // no space left (ENOSPC, EDQUOT)
    TooLarge,       // the file would exceed what the file system or a limit allows (EFBIG)
    Permission,     // EACCES, EPERM
    ReadOnly,       // EROFS
    NotRegularFile, // a directory, or a path that cannot hold a file
    Other,
};

// The reason for a C library error number.
WriteError writeErrorFromErrno(int error);

class WholeFileWriter {
public:
    WholeFileWriter() = default;
    // Abandons a file that was not committed.
    ~WholeFileWriter();
    WholeFileWriter(const WholeFileWriter&) = delete;
    WholeFileWriter& operator=(const WholeFileWriter&) = delete;

    // Starts the file for `path`. False with error() set when it cannot be started; nothing is
    // touched then.
    bool open(const std::string& path);
    // Appends bytes. False once any write failed; later writes are refused.
    bool write(const void* data, std::size_t size);
    bool write(std::string_view bytes) { return write(bytes.data(), bytes.size()); }
    // Flushes, checks the size on disk and puts the file in place. False with error() set when
    // any step failed; the earlier file then stays as it was and the new one is gone.
    bool commit();
    // Drops the new file (a device or pipe keeps what it has received).
    void abandon();

    bool isOpen() const { return m_file != nullptr; }
    // True when the path is written in place (a device or a pipe).
    bool isDirect() const { return m_direct; }
    std::size_t bytesWritten() const { return m_written; }
    WriteError error() const { return m_error; }
    // The C library error number behind error(), 0 when there is none.
    int errorNumber() const { return m_errno; }

private:
    bool fail(int error);
    void closeAndRemove();

    std::FILE* m_file = nullptr;
    std::string m_target;  // the file that is replaced (a link's target)
    std::string m_scratch; // the new file beside it; empty when written in place
    std::size_t m_written = 0;
    bool m_direct = false;
    bool m_failed = false;
    WriteError m_error = WriteError::None;
    int m_errno = 0;
};

// Writes `size` bytes as the whole content of `path` (see above). On failure `error` (when given)
// receives the reason and `errorNumber` the C library error number.
bool writeWholeFile(const std::string& path, const void* data, std::size_t size, WriteError* error = nullptr,
                    int* errorNumber = nullptr);

// Creates `path` as a new regular file of this process, never through a link: whatever stands at
// the path (a file, a link, a pipe) is removed first, then the file is created exclusively.
// nullptr when that fails. For scratch files in a working folder.
std::FILE* createExclusive(const std::string& path);

// For tests: makes the writers of this copy of the code fail. A write that would take the total
// past `afterBytes` writes up to it and then fails with `error`; an open fails at once with
// `openError` when it is not 0. Cleared by clearInjectedWriteFault().
void injectWriteFault(std::size_t afterBytes, int error, int openError = 0);
void clearInjectedWriteFault();

} // namespace qrl
