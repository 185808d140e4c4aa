// A byte source over a buffer the caller keeps alive (the fuzz harness and the tests).
#pragma once

#include "ByteSource.h"

#include <cstring>

namespace pelmora {

class MemoryByteSource : public ByteSource {
public:
    MemoryByteSource(const unsigned char* data, std::size_t size) : m_data(data), m_size(size) {}

    std::uint64_t size() const override { return m_size; }
    bool readAt(std::uint64_t offset, std::size_t length, unsigned char* dest) const override
    {
        if (!holds(offset, length))
            return false;
        if (length)
            std::memcpy(dest, m_data + offset, length);
        return true;
    }

private:
    const unsigned char* m_data;
    std::size_t m_size;
};

} // namespace pelmora
