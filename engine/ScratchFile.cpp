#include "ScratchFile.h"

#include <filesystem>
#include <system_error>

namespace vintrel {

bool removeFile(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    // A folder of that name is no file of the engine's, not even an empty one.
    if (fs::is_directory(fs::symlink_status(path, ec)))
        return false;
    fs::remove(path, ec);
    return !ec;
}

} // namespace vintrel
