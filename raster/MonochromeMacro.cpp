#include "MonochromeMacro.h"

#include "FileByteSource.h"
#include "MacroFile.h"
#include "MacroText.h"
#include "MonochromeBitmapReader.h"
#include "MonochromeRaster.h"

namespace pelmora {

namespace {

constexpr std::string_view kRasterBegin = ";RVRD;";

std::string header(const MacroRequest& request)
{
    std::string text(macro::kBegin);
    text += request.macroName;
    text += macro::orientation(request);
    text += macro::kResetGraphics;
    text += macro::resolution(request, "");
    text += macro::unit(request);
    text += macro::position(request);
    text += kRasterBegin;
    return text;
}

} // namespace

int createMonochromeMacro(const MacroRequest& request)
{
    FileByteSource source;
    if (!source.open(request.sourcePath))
        return 0;
    const auto bitmap = loadMonochromeBitmap(source);
    if (!bitmap || bitmap->bits.empty())
        return 0;

    MacroFile file;
    if (!file.create(request.outputPath))
        return 0;
    bool written = file.write(header(request));
    std::string line;
    for (std::uint32_t y = 0; y < bitmap->height && written; ++y) {
        line.clear();
        appendMonochromeRow(bitmap->bits.data() + std::size_t{y} * bitmap->rowBytes, bitmap->rowBytes,
                            bitmap->width, line);
        written = file.write(line);
    }
    written = written && file.write(macro::kRasterEnd) && file.commit();
    if (!written) {
        request.messages.showFileMessage(MessageId::WriteFailed, request.outputPath);
        return 0;
    }
    return 1;
}

} // namespace pelmora
