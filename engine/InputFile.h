// A regular file opened for reading through the C runtime's buffered stream, its size taken from
// the file system when it is opened.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace vintrel {

class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // False when the path is not a regular file or cannot be opened.
    bool open(const std::string& path);
    std::uint64_t size() const { return m_size; }
    // Reads exactly `count` bytes; false on a short read.
    bool read(unsigned char* buffer, std::size_t count);
    bool seek(std::uint64_t position);
    // Reads exactly `count` bytes at `offset`, moving there first when the reads so far end
    // elsewhere; false on a short read.
    bool readAt(std::uint64_t offset, unsigned char* buffer, std::size_t count);

private:
    std::FILE* m_file = nullptr;
    std::uint64_t m_size = 0;
    std::uint64_t m_position = 0;
};

// Sets `size` to the size of the regular file `path`; false when it is no regular file.
bool regularFileSize(const std::string& path, std::uint64_t& size);

} // namespace vintrel
