#include "ResourceCheckFile.h"

namespace {

// Files up to this size are read whole in one block; larger ones (program data, big fonts) are
// mapped, so a check never holds a second copy of them.
constexpr qint64 kMapFrom = qint64{1} << 20;

} // namespace

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
    if (size >= kMapFrom) {
        m_map = m_file.map(0, size);
        if (m_map) {
            m_bytes = {m_map, static_cast<std::size_t>(size)};
            m_ok = true;
            return;
        }
    }
    // Read whole (also a large file that cannot be mapped, as on some network file systems); a
    // short read means the file changed or failed under us.
    m_buffer.resize(static_cast<std::size_t>(size));
    if (m_file.read(reinterpret_cast<char*>(m_buffer.data()), size) != size)
        return;
    m_bytes = m_buffer;
    m_ok = true;
}

ResourceCheckFile::~ResourceCheckFile()
{
    if (m_map)
        m_file.unmap(m_map);
}
