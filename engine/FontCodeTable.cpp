#include "FontCodeTable.h"

namespace vintrel {

void FontCodeTable::reset(std::size_t count)
{
    m_records.assign(count, CodeRecord{});
    for (std::size_t code = 0; code < count; ++code)
        m_records[code].code = static_cast<std::uint16_t>(code);
    m_seen = CodeRange{};
}

CodeRecord* FontCodeTable::find(std::int64_t code)
{
    if (code < 0 || static_cast<std::uint64_t>(code) >= m_records.size())
        return nullptr;
    return &m_records[static_cast<std::size_t>(code)];
}

void FontCodeTable::noteSeen(int code)
{
    if (m_seen.lowest < 0 || code < m_seen.lowest)
        m_seen.lowest = code;
    if (code > m_seen.highest)
        m_seen.highest = code;
}

std::optional<std::size_t> FontCodeTable::highestPresent() const
{
    for (std::size_t code = m_records.size(); code-- > 0;)
        if (m_records[code].present)
            return code;
    return std::nullopt;
}

} // namespace vintrel
