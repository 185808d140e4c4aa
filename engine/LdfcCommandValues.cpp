#include "LdfcCommandValues.h"

#include "FontText.h"

#include <charconv>
#include <system_error>

namespace vintrel {

void LdfcCommandValues::skipBlanks()
{
    while (m_pos < m_text.size() && isBlank(m_text[m_pos]))
        ++m_pos;
}

bool LdfcCommandValues::separator()
{
    if (!m_first) {
        if (m_pos >= m_text.size() || m_text[m_pos] != ',')
            return false;
        ++m_pos;
    }
    m_first = false;
    skipBlanks();
    return true;
}

bool LdfcCommandValues::next(float& value)
{
    if (!separator())
        return false;
    skipBlanks();
    bool negative = false;
    if (m_pos < m_text.size() && (m_text[m_pos] == '+' || m_text[m_pos] == '-'))
        negative = m_text[m_pos++] == '-';
    if (m_pos >= m_text.size() || m_text[m_pos] == '+' || m_text[m_pos] == '-')
        return false;
    float parsed = 0.0f;
    const char* begin = m_text.data() + m_pos;
    const auto [end, error] = std::from_chars(begin, m_text.data() + m_text.size(), parsed);
    if (error == std::errc::invalid_argument)
        return false;
    // A number beyond the range of a float reads as 0.
    if (error == std::errc::result_out_of_range)
        parsed = 0.0f;
    m_pos += static_cast<std::size_t>(end - begin);
    value = negative ? -parsed : parsed;
    return true;
}

bool LdfcCommandValues::next(std::int32_t& value)
{
    if (!separator())
        return false;
    skipBlanks();
    return readDecimal(m_text, m_pos, value);
}

bool LdfcCommandValues::next(char& value)
{
    if (!separator() || m_pos >= m_text.size())
        return false;
    value = m_text[m_pos++];
    return true;
}

} // namespace vintrel
