#include "OutputFile.h"

#include <cstdio>

namespace vintrel {

OutputFile::~OutputFile()
{
    discard();
}

bool OutputFile::create(const std::string& path)
{
    if (m_file)
        return false;
    m_file = std::fopen(path.c_str(), "wb");
    m_path = path;
    return m_file != nullptr;
}

bool OutputFile::createReplacing(const std::string& path)
{
    if (m_file)
        return false;
    // An exclusive create, so that a file of the same name already there is never overwritten.
    for (int attempt = 0; attempt < 100 && !m_file; ++attempt) {
        m_path = path + ".part" + std::to_string(attempt);
        m_file = std::fopen(m_path.c_str(), "wbx");
    }
    if (!m_file)
        return false;
    m_finalPath = path;
    return true;
}

bool OutputFile::write(const void* data, std::size_t count)
{
    return m_file && std::fwrite(data, 1, count, m_file) == count;
}

bool OutputFile::writeZeros(std::size_t count)
{
    static constexpr unsigned char zeros[64] = {};
    while (count > 0) {
        const std::size_t n = count < sizeof zeros ? count : sizeof zeros;
        if (!write(zeros, n))
            return false;
        count -= n;
    }
    return true;
}

bool OutputFile::commit()
{
    if (!m_file)
        return false;
    const bool flushed = std::fflush(m_file) == 0 && !std::ferror(m_file);
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    if (!flushed || !closed) {
        if (!m_finalPath.empty())
            std::remove(m_path.c_str());
        m_finalPath.clear();
        return false;
    }
    if (m_finalPath.empty())
        return true;
    const bool moved = std::rename(m_path.c_str(), m_finalPath.c_str()) == 0;
    if (!moved)
        std::remove(m_path.c_str());
    m_finalPath.clear();
    return moved;
}

void OutputFile::discard()
{
    if (!m_file)
        return;
    std::fclose(m_file);
    m_file = nullptr;
    if (!m_finalPath.empty())
        std::remove(m_path.c_str());
    m_finalPath.clear();
}

} // namespace vintrel
