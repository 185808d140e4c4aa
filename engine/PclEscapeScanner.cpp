#include "PclEscapeScanner.h"

#include <cstring>

namespace vintrel {
namespace {

constexpr unsigned char kEscape = 0x1B;
// Far above any count or code a font uses; a longer run of digits saturates here.
constexpr std::int64_t kValueLimit = 0x7FFFFFFF;

bool isGroup(unsigned char c)
{
    return c == '(' || c == ')' || c == '*';
}

bool isDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

bool PclEscapeScanner::next(PclEscape& escape)
{
    const std::size_t size = m_bytes.size();
    while (m_pos < size) {
        if (!m_chained) {
            const void* found = std::memchr(m_bytes.data() + m_pos, kEscape, size - m_pos);
            if (!found)
                break;
            m_pos = static_cast<std::size_t>(static_cast<const unsigned char*>(found) - m_bytes.data()) + 1;
            // Anything but a group character after the escape is scanned again as ordinary input,
            // so that an escape right behind it is not lost.
            if (m_pos >= size || !isGroup(m_bytes[m_pos]))
                continue;
            if (m_pos + 1 >= size)
                break;
            if (m_bytes[m_pos + 1] == kEscape) {
                ++m_pos;
                continue;
            }
            m_group = m_bytes[m_pos];
            m_parameter = m_bytes[m_pos + 1];
            m_pos += 2;
        }
        if (readValueAndTerminator(escape))
            return true;
    }
    m_pos = size;
    m_chained = false;
    return false;
}

bool PclEscapeScanner::readValueAndTerminator(PclEscape& escape)
{
    const std::size_t size = m_bytes.size();
    bool negative = false;
    if (m_pos < size && (m_bytes[m_pos] == '+' || m_bytes[m_pos] == '-'))
        negative = m_bytes[m_pos++] == '-';
    std::int64_t value = 0;
    for (; m_pos < size && isDigit(m_bytes[m_pos]); ++m_pos) {
        value = value * 10 + (m_bytes[m_pos] - '0');
        if (value > kValueLimit)
            value = kValueLimit;
    }
    // A fraction is allowed by the syntax; no command the converters use takes one.
    if (m_pos < size && m_bytes[m_pos] == '.')
        for (++m_pos; m_pos < size && isDigit(m_bytes[m_pos]);)
            ++m_pos;
    m_chained = false;
    if (m_pos >= size)
        return false;
    const unsigned char terminator = m_bytes[m_pos];
    const bool lower = terminator >= 'a' && terminator <= 'z';
    if (!lower && !(terminator >= 'A' && terminator <= 'Z'))
        return false; // not an escape after all: the byte is scanned again
    ++m_pos;
    m_chained = lower;
    const char upper = static_cast<char>(lower ? terminator - 'a' + 'A' : terminator);
    escape.key = pclEscapeKey(static_cast<char>(m_group), static_cast<char>(m_parameter), upper);
    escape.value = negative ? -value : value;
    return true;
}

PclCommandData PclEscapeScanner::takeData(std::int64_t count)
{
    m_chained = false;
    if (count <= 0)
        return {};
    const std::size_t left = m_bytes.size() - m_pos;
    const bool cut = static_cast<std::uint64_t>(count) > left;
    const std::size_t n = cut ? left : static_cast<std::size_t>(count);
    const PclCommandData data{m_bytes.subspan(m_pos, n), cut};
    m_pos += n;
    return data;
}

} // namespace vintrel
