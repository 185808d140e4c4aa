// Random access to the bytes of an input file, so that the image readers check every offset and
// length against the real size before they read, and run the same way over a file or a buffer.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pelmora {

class ByteSource {
public:
    virtual ~ByteSource() = default;

    // The size in bytes, fixed when the source was opened.
    virtual std::uint64_t size() const = 0;
    // Reads exactly `length` bytes at `offset` into dest; false when they are not all there or
    // the read fails.
    virtual bool readAt(std::uint64_t offset, std::size_t length, unsigned char* dest) const = 0;

    // Whether `length` bytes at `offset` lie inside the source.
    bool holds(std::uint64_t offset, std::uint64_t length) const
    {
        return offset <= size() && length <= size() - offset;
    }
};

} // namespace pelmora
