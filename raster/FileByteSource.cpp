#include "FileByteSource.h"

#include <filesystem>
#include <limits>
#include <system_error>

namespace pelmora {

namespace fs = std::filesystem;

namespace {

bool isRegularFile(const std::string& path)
{
    std::error_code ec;
    return fs::is_regular_file(fs::status(path, ec));
}

} // namespace

FileByteSource::~FileByteSource()
{
    if (m_file)
        std::fclose(m_file);
}

bool FileByteSource::open(const std::string& path)
{
    // Asked before opening, so that a named pipe is refused instead of waiting for a writer.
    if (!isRegularFile(path))
        return false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    // Asked again once open: the name may have been replaced in between.
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec || !isRegularFile(path)) {
        std::fclose(file);
        return false;
    }
    if (m_file)
        std::fclose(m_file);
    m_file = file;
    m_size = static_cast<std::uint64_t>(size);
    return true;
}

bool FileByteSource::readAt(std::uint64_t offset, std::size_t length, unsigned char* dest) const
{
    if (!m_file || !holds(offset, length) ||
        offset > static_cast<std::uint64_t>(std::numeric_limits<long>::max()))
        return false;
    if (length == 0)
        return true;
    if (std::fseek(m_file, static_cast<long>(offset), SEEK_SET) != 0)
        return false;
    // A short read is a read error, or a file that is shorter now than when it was opened.
    return std::fread(dest, 1, length, m_file) == length;
}

} // namespace pelmora
