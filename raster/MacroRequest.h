// The generator's working record: the eighteen arguments of an export, copied into bounded
// fields, plus the host through which its messages are shown.
#pragma once

#include "HostMessages.h"
#include "pelmora.h"

#include <optional>
#include <string>

namespace pelmora {

enum class ImageType { Bmp = 1, Jpeg = 2, Tiff = 3 };
enum class Orientation { None = 0, Portrait = 1, Landscape = 2 };

class MacroRequest {
public:
    // Builds the record, or nothing when a path is missing or the source path does not fit into
    // sourcePathSize bytes with its terminating NUL (a path is refused, never cut).
    static std::optional<MacroRequest>
    fromArguments(const char* sourcePath, const char* outputPath, const char* macroName,
                  const char* resolution, const char* unit, const char* positionX, const char* positionY,
                  const char* width, const char* height, int orientation, int imageType, int sourcePathSize,
                  const char* extraText, int extraTextSize, const PelmoraHost* instance);

    // Whether outputPath names the image file itself, by whatever spelling or link: writing the
    // macro there would replace the image it is made from.
    bool outputIsSource() const;

    std::string sourcePath;
    std::string outputPath;
    std::string macroName;
    std::string resolution;
    std::string unit;
    std::string positionX;
    std::string positionY;
    std::string width;
    std::string height;
    Orientation orientation = Orientation::None;
    int imageType = 0;
    std::string extraText;
    HostMessages messages{nullptr};
};

} // namespace pelmora
