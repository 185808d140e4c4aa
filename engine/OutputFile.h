// A file written through the C runtime's buffered stream. Either written in place (the engine's
// own files in the working directory) or, for a file the user keeps, written beside its path and
// moved onto it only when complete, so a failed write never leaves a partial file there.
#pragma once

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

    // Creates `path` or empties an existing file; what was written before a failure stays.
    bool create(const std::string& path);
    // Writes into a new file next to `path`; commit() moves it onto `path`, and destruction
    // without a commit removes it.
    bool createReplacing(const std::string& path);

    bool write(const void* data, std::size_t count);
    bool writeZeros(std::size_t count);
    // Flushes and closes, checking both, then moves a replacing file onto its path.
    bool commit();

private:
    void discard();

    std::FILE* m_file = nullptr;
    std::string m_path;     // the path that is written
    std::string m_finalPath; // the replaced path, empty for a file written in place
};

} // namespace vintrel
