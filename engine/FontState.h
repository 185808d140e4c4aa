// The working state of the font converters: what the export was asked for, the mode of the pass
// that runs, the code table, the glyph data, the description being written and the diagnostic
// line buffer. The library holds one instance; every font export resets it before it starts, so
// nothing of an earlier font, or of an earlier call that failed half-way, carries over.
#pragma once

#include "FontCodeTable.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vintrel {

// What a reader does in a pass: collect the codes present, write the font description, or build
// the glyph resource.
enum class FontMode : char { Collect = 'C', Describe = 'S', Resource = 'R' };

struct FontRequest {
    std::string name;
    std::uint32_t fontNumber = 0;
    std::uint32_t typefaceNumber = 0;
};

// A PCL font descriptor, as far as the converters read it: 64 bytes, more for the formats that
// extend it.
inline constexpr std::size_t kPclDescriptorMax = 80;

// A PCL character whose download may continue in further blocks; it enters the code table when
// the next command shows that it is complete.
struct PendingCharacter {
    bool active = false;
    int code = 0;
    unsigned rasterClass = 0; // bitmap characters: 1 uncompressed, 2 compressed
    int orientation = 0;
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::int64_t escapement = 0;
    std::vector<unsigned char> data; // bitmap: the raster bytes; EO: the download bytes
};

// The font descriptor of an LDFC font, set by its "SFA" commands.
struct LdfcFontValues {
    float pitch = 30.0f;
    float height = 50.0f;
    char spacing = 'F';
    std::int32_t orientation = 0;
    std::int32_t symbolSet = 21;
    float thirdLength = 0.0f;
    char style = 'U';
    std::int32_t strokeWeight = 0;
    std::int32_t further = 0;
    std::int32_t fontType = 0;
};

struct FontState {
    FontRequest request;
    FontMode mode = FontMode::Collect;
    FontCodeTable codes;
    CodeRange collectedCodes;             // the codes the collecting pass saw
    std::vector<unsigned char> glyphData; // the raster or character data of every glyph read
    std::string description;              // the description text written so far

    std::array<unsigned char, kPclDescriptorMax> descriptor{};
    std::int64_t fontId = 0; // the last font id a PCL font selected
    int currentCode = -1;    // the PCL code selected for the next download, -1 none
    PendingCharacter pending;

    LdfcFontValues ldfc;
    float unitScale = 300.0f;                    // dots per unit of the SFA lengths
    std::optional<std::uint32_t> ldfcFontNumber; // fixed by the first LDFC character

    char diagnostic[256] = {};
};

// The library's one instance.
FontState& fontState();
// The instance, cleared for a new export.
FontState& resetFontState();
// Clears what one pass of a reader builds up, keeping the request and what earlier passes found.
void beginPass(FontState& state, FontMode mode, std::size_t codeCount);

} // namespace vintrel
