#include "ResourceCheckFile.h"

ResourceCheckFile::ResourceCheckFile(const QString& path)
    : m_file(path)
{
    if (!m_file.open(QIODevice::ReadOnly))
        return;
    const qint64 size = m_file.size();
    if (size < 0)
        return;
    if (size == 0) {
        m_ok = true;
        return;
    }
    m_map = m_file.map(0, size);
    if (m_map) {
        m_bytes = {m_map, static_cast<std::size_t>(size)};
        m_ok = true;
        return;
    }
    // Files that cannot be mapped (some network and virtual file systems) are read whole; a
    // short read means the file changed or failed under us.
    m_buffer = m_file.read(size);
    if (m_buffer.size() != size)
        return;
    m_bytes = {reinterpret_cast<const unsigned char*>(m_buffer.constData()), static_cast<std::size_t>(size)};
    m_ok = true;
}

ResourceCheckFile::~ResourceCheckFile()
{
    if (m_map)
        m_file.unmap(m_map);
}
