#include "MonochromeMacro.h"

#include "FileByteSource.h"
#include "MacroText.h"
#include "MonochromeBitmapReader.h"
#include "MonochromeRaster.h"
#include "RasterTextIds.h"
#include "WholeFile.h"

namespace pelmora {

namespace {

constexpr std::string_view kRasterBegin = ";RVRD;";

} // namespace

int createMonochromeMacro(const MacroRequest& request)
{
    FileByteSource source;
    if (!source.open(request.sourcePath))
        return 0;
    const auto bitmap = loadMonochromeBitmap(source);
    if (!bitmap || bitmap->bits.empty())
        return 0;

    qrl::WholeFileWriter file;
    if (!file.open(request.outputPath))
        return 0;
    // Unlike the colour macro's, this resolution follows "STR" without a blank.
    bool written = file.write(macro::bitmapHeader(request, "", kRasterBegin));
    std::string line;
    for (std::uint32_t y = 0; y < bitmap->height && written; ++y) {
        line.clear();
        appendMonochromeRow(bitmap->bits.data() + std::size_t{y} * bitmap->rowBytes, bitmap->rowBytes,
                            bitmap->width, line);
        written = file.write(line);
    }
    written = written && file.write(macro::kRasterEnd) && file.commit();
    if (!written) {
        request.messages.showFileMessage(qrl::ids::kErrorWritingFile, request.outputPath);
        return 0;
    }
    return 1;
}

} // namespace pelmora
