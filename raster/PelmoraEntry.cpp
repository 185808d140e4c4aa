#include "RasterTextIds.h"
#include "pelmora.h"

#include "ColorMacro.h"
#include "MacroRequest.h"
#include "MonochromeMacro.h"
#include "WrappedImageMacro.h"

// The library needs no set-up or tear-down when it is loaded or unloaded.

namespace {

using pelmora::ImageType;
using pelmora::MacroRequest;

// Runs one road on the record built from the arguments, unless the macro file is the image. Nothing may leave
// the library as an exception: anything thrown (in practice only an exhausted allocation) answers 0.
template <typename Road>
int runRequest(Road road, const char* sourcePath, const char* outputPath, const char* macroName,
               const char* resolution, const char* unit, const char* positionX, const char* positionY,
               const char* width, const char* height, int orientation, int imageType, int sourcePathSize,
               const char* extraText, int extraTextSize, const PelmoraHost* instance) noexcept
{
    try {
        const auto request = MacroRequest::fromArguments(
            sourcePath, outputPath, macroName, resolution, unit, positionX, positionY, width, height,
            orientation, imageType, sourcePathSize, extraText, extraTextSize, instance);
        if (!request)
            return 0;
        // Refused before any road touches either file.
        if (request->outputIsSource()) {
            request->messages.showFileMessage(qrl::ids::kMacroFileIsImage, request->outputPath);
            return 0;
        }
        return road(*request);
    } catch (...) {
        return 0;
    }
}

} // namespace

extern "C" PELMORA_API int CreateMacro(const char* sourcePath, const char* outputPath, const char* macroName,
                                       const char* resolution, const char* unit, const char* positionX,
                                       const char* positionY, const char* width, const char* height,
                                       int orientation, int imageType, int sourcePathSize,
                                       const char* extraText, int extraTextSize, const PelmoraHost* instance,
                                       int /*reserved16*/, int /*reserved17*/, int /*reserved18*/)
{
    if (imageType != static_cast<int>(ImageType::Bmp))
        return 0;
    return runRequest(pelmora::createMonochromeMacro, sourcePath, outputPath, macroName, resolution, unit,
                      positionX, positionY, width, height, orientation, imageType, sourcePathSize, extraText,
                      extraTextSize, instance);
}

extern "C" PELMORA_API int CreateColorMacro(const char* sourcePath, const char* outputPath,
                                            const char* macroName, const char* resolution, const char* unit,
                                            const char* positionX, const char* positionY, const char* width,
                                            const char* height, int orientation, int imageType,
                                            int sourcePathSize, const char* extraText, int extraTextSize,
                                            const PelmoraHost* instance, int /*reserved16*/,
                                            int /*reserved17*/, int /*reserved18*/)
{
    int (*road)(const MacroRequest&) = nullptr;
    switch (imageType) {
    case static_cast<int>(ImageType::Bmp):
        road = pelmora::createColorBitmapMacro;
        break;
    case static_cast<int>(ImageType::Jpeg):
    case static_cast<int>(ImageType::Tiff):
        road = pelmora::createWrappedImageMacro;
        break;
    default:
        return 0;
    }
    return runRequest(road, sourcePath, outputPath, macroName, resolution, unit, positionX, positionY, width,
                      height, orientation, imageType, sourcePathSize, extraText, extraTextSize, instance);
}
