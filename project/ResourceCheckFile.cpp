#include "ResourceCheckFile.h"

#include <algorithm>
#include <limits>

ResourceCheckFile::ResourceCheckFile(const QString& path) : m_file(path)
{
    // Never mapped: a mapped file cut short under us faults on the first page past its new end.
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return;
    const qint64 size = m_file.size();
    if (size < 0 || static_cast<quint64>(size) > std::numeric_limits<std::size_t>::max())
        return;
    m_size = static_cast<std::size_t>(size);
    m_window.resize(std::min(m_size, kWindow));
    m_ok = true;
    if (m_size > 0)
        load(0);
}

bool ResourceCheckFile::load(std::size_t pos)
{
    if (!m_ok || pos >= m_size)
        return false;
    const std::size_t length = std::min(m_window.size(), m_size - pos);
    // Fewer bytes than the size promised mean the file shrank meanwhile.
    if (!m_file.seek(static_cast<qint64>(pos)) ||
        m_file.read(reinterpret_cast<char*>(m_window.data()), static_cast<qint64>(length)) !=
            static_cast<qint64>(length)) {
        m_ok = false;
        m_windowLength = 0;
        return false;
    }
    m_windowStart = pos;
    m_windowLength = length;
    return true;
}

std::span<const unsigned char> ResourceCheckFile::bytes(std::size_t offset, std::size_t count)
{
    if (offset >= m_size)
        return {};
    count = std::min({count, m_size - offset, m_window.size()});
    const bool inWindow =
        offset - m_windowStart < m_windowLength && count <= m_windowLength - (offset - m_windowStart);
    if (!inWindow && !load(offset))
        return {};
    return std::span<const unsigned char>(m_window).subspan(offset - m_windowStart, count);
}
