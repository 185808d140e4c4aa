// Byte-pair swap of a buffer in place: bytes 0 and 1 change places, then 2 and 3, and so on; an odd
// last byte stays where it is. Standard C++ only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

namespace qrl::bytes {

inline void swapBytePairs(unsigned char* data, std::size_t size)
{
    // Eight bytes at a time: every pair is one 16-bit lane of the word whatever the host's byte
    // order, so swapping the two bytes of each lane swaps the pairs.
    constexpr std::uint64_t lowBytes = 0x00FF00FF00FF00FFull;
    std::size_t i = 0;
    for (; size - i >= 8; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + i, 8);
        word = ((word & lowBytes) << 8) | ((word >> 8) & lowBytes);
        std::memcpy(data + i, &word, 8);
    }
    for (; size - i >= 2; i += 2)
        std::swap(data[i], data[i + 1]);
}

} // namespace qrl::bytes
