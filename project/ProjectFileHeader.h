#pragma once

#include "ItemRecord.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// The 306-byte header of a current-format project file. It has the shape of an item record;
// every byte outside the fields below is zero.
struct ProjectFileHeader {
    static constexpr std::size_t kSize = ItemRecord::kSize;
    static constexpr std::size_t kItemCountOffset = 34;
    static constexpr std::size_t kMediumOffset = 38; // 16-bit when written, byte 38 when read
    static constexpr std::size_t kSizeIndexOffset = 40;
    static constexpr std::size_t kExtraOffset = 41;
    static constexpr std::size_t kSignatureOffset = 44;
    static constexpr std::uint16_t kSignature = 0xFFFF;
    static constexpr std::size_t kMarkerOffset = 46;
    static constexpr std::string_view kMarker = "PROJECT FILE";
    static constexpr std::size_t kCustomSizeOffset = 302;

    using Bytes = std::array<unsigned char, kSize>;

    std::uint32_t itemCount = 0;
    std::uint8_t medium = 0;
    std::uint8_t sizeIndex = 0;
    std::uint8_t extra = 0;       // the low byte of the project's extra settings value
    std::uint32_t customSize = 0; // written only with the custom size index

    Bytes encode() const;
    static ProjectFileHeader decode(const Bytes& bytes);
    // True when the marker text stands at its offset (compared up to its zero byte).
    static bool hasMarker(const unsigned char* bytes, std::size_t size);
};
