#include "MacroCall.h"

#include <filesystem>
#include <iterator>

namespace qrl::test {

int callCreateMacro(const MacroArgs& a, const PelmoraHost* host)
{
    return CreateMacro(a.sourcePath.c_str(), a.outputPath.c_str(), a.macroName.c_str(), a.resolution.c_str(),
                       a.unit.c_str(), a.positionX.c_str(), a.positionY.c_str(), a.width.c_str(),
                       a.height.c_str(), a.orientation, a.imageType, a.sourcePathSize, nullptr, 0, host, 0, 0,
                       0);
}

int callCreateColorMacro(const MacroArgs& a, const PelmoraHost* host)
{
    return CreateColorMacro(a.sourcePath.c_str(), a.outputPath.c_str(), a.macroName.c_str(),
                            a.resolution.c_str(), a.unit.c_str(), a.positionX.c_str(), a.positionY.c_str(),
                            a.width.c_str(), a.height.c_str(), a.orientation, a.imageType, a.sourcePathSize,
                            nullptr, 0, host, 0, 0, 0);
}

std::size_t entriesIn(const std::string& folder)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

} // namespace qrl::test
