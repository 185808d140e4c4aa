#include "FontFixtures.h"

#include "qrl_debugout.h"

#include <stdexcept>

namespace qrl::test {

Bytes& Bytes::u8(unsigned value)
{
    m_bytes += static_cast<char>(value & 0xFF);
    return *this;
}

Bytes& Bytes::u16(unsigned value)
{
    return u8(value >> 8).u8(value);
}

Bytes& Bytes::u32(std::uint32_t value)
{
    return u16(value >> 16).u16(value & 0xFFFF);
}

Bytes& Bytes::text(std::string_view text)
{
    m_bytes += text;
    return *this;
}

Bytes& Bytes::zeros(std::size_t count)
{
    m_bytes.append(count, '\0');
    return *this;
}

std::string pclDescriptor(const PclFontFields& f)
{
    Bytes d;
    d.u16(f.size).u8(f.format).u8(f.fontType).u8(f.styleHigh).zeros(7);                            // 0 to 11
    d.u8(f.orientation).u8(f.spacing).u16(f.symbolSet).u16(f.pitch).u16(f.height);                 // 12 to 19
    d.zeros(3).u8(f.styleLow).u8(static_cast<unsigned>(f.strokeWeight)).zeros(2).u8(f.serifStyle); // 20 to 27
    d.zeros(2).u8(static_cast<unsigned>(f.underlinePosition)).u8(f.underlineThickness);            // 28 to 31
    d.zeros(10).u16(f.capHeight).zeros(20);                                                        // 32 to 63
    d.u16(f.scaleFactor).u16(f.resolutionY).zeros(2).u16(static_cast<unsigned>(f.masterUnderlinePosition));
    d.u16(f.masterUnderlineHeight).zeros(6); // 64 to 79
    std::string bytes = d.str();
    bytes.resize(f.size, '\0');
    return bytes;
}

std::string pclEscape(std::string_view escape, long value, char terminator)
{
    return "\x1B" + std::string(escape) + std::to_string(value) + terminator;
}

std::string pclFontHeader(const std::string& descriptor)
{
    return pclEscape(")s", static_cast<long>(descriptor.size()), 'W') + descriptor;
}

std::string pclCode(long code)
{
    return pclEscape("*c", code, 'E');
}

std::string pclDownload(const std::string& data)
{
    return pclEscape("(s", static_cast<long>(data.size()), 'W') + data;
}

std::string pclBitmapCharacter(unsigned rasterClass, unsigned orientation, int left, int top, unsigned width,
                               unsigned height, int escapement, const std::string& raster)
{
    Bytes c;
    c.u8(4).u8(0).u8(14).u8(rasterClass).u8(orientation).u8(0);
    c.u16(static_cast<unsigned>(left)).u16(static_cast<unsigned>(top)).u16(width).u16(height);
    c.u16(static_cast<unsigned>(escapement)).text(raster);
    return c.str();
}

std::string ldfcRaster(const std::vector<std::uint16_t>& words)
{
    const auto six = [](unsigned bits) { return bits == 0x3F ? '/' : static_cast<char>(0x40 | bits); };
    std::string text;
    for (const std::uint16_t word : words) {
        if ((word & 0x0F) == 0x0B)
            throw std::invalid_argument("an LDFC raster word cannot end in 0xB");
        text += six(word >> 10);
        text += six((word >> 4) & 0x3F);
        text += static_cast<char>(0x30 | (word & 0x0F));
    }
    return text;
}

std::string pclBitmapTestFont(const PclFontFields& fields)
{
    const std::string uncompressed("\xFF\xC0\x80\x40\xFF\xC0", 6);
    const std::string compressed("\x01\x02\x08\x02\x01\x00\x0C", 7);
    return pclEscape("*c", 5, 'D') + pclFontHeader(pclDescriptor(fields)) + "\x1B*c5d65E" +
           pclDownload(pclBitmapCharacter(1, 0, -1, 20, 10, 3, 48, uncompressed)) + pclCode(67) +
           pclDownload(pclBitmapCharacter(2, 1, 2, 10, 12, 4, 56, compressed)) +
           "\x1B"
           "E";
}

PclFontFields pclScalableTestFields()
{
    PclFontFields f;
    f.format = 10;
    f.fontType = 2;
    f.strokeWeight = 3;
    f.serifStyle = 130;
    f.scaleFactor = 8782;
    f.masterUnderlinePosition = -200;
    f.masterUnderlineHeight = 100;
    f.size = 80;
    return f;
}

const std::string kScalableCharacter33 = Bytes().u8(10).u8(0).u8(2).u8(3).zeros(12).text("ABCDEF");
const std::string kScalableCharacter300 = Bytes().u8(11).u8(0).u8(2).u8(3).zeros(16).text("GHIJK");

std::string pclScalableTestFont()
{
    return pclFontHeader(pclDescriptor(pclScalableTestFields())) + pclCode(33) +
           pclDownload(kScalableCharacter33) + pclCode(300) + pclDownload(kScalableCharacter300) +
           pclDownload(std::string("\x0B\x01LM", 4));
}

std::string ldfcTestFont()
{
    return "Font made by hand\r\n!R! unit d;\r\n"
           "sfa 30, 50, p, 3, 277, 0, i, 2, 0, 1;\r\n"
           "LDFC 5000, 65, 2, 20, 64, -32, 240, 120, 0, 300;\r\n//?" +
           ldfcRaster({0xF000, 0x8001, 0x0FF0}) + ";\r\n" + "ldfc 5000, 66, 1, 8, 0, 0, 160, 80;" +
           ldfcRaster({0x1234}) + ";\r\n" + "LDFC 7777, 67, 1, 8, 0, 0, 160, 80;" + ldfcRaster({0xFFF0}) +
           ";\r\n" + "LDFC 5000, 300, 1, 8, 0, 0, 160, 80;" + ldfcRaster({0xFFF0}) + ";\r\nEXIT;\r\n";
}

std::string pclDescriptionLine(std::string_view key, std::string_view value)
{
    std::string line = "\n" + std::string(key);
    line.resize(1 + 26, ' ');
    return line + std::string(value);
}

std::string ldfcDescriptionLine(std::string_view key, std::string_view value)
{
    std::string line(key);
    line.resize(27, ' ');
    return line + std::string(value) + "\n";
}

DebugLines::DebugLines()
{
    QrlSetDebugOutputSink(&DebugLines::collect, this);
}

DebugLines::~DebugLines()
{
    QrlSetDebugOutputSink(nullptr, nullptr);
}

void DebugLines::collect(const char* line, void* user)
{
    static_cast<DebugLines*>(user)->m_lines.emplace_back(line);
}

} // namespace qrl::test
