// Blanks and decimal integers in the font converters' texts, read without any locale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

namespace vintrel {

// The white space of the C locale.
inline bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads an optionally signed run of decimal digits at `pos`, saturated to 32 bits, and moves `pos`
// past it. False, with `pos` and `value` untouched, when no digit follows the sign.
inline bool readDecimal(std::string_view text, std::size_t& pos, std::int32_t& value)
{
    std::size_t at = pos;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';
    if (at >= text.size() || text[at] < '0' || text[at] > '9')
        return false;
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        magnitude = magnitude * 10 + (text[at] - '0');
        if (magnitude > limit)
            magnitude = limit;
    }
    value = static_cast<std::int32_t>(negative ? -magnitude : (magnitude < limit ? magnitude : limit - 1));
    pos = at;
    return true;
}

} // namespace vintrel
