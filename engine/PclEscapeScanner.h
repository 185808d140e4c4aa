// Walks the parameterised escape sequences of a PCL soft font held in memory: the escape
// character, a group character ("(", ")" or "*"), a parameter character, a decimal value and a
// terminator; a lower-case terminator chains a further value to the same group and parameter.
// Every other byte is passed over.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace vintrel {

constexpr std::uint32_t pclEscapeKey(char group, char parameter, char terminator)
{
    return (static_cast<std::uint32_t>(static_cast<unsigned char>(group)) << 16) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(parameter)) << 8) |
           static_cast<unsigned char>(terminator);
}

inline constexpr std::uint32_t kPclFontIdKey = pclEscapeKey('*', 'c', 'D');
inline constexpr std::uint32_t kPclFontHeaderKey = pclEscapeKey(')', 's', 'W');
inline constexpr std::uint32_t kPclCharacterCodeKey = pclEscapeKey('*', 'c', 'E');
inline constexpr std::uint32_t kPclCharacterDownloadKey = pclEscapeKey('(', 's', 'W');

struct PclEscape {
    std::uint32_t key = 0;  // the terminator in upper case
    std::int64_t value = 0; // the integer part, saturated
};

// The data that follows a command, as far as the file holds it.
struct PclCommandData {
    std::span<const unsigned char> bytes;
    bool cut = false; // the command announced more bytes than the file has left
};

class PclEscapeScanner {
public:
    explicit PclEscapeScanner(std::span<const unsigned char> bytes) : m_bytes(bytes) {}

    // The next complete escape; false at the end of the input.
    bool next(PclEscape& escape);
    // The `count` bytes that follow the escape just returned (none for a negative count); the
    // scan goes on after them.
    PclCommandData takeData(std::int64_t count);

private:
    bool readValueAndTerminator(PclEscape& escape);

    std::span<const unsigned char> m_bytes;
    std::size_t m_pos = 0;
    bool m_chained = false;
    unsigned char m_group = 0;
    unsigned char m_parameter = 0;
};

} // namespace vintrel
