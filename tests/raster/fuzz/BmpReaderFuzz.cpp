// Fuzz harness for both BMP readers: any input is read as the monochrome road and the colour road
// read it, and whatever they accept is converted and encoded as it would be for a macro. Built
// with clang's -fsanitize=fuzzer this file alone is a fuzzer; ReplayMain.cpp replays a corpus.
#include "ColorBitmapReader.h"
#include "MemoryByteSource.h"
#include "MonochromeBitmapReader.h"
#include "MonochromeRaster.h"

#include <cstddef>
#include <cstdint>
#include <new>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const pelmora::MemoryByteSource source(data, size);
    try {
        if (const auto bitmap = pelmora::loadMonochromeBitmap(source)) {
            std::string line;
            for (std::uint32_t y = 0; y < bitmap->height; ++y) {
                line.clear();
                pelmora::appendMonochromeRow(bitmap->bits.data() + std::size_t{y} * bitmap->rowBytes,
                                             bitmap->rowBytes, bitmap->width, line);
            }
        }
        const pelmora::ColorBitmapResult colour = pelmora::readBitmapFile(source);
        if (colour.error == pelmora::kNoMessage &&
            (colour.bitmap.paletteEntries == 16 || colour.bitmap.paletteEntries == 256))
            (void)pelmora::toRgbRows(colour.bitmap);
    } catch (const std::bad_alloc&) {
        // An image the file really holds may still be too large for this process.
    }
    return 0;
}
