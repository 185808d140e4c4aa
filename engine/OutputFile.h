// A file the engine writes, in one of three ways:
// - create(): a file of the working directory, written in place. It is always a new file of this
//   process: whatever stands at the name (a stale file, a planted link, a pipe) is removed first,
//   never followed.
// - createReplacing(): a file of the working directory that is there whole or not at all: written
//   into a new file beside its name and moved onto it by commit(). The move replaces a link at the
//   name rather than writing through it.
// - createKept(): a file the user keeps, through the one writer of such files (WholeFile.h): a
//   regular file is replaced only once the new one is complete and keeps its permissions, a link
//   is written through to its target, a device or pipe is written in place; after a failure the
//   earlier file is as it was and nothing is left beside it.
// Every failure is noted as the cause of the running export (ExportGuard.h).
#pragma once

#include "WholeFile.h"

#include <cstddef>
#include <cstdio>
#include <string>

namespace vintrel {

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Each opens the file once; what was written before a failure stays only with create().
    bool create(const std::string& path);
    bool createReplacing(const std::string& path);
    bool createKept(const std::string& path);

    bool write(const void* data, std::size_t count);
    bool writeZeros(std::size_t count);
    // Flushes and closes, checking both, then moves a replacing file onto its path or puts a kept
    // file in place. False when any write failed.
    bool commit();

private:
    bool isOpen() const { return m_file || m_kept.isOpen(); }
    bool fail(int error);
    void discard();

    std::FILE* m_file = nullptr;
    qrl::WholeFileWriter m_kept;
    std::string m_path;      // the file that is written
    std::string m_finalPath; // the replaced path of createReplacing(), else empty
};

} // namespace vintrel
