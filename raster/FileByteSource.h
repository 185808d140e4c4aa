// A byte source over a regular file opened read-only. The size is taken from the file system once
// at opening; reads past it fail, and so does a read the file no longer holds.
#pragma once

#include "ByteSource.h"

#include <cstdio>
#include <string>

namespace pelmora {

class FileByteSource : public ByteSource {
public:
    FileByteSource() = default;
    ~FileByteSource() override;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    // Opens `path`; false when it cannot be opened or is not a regular file (a directory, a pipe
    // or a device has no size to read by).
    bool open(const std::string& path);

    std::uint64_t size() const override { return m_size; }
    bool readAt(std::uint64_t offset, std::size_t length, unsigned char* dest) const override;

private:
    std::FILE* m_file = nullptr;
    std::uint64_t m_size = 0;
};

} // namespace pelmora
