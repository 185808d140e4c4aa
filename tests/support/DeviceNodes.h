// Devices and pipes for the tests of writers, which must write them in place and never replace
// them.
#pragma once

#include "TempCwd.h"

#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace qrl::test {

// A device of the memory driver ("null" minor 3, "full" minor 7) made in `dir` where root may make
// one, else the system's: a faulty writer then replaces only the test's own node.
inline std::string deviceNode(const TempDirectory& dir, const char* name, unsigned minor)
{
    const std::string path = dir.file(name);
    if (::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, minor)) == 0)
        return path;
    return std::string("/dev/") + name;
}

// A named pipe at `path` and a reader that takes everything written into it.
class PipeReader {
public:
    explicit PipeReader(std::string path) : m_path(std::move(path))
    {
        m_made = ::mkfifo(m_path.c_str(), 0600) == 0;
        if (m_made)
            m_reader = std::thread([this] {
                std::ifstream in(m_path, std::ios::binary);
                m_received.assign(std::istreambuf_iterator<char>(in), {});
            });
    }
    ~PipeReader() { received(); }
    PipeReader(const PipeReader&) = delete;
    PipeReader& operator=(const PipeReader&) = delete;

    bool made() const { return m_made; }
    const std::string& path() const { return m_path; }
    // Everything the writer sent; waits for its end. Should nothing have opened the pipe, the
    // reader still gets its end of file.
    const std::string& received()
    {
        if (m_reader.joinable()) {
            const int fd = ::open(m_path.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
            m_reader.join();
        }
        return m_received;
    }

private:
    std::string m_path;
    std::string m_received;
    std::thread m_reader;
    bool m_made = false;
};

} // namespace qrl::test
