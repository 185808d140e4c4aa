#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The 306-byte item record, little-endian, as the project file stores it and the build copies it
// into its item blocks. Always encoded and decoded field by field.
struct ItemRecord {
    static constexpr std::size_t kSize = 306;
    static constexpr std::size_t kNameOffset = 1;
    static constexpr std::size_t kNameFieldSize = 33; // at most 32 characters and a NUL
    static constexpr std::size_t kMaxNameLength = 32;
    static constexpr std::size_t kResourceIdOffset = 34;
    static constexpr std::size_t kTypefaceIdOffset = 38;
    static constexpr std::size_t kSymbolSetOffset = 42;
    static constexpr std::size_t kSpareOffset = 43;
    static constexpr std::size_t kAutomaticFlagOffset = 44;
    static constexpr std::size_t kPathOffset = 46;
    static constexpr std::size_t kPathFieldSize = 256; // at most 255 bytes and a NUL
    static constexpr std::size_t kMaxPathLength = 255;
    static constexpr std::size_t kFileSizeOffset = 302;

    using Bytes = std::array<unsigned char, kSize>;

    std::uint8_t resourceType = 0; // a ResourceSubtype (0-8, 99)
    std::string name;              // bytes, at most 32
    std::uint32_t resourceId = 0;
    std::uint32_t typefaceId = 0;
    std::uint8_t symbolSet = 0;
    std::uint8_t spare = 0;
    std::uint16_t automaticFlag = 0;
    std::string path; // bytes (UTF-8 when written here), at most 255
    std::uint32_t fileSize = 0;

    // Text fields longer than their field are cut; the bytes after a field's text are zero.
    Bytes encode() const;
    // Reads a record; text fields stop at their first NUL or at the end of their field, so an
    // unterminated name or path never runs into the next field.
    static ItemRecord decode(const unsigned char* bytes);

    bool operator==(const ItemRecord&) const = default;
};
