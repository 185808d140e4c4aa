// The glyph resource ("BBM%05d.RSC") of a PCL or LDFC font, made from the code table and the
// glyph data of a resource pass (OutputPCLBMResource, OutputPCLEOResource).
#pragma once

#include "FontDiagnostics.h"

#include <cstddef>
#include <vector>

namespace vintrel {

struct FontState;

enum class GlyphResourceKind {
    Bitmap,   // a glyph record per code: size, offsets, escapement and raster words
    Scalable, // the character data of each code as downloaded
};

// Every glyph of a resource starts on a multiple of this, so an EO character's data is padded to it.
inline constexpr std::size_t kGlyphAlignment = 4;

// The writer that reports for `kind`, and its line for a resource that cannot be written.
FontFunction glyphResourceWriter(GlyphResourceKind kind);
inline constexpr unsigned kGlyphResourceNotWritten = 0x06;

// Builds the resource, big-endian: the size, the kind word, the resource id of the request's font
// number, N + 1 for the highest code N present, an offset table for codes 0 to N and the glyphs
// in code order. False, with the writer's line, when no code is present or a glyph's data does
// not fit the glyph data.
bool buildGlyphResource(FontState& state, GlyphResourceKind kind, std::vector<unsigned char>& resource);

} // namespace vintrel
