#include "MacroRequest.h"

#include <cstring>
#include <filesystem>
#include <system_error>

namespace pelmora {

namespace {

// The lengths of the caller's text fields, less their terminating NUL.
constexpr std::size_t kMacroNameChars = 4;
constexpr std::size_t kParameterChars = 15;

// A caller's text cut to maxChars; never reads past that many bytes. NULL is empty.
std::string boundedText(const char* text, std::size_t maxChars)
{
    return text ? std::string(text, strnlen(text, maxChars)) : std::string();
}

Orientation orientationFrom(int value)
{
    switch (value) {
    case 1:
        return Orientation::Portrait;
    case 2:
        return Orientation::Landscape;
    default:
        return Orientation::None;
    }
}

} // namespace

std::optional<MacroRequest> MacroRequest::fromArguments(const char* sourcePath, const char* outputPath,
                                                        const char* macroName, const char* resolution,
                                                        const char* unit, const char* positionX,
                                                        const char* positionY, const char* width,
                                                        const char* height, int orientation, int imageType,
                                                        int sourcePathSize, const char* extraText,
                                                        int extraTextSize, const PelmoraHost* instance)
{
    if (!sourcePath || !outputPath || sourcePathSize <= 0)
        return std::nullopt;
    const auto pathField = static_cast<std::size_t>(sourcePathSize);
    const std::size_t pathLength = strnlen(sourcePath, pathField);
    if (pathLength == pathField)
        return std::nullopt;

    MacroRequest request;
    request.sourcePath.assign(sourcePath, pathLength);
    request.outputPath = outputPath;
    request.macroName = boundedText(macroName, kMacroNameChars);
    request.resolution = boundedText(resolution, kParameterChars);
    request.unit = boundedText(unit, kParameterChars);
    request.positionX = boundedText(positionX, kParameterChars);
    request.positionY = boundedText(positionY, kParameterChars);
    request.width = boundedText(width, kParameterChars);
    request.height = boundedText(height, kParameterChars);
    request.orientation = orientationFrom(orientation);
    request.imageType = imageType;
    if (extraTextSize > 0)
        request.extraText = boundedText(extraText, static_cast<std::size_t>(extraTextSize) - 1);
    request.messages = HostMessages(instance);
    return request;
}

bool MacroRequest::outputIsSource() const
{
    // A macro file that does not exist yet cannot be the image; equivalent() then fails.
    std::error_code ec;
    return std::filesystem::equivalent(sourcePath, outputPath, ec) && !ec;
}

} // namespace pelmora
