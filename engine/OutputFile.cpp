#include "OutputFile.h"

#include "ExportGuard.h"

#include <cerrno>
#include <cstdio>

namespace vintrel {

OutputFile::~OutputFile()
{
    discard();
}

bool OutputFile::fail(int error)
{
    noteWriteFailure(error);
    return false;
}

bool OutputFile::create(const std::string& path)
{
    if (isOpen())
        return false;
    errno = 0;
    m_file = qrl::createExclusive(path);
    m_path = path;
    return m_file ? true : fail(errno);
}

bool OutputFile::createReplacing(const std::string& path)
{
    if (isOpen())
        return false;
    // An exclusive create, so that neither a file of the same name nor a link there is written.
    for (int attempt = 0; attempt < 100 && !m_file; ++attempt) {
        m_path = path + ".part" + std::to_string(attempt);
        errno = 0;
        m_file = std::fopen(m_path.c_str(), "wbx");
        if (!m_file && errno != EEXIST)
            break;
    }
    if (!m_file)
        return fail(errno);
    m_finalPath = path;
    return true;
}

bool OutputFile::createKept(const std::string& path)
{
    if (isOpen())
        return false;
    m_path = path;
    return m_kept.open(path) ? true : fail(m_kept.errorNumber());
}

bool OutputFile::write(const void* data, std::size_t count)
{
    if (m_kept.isOpen())
        return m_kept.write(data, count) ? true : fail(m_kept.errorNumber());
    if (!m_file)
        return false;
    errno = 0;
    return std::fwrite(data, 1, count, m_file) == count ? true : fail(errno);
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
    if (m_kept.isOpen())
        return m_kept.commit() ? true : fail(m_kept.errorNumber());
    if (!m_file)
        return false;
    errno = 0;
    const bool flushed = std::fflush(m_file) == 0 && !std::ferror(m_file);
    int error = errno;
    errno = 0;
    const bool closed = std::fclose(m_file) == 0;
    if (error == 0)
        error = errno;
    m_file = nullptr;
    const std::string finalPath = std::move(m_finalPath);
    m_finalPath.clear();
    if (!flushed || !closed) {
        if (!finalPath.empty())
            std::remove(m_path.c_str());
        return fail(error);
    }
    if (finalPath.empty())
        return true;
    errno = 0;
    if (std::rename(m_path.c_str(), finalPath.c_str()) == 0)
        return true;
    error = errno;
    std::remove(m_path.c_str());
    return fail(error);
}

void OutputFile::discard()
{
    if (m_file)
        std::fclose(m_file);
    if (m_file && !m_finalPath.empty())
        std::remove(m_path.c_str());
    m_file = nullptr;
    m_finalPath.clear();
    m_kept.abandon();
}

} // namespace vintrel
