#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// One record of the two older project formats (203 and 209 bytes). Their first record is a header
// record: the 16-bit signed item count at 0 and a marker text at 151. Both kinds keep the path,
// the kind code and the file size at the same offsets; the 209-byte records add a 32-bit font
// number, a typeface number and a symbol-set index before the name.
struct ProjectFileOldRecord {
    static constexpr std::size_t kSize203 = 203;
    static constexpr std::size_t kSize209 = 209;
    static constexpr std::size_t kMarkerOffset = 151;
    static constexpr std::string_view kMarker203 = "PROJECT FILE";
    static constexpr std::string_view kMarker209 = "PROJECT FILE 2";

    // Kind codes of a 203-byte record.
    enum Kind203 : int { k203Form = 0, k203Font = 1, k203Macro = 2 };
    // Kind codes of a 209-byte record.
    enum Kind209 : int { k209TrueType = 0, k209PclScalable = 1, k209Macro = 2, k209Form = 3, k209Data = 4 };

    std::string path; // bytes as stored, bounded by the field
    int kind = -1;
    std::uint32_t fileSize = 0;
    std::uint32_t fontNumber = 0; // 16 bits in 203-byte records
    std::uint32_t typeface = 0;   // 209-byte records only
    std::uint8_t symbolSet = 0;   // 209-byte records only
    std::string name;             // bytes as stored, bounded by the field

    // Decodes `recordSize` (kSize203 or kSize209) bytes.
    static ProjectFileOldRecord decode(const unsigned char* bytes, std::size_t recordSize);
    // The header record's item count.
    static int headerCount(const unsigned char* bytes);
    // True when the header record of `recordSize` bytes holds its marker text (read within the
    // `available` bytes, at most the record).
    static bool hasMarker(const unsigned char* bytes, std::size_t available, std::size_t recordSize);
};
