#include "InputFile.h"

#include <filesystem>
#include <limits>
#include <system_error>

namespace vintrel {

InputFile::~InputFile()
{
    if (m_file)
        std::fclose(m_file);
}

bool InputFile::open(const std::string& path)
{
    if (m_file || !regularFileSize(path, m_size))
        return false;
    m_file = std::fopen(path.c_str(), "rb");
    return m_file != nullptr;
}

bool InputFile::read(unsigned char* buffer, std::size_t count)
{
    if (!m_file)
        return false;
    const std::size_t done = std::fread(buffer, 1, count, m_file);
    m_position += done;
    return done == count;
}

bool InputFile::seek(std::uint64_t position)
{
    if (!m_file || position > static_cast<std::uint64_t>(std::numeric_limits<long>::max()) ||
        std::fseek(m_file, static_cast<long>(position), SEEK_SET) != 0)
        return false;
    m_position = position;
    return true;
}

bool InputFile::readAt(std::uint64_t offset, unsigned char* buffer, std::size_t count)
{
    return (offset == m_position || seek(offset)) && read(buffer, count);
}

bool regularFileSize(const std::string& path, std::uint64_t& size)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return false;
    const auto bytes = std::filesystem::file_size(path, ec);
    if (ec)
        return false;
    size = bytes;
    return true;
}

} // namespace vintrel
