// The working state of the TrueType conversion, shared by MakeTTFResource and its step exports.
// It lives in one place and is reset at the start of every conversion, so nothing of an earlier
// font, symbol set or failed call carries over.
#pragma once

#include "TrueTypeFont.h"
#include "TrueTypeSymbolSets.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vintrel {

inline constexpr std::size_t kGlyphIndexCount = 0x10000;

// One glyph record of the glyph data, in file order.
struct GlyphRecord {
    std::uint16_t code;  // the printer code; unused for a component-only record
    std::uint16_t glyph; // the glyph index written into the record
    GlyphLocation outline;
    bool componentOnly;
};

// The values of the font header that come from the font.
struct HeaderValues {
    std::uint16_t spaceWidth = 0; // advance width of the glyph of code 32
    std::uint16_t height = 0;     // unitsPerEm * yMax / (yMax - yMin)
    std::uint16_t styleFlags = 0; // italic bit and condensed flag
    std::uint16_t styleWord = 0;  // the weight in the high byte
    std::uint16_t unitsPerEm = 0;
};

struct TrueTypeState {
    // The call.
    std::string typefaceName; // at most 32 characters; empty when none was given
    std::uint16_t fontNumber = 0;
    std::uint16_t typefaceNumber = 0;
    std::uint32_t itemIndex = 0;
    CodeList codes;
    bool codesReady = false;

    // What has been read.
    TrueTypeFont font;
    bool fontLoaded = false;
    HeaderValues header;
    bool headerReady = false;
    std::vector<unsigned char> segment; // the table directory block with the kept tables
    bool segmentReady = false;
    std::vector<GlyphRecord> records;
    std::vector<std::uint16_t> components; // glyphs referred to by composites, each once
    std::vector<bool> listedComponents;    // by glyph index: already in `components`
    bool charDataReady = false;
    std::uint8_t checksum = 0; // running sum of the bytes copied by fprintf_ASCII

    // What is written.
    std::vector<unsigned char> headerResource;
    std::vector<unsigned char> dataResource;
    std::vector<unsigned char> indexResource;
};

TrueTypeState& trueTypeState();
void resetTrueTypeState();

// The low byte of the sum of `count` bytes, added to `sum`.
std::uint8_t addToChecksum(std::uint8_t sum, const unsigned char* bytes, std::size_t count);

} // namespace vintrel
