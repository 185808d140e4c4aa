// Small fonts built in code for the font converter tests, the expected files' byte builder, and a
// capture of the engine's debugger-output lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qrl::test {

// A big-endian byte string built field by field.
class Bytes {
public:
    Bytes& u8(unsigned value);
    Bytes& u16(unsigned value);
    Bytes& u32(std::uint32_t value);
    Bytes& text(std::string_view text);
    Bytes& zeros(std::size_t count);
    const std::string& str() const { return m_bytes; }
    operator const std::string&() const { return m_bytes; }

private:
    std::string m_bytes;
};

// The fields of a PCL font descriptor the converters read, with the values of the tests' fonts.
struct PclFontFields {
    unsigned format = 0;
    unsigned fontType = 1;
    unsigned styleHigh = 0;
    unsigned orientation = 0;
    unsigned spacing = 1;
    unsigned symbolSet = 277;
    unsigned pitch = 120;
    unsigned height = 200;
    unsigned styleLow = 4;
    int strokeWeight = -3;
    unsigned serifStyle = 8;
    int underlinePosition = -2;
    unsigned underlineThickness = 3;
    unsigned capHeight = 150;
    // Beyond the first 64 bytes: the scalable formats' extension, format 20's resolution.
    unsigned scaleFactor = 0; // also format 20's resolution x
    unsigned resolutionY = 0;
    int masterUnderlinePosition = 0;
    unsigned masterUnderlineHeight = 0;
    std::size_t size = 64; // bytes of the descriptor
};

std::string pclDescriptor(const PclFontFields& fields);

// PCL commands: "ESC" + escape + value + terminator, and the data commands with their data.
std::string pclEscape(std::string_view escape, long value, char terminator);
std::string pclFontHeader(const std::string& descriptor);
std::string pclCode(long code);
std::string pclDownload(const std::string& data);

// A bitmap character's first block: the 16-byte descriptor and the raster.
std::string pclBitmapCharacter(unsigned rasterClass, unsigned orientation, int left, int top, unsigned width,
                               unsigned height, int escapement, const std::string& raster);

// An LDFC raster, three characters per word: two of six bits each ("/" for all six set) and a
// closing one of four bits. A word whose low four bits are 0xB
// cannot be written (its closing character would end the raster).
std::string ldfcRaster(const std::vector<std::uint16_t>& words);

// The tests' fonts.
// A bitmap font: code 65 uncompressed, 10 x 3 dots, left -1, top 20, escapement 48; code 67
// compressed, 12 x 4 dots (rows 2-8-2 and 0-12, each twice), orientation 1, left 2, top 10,
// escapement 56. Code 65 is selected by a chained escape that also sets font id 5; a reset escape
// at the end counts for nothing.
std::string pclBitmapTestFont(const PclFontFields& fields = {});
// A scalable font of format 10 (font type 2, stroke weight 3, serif style 130, scale factor 8782,
// master underline -200 and 100): code 33 a format-10 character of 22 bytes, code 300 a format-11
// character of 25 bytes and a continuation block adding "LM".
PclFontFields pclScalableTestFields();
extern const std::string kScalableCharacter33;
extern const std::string kScalableCharacter300;
std::string pclScalableTestFont();
// An LDFC font in dots: pitch 30, height 50, proportional, orientation 3, symbol set 277, italic,
// stroke weight 2, font type 1; font 5000 code 65 (2 x 20 dots, top 64, left -32, escapements 240
// and 120, orientation 0 given, a resolution as tenth value; words FFFF F000 8001 0FF0) and code 66
// (1 x 8, escapements 160 and 80, the font's orientation; word 1234); a character of font 7777 and
// one of code 300, both passed over. Commands in lower case, with blanks and line breaks.
std::string ldfcTestFont();

// Lines of a description: PCL "\n" + key in 26 columns + value;
// LDFC key in 27 columns + value + "\n". Values are given as the text that is expected.
std::string pclDescriptionLine(std::string_view key, std::string_view value);
std::string ldfcDescriptionLine(std::string_view key, std::string_view value);

// The lines sent to the engine's debugger output while the object lives.
class DebugLines {
public:
    DebugLines();
    ~DebugLines();
    DebugLines(const DebugLines&) = delete;
    DebugLines& operator=(const DebugLines&) = delete;

    const std::vector<std::string>& lines() const { return m_lines; }
    void clear() { m_lines.clear(); }

private:
    static void collect(const char* line, void* user);
    std::vector<std::string> m_lines;
};

} // namespace qrl::test
