#include "FileByteSource.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pelmora {

FileByteSource::~FileByteSource()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FileByteSource::open(const std::string& path)
{
    // Non-blocking only so that opening a FIFO does not wait for a writer; it is refused below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
    m_size = static_cast<std::uint64_t>(st.st_size);
    return true;
}

bool FileByteSource::readAt(std::uint64_t offset, std::size_t length, unsigned char* dest) const
{
    if (m_fd < 0 || !holds(offset, length))
        return false;
    while (length > 0) {
        const ssize_t got = ::pread(m_fd, dest, length, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false; // a read error, or the file is shorter now than when it was opened
        const auto n = static_cast<std::size_t>(got);
        dest += n;
        offset += n;
        length -= n;
    }
    return true;
}

} // namespace pelmora
