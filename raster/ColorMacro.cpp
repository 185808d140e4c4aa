#include "ColorMacro.h"

#include "ColorBitmapReader.h"
#include "FileByteSource.h"
#include "MacroText.h"
#include "RasterTextIds.h"
#include "WholeFile.h"

#include <new>

namespace pelmora {

namespace {

constexpr std::string_view kColorRasterBegin = ";cid 0,3,8,8,8,8;cpal C,2;spal 2;cid 0,3,8,8,8,8;RVCL 0;";

bool writeRows(qrl::WholeFileWriter& file, const std::vector<unsigned char>& rgb, std::size_t rowSize)
{
    const std::string prefix = macro::decimal(rowSize) + ",";
    for (std::size_t at = 0; at < rgb.size(); at += rowSize) {
        if (!file.write(prefix) || !file.write(rgb.data() + at, rowSize) || !file.write(";"))
            return false;
    }
    return true;
}

} // namespace

int createColorBitmapMacro(const MacroRequest& request)
{
    const HostMessages& messages = request.messages;
    FileByteSource source;
    if (!source.open(request.sourcePath)) {
        messages.showFileMessage(qrl::ids::kFileCannotBeOpened, request.sourcePath);
        return 0;
    }
    const ColorBitmapResult read = readBitmapFile(source);
    if (read.error != kNoMessage) {
        messages.showFileMessage(read.error, request.sourcePath);
        return 0;
    }
    const ColorBitmap& bitmap = read.bitmap;
    if (bitmap.paletteEntries != 16 && bitmap.paletteEntries != 256) {
        messages.showFileMessage(qrl::ids::kNotColorBmp, request.sourcePath);
        return 0;
    }

    std::vector<unsigned char> rgb;
    try {
        rgb = toRgbRows(bitmap);
    } catch (const std::bad_alloc&) {
        messages.showAlone(qrl::ids::kErrorAllocatingMemory, request.outputPath);
        return 0;
    }

    qrl::WholeFileWriter file;
    if (!file.open(request.outputPath)) {
        messages.showAlone(qrl::ids::kErrorCreatingFile, request.outputPath);
        return 0;
    }
    const std::size_t rowSize = std::size_t{3} * static_cast<std::uint32_t>(bitmap.info.width);
    const bool written = file.write(macro::bitmapHeader(request, " ", kColorRasterBegin)) &&
                         writeRows(file, rgb, rowSize) && file.write(macro::kRasterEnd) && file.commit();
    if (!written) {
        messages.showFileMessage(qrl::ids::kErrorWritingFile, request.outputPath);
        return 0;
    }
    return 1;
}

} // namespace pelmora
