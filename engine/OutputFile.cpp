#include "OutputFile.h"

#include "ExportGuard.h"

#include <cerrno>

#include <unistd.h>

namespace vintrel {

namespace {

// Bytes of a created file gathered before each write call.
constexpr std::size_t kCreateBlock = 256 * 1024;

} // namespace

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
    m_fd = qrl::createExclusive(path);
    m_buffer.reserve(kCreateBlock);
    return m_fd >= 0 ? true : fail(errno);
}

bool OutputFile::createReplacing(const std::string& path)
{
    if (isOpen())
        return false;
    return m_whole.open(path, qrl::FileUse::Scratch) ? true : fail(m_whole.errorNumber());
}

bool OutputFile::createKept(const std::string& path)
{
    if (isOpen())
        return false;
    return m_whole.open(path) ? true : fail(m_whole.errorNumber());
}

bool OutputFile::write(const void* data, std::size_t count)
{
    if (m_whole.isOpen())
        return m_whole.write(data, count) ? true : fail(m_whole.errorNumber());
    if (m_fd < 0)
        return false;
    if (m_buffer.size() + count > kCreateBlock && !flush())
        return false;
    if (count >= kCreateBlock)
        return qrl::writeAll(m_fd, data, count) ? true : fail(errno);
    const auto* bytes = static_cast<const unsigned char*>(data);
    m_buffer.insert(m_buffer.end(), bytes, bytes + count);
    return true;
}

bool OutputFile::flush()
{
    const bool ok = m_buffer.empty() || qrl::writeAll(m_fd, m_buffer.data(), m_buffer.size());
    m_buffer.clear();
    return ok ? true : fail(errno);
}

bool OutputFile::writeZeros(std::size_t count)
{
    static constexpr unsigned char zeros[4096] = {};
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
    if (m_whole.isOpen())
        return m_whole.commit() ? true : fail(m_whole.errorNumber());
    if (m_fd < 0)
        return false;
    const bool flushed = flush();
    errno = 0;
    const int fd = m_fd;
    m_fd = -1;
    const bool closed = ::close(fd) == 0 || errno == EINTR;
    return flushed && (closed ? true : fail(errno));
}

bool OutputFile::commitFrom(const std::string& source, qrl::WholeFileWriter::BlockTransform transform)
{
    if (!m_whole.isOpen())
        return false;
    return m_whole.commitFrom(source, transform) ? true : fail(m_whole.errorNumber());
}

void OutputFile::discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_buffer.clear();
    m_whole.abandon();
}

} // namespace vintrel
