#include "ScratchFile.h"

#include <filesystem>
#include <system_error>

namespace vintrel {

bool removeFile(const std::string& path)
{
    std::error_code ec;
    std::filesystem::remove(path, ec);
    return !ec;
}

} // namespace vintrel
