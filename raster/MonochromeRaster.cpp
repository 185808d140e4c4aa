#include "MonochromeRaster.h"

#include "MacroText.h"

namespace pelmora {

void appendMonochromeRow(const unsigned char* row, std::size_t rowBytes, std::uint32_t width,
                         std::string& out)
{
    const std::size_t pixelBytes = (std::size_t{width} + 7) / 8;
    const unsigned bitsBeyondWidth = static_cast<unsigned>(pixelBytes * 8 - width);
    const auto pixelByte = [&](std::size_t i) -> unsigned {
        if (i >= pixelBytes)
            return row[i]; // the row's filler byte goes out as it is
        unsigned value = ~row[i] & 0xFFu;
        if (i == pixelBytes - 1)
            value &= (0xFFu << bitsBeyondWidth) & 0xFFu;
        return value;
    };

    out += macro::decimal(pixelBytes);
    out += ';';
    for (std::size_t i = 0; i + 1 < rowBytes; i += 2) {
        const unsigned b0 = pixelByte(i);
        const unsigned b1 = pixelByte(i + 1);
        if (b0 == 0 && b1 == 0) {
            out += '0';
            continue;
        }
        out += static_cast<char>((b0 >> 2) + 0x40);
        out += static_cast<char>((((b0 & 3) << 4) | (b1 >> 4)) + 0x40);
        out += static_cast<char>((b1 & 0x0F) + 0x30);
    }
    out += ";\r\n";
}

} // namespace pelmora
