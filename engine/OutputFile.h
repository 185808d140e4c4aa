// A file the engine writes, in one of three ways:
// - create(): a file of the working directory, written in place. It is always a new file of this
//   process: whatever stands at the name (a stale file, a planted link, a pipe) is removed first,
//   never followed.
// - createReplacing(): a file of the working directory that is there whole or not at all: the one
//   writer's scratch use (WholeFile.h), moved onto its name by commit() and never synced. The move
//   replaces a link at the name rather than writing through it.
// - createKept(): a file the user keeps, through the one writer of such files (WholeFile.h): it
//   stays the file it was (rights, owner, links), a link is written through to its target, a
//   device or pipe is written in place, the bytes are synced; after a failure the earlier file is
//   as it was and nothing is left beside it.
// Every failure is noted as the cause of the running export (ExportGuard.h).
#pragma once

#include "WholeFile.h"

#include <cstddef>
#include <string>
#include <vector>

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
    // Writes the rest and closes, checking both, then moves a replacing file onto its path or puts
    // a kept file in place. False when any write failed.
    bool commit();
    // For a replacing or kept file with nothing written: the finished file `source` becomes its
    // whole content, moved where it can be (WholeFileWriter::commitFrom), else copied; with
    // `transform` applied in the same pass.
    bool commitFrom(const std::string& source, qrl::WholeFileWriter::BlockTransform transform = nullptr);

private:
    bool isOpen() const { return m_fd >= 0 || m_whole.isOpen(); }
    bool fail(int error);
    bool flush();
    void discard();

    int m_fd = -1;                       // create()
    std::vector<unsigned char> m_buffer; // bytes of create() not yet written
    qrl::WholeFileWriter m_whole;
};

} // namespace vintrel
