#include "MacroFile.h"

#include "MacroText.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace pelmora {

namespace {

constexpr std::size_t kWriteBlock = 64 * 1024;
constexpr int kNameAttempts = 100;

} // namespace

MacroFile::~MacroFile()
{
    discard();
}

bool MacroFile::create(const std::string& path)
{
    discard();
    // unlink, not remove: a folder of that name must not go.
    ::unlink(path.c_str());
    // The new file lies in the macro's folder, so that renaming it is atomic, under a name of its
    // own (exclusive create) that fits however long the macro's name is, with the mode a plain
    // new file gets.
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string stem =
        folder + ".pelmora-" + macro::decimal(static_cast<std::uint64_t>(::getpid())) + "-";
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string partPath = stem + macro::decimal(static_cast<std::uint64_t>(attempt)) + ".part";
        const int fd = ::open(partPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        m_file = ::fdopen(fd, "wb");
        if (!m_file) {
            ::close(fd);
            ::unlink(partPath.c_str());
            return false;
        }
        std::setvbuf(m_file, nullptr, _IOFBF, kWriteBlock);
        m_path = path;
        m_partPath = partPath;
        m_failed = false;
        return true;
    }
    return false;
}

bool MacroFile::write(std::string_view bytes)
{
    return write(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

bool MacroFile::write(const unsigned char* bytes, std::size_t size)
{
    if (!m_file || m_failed)
        return false;
    if (size != 0 && std::fwrite(bytes, 1, size, m_file) != size)
        m_failed = true;
    return !m_failed;
}

bool MacroFile::commit()
{
    if (!m_file)
        return false;
    bool ok = !m_failed && std::fflush(m_file) == 0 && ::fsync(::fileno(m_file)) == 0;
    ok = std::fclose(m_file) == 0 && ok;
    m_file = nullptr;
    ok = ok && std::rename(m_partPath.c_str(), m_path.c_str()) == 0;
    if (!ok)
        ::unlink(m_partPath.c_str());
    m_partPath.clear();
    return ok;
}

void MacroFile::discard()
{
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    if (!m_partPath.empty()) {
        ::unlink(m_partPath.c_str());
        m_partPath.clear();
    }
}

} // namespace pelmora
