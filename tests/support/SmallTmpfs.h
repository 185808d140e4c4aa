// A real full disk for tests: a tmpfs of a few hundred KB mounted on a fresh directory while the
// object lives. Only root can mount; elsewhere available() is false and reason() says why, so a
// test can skip that half with its reason.
#pragma once

#include "TempCwd.h"

#include <cstddef>
#include <string>

#include <sys/mount.h>
#include <unistd.h>

namespace qrl::test {

class SmallTmpfs {
public:
    explicit SmallTmpfs(std::size_t bytes = 256 * 1024)
    {
        if (::geteuid() != 0) {
            m_reason = "mounting a small tmpfs needs root";
            return;
        }
        const std::string options = "size=" + std::to_string(bytes);
        if (::mount("tmpfs", m_dir.path().c_str(), "tmpfs", 0, options.c_str()) != 0) {
            m_reason = "mount -t tmpfs was refused here";
            return;
        }
        m_mounted = true;
    }
    ~SmallTmpfs()
    {
        if (m_mounted)
            ::umount2(m_dir.path().c_str(), MNT_DETACH);
    }
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    bool available() const { return m_mounted; }
    const std::string& reason() const { return m_reason; }
    const std::string& path() const { return m_dir.path(); }
    std::string file(const std::string& name) const { return m_dir.file(name); }

private:
    TempDirectory m_dir;
    bool m_mounted = false;
    std::string m_reason;
};

} // namespace qrl::test
