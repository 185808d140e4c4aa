#include "FontGlyphResource.h"

#include "ByteOrder.h"
#include "FontHeader.h"
#include "FontState.h"
#include "PclBitmapRaster.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace vintrel {
namespace {

constexpr std::size_t kHeadSize = 16;
constexpr std::size_t kEntrySize = 4;
constexpr std::size_t kGlyphHeadSize = 16;
constexpr std::uint16_t kBitmapWord = 0x8000;
constexpr std::uint16_t kScalableWord = 0x800E;
constexpr std::int64_t kEscapementUnit = 2048;

// Writer lines for glyph data that does not fit; the two writers number them differently.
constexpr unsigned kBitmapDataShort = 0x03;
constexpr unsigned kScalableDataShort = 0x02;
constexpr unsigned kScalableDataMisaligned = 0x03;

bool vertical(int orientation)
{
    return orientation == 1 || orientation == 3;
}

// The bytes a code's glyph takes in the resource; 0 when its data is not what the kind needs.
std::size_t glyphSize(const CodeRecord& r, GlyphResourceKind kind)
{
    if (kind == GlyphResourceKind::Scalable)
        return r.dataSize;
    const std::size_t words = r.dataSize / 2;
    return kGlyphHeadSize + r.dataSize + (words % 2 ? 2 : 0);
}

void putBitmapGlyph(unsigned char* p, const CodeRecord& r, const unsigned char* raster)
{
    using qrl::bytes::putU16BE;
    using qrl::bytes::putU32BE;
    putU16BE(p, static_cast<std::uint16_t>(r.width));
    putU16BE(p + 2, static_cast<std::uint16_t>(r.height));
    putU16BE(p + 4, static_cast<std::uint16_t>(r.left));
    putU16BE(p + 6, static_cast<std::uint16_t>(-r.top));
    const auto escapement = static_cast<std::uint32_t>(r.escapement8 * kEscapementUnit);
    const auto against = static_cast<std::uint32_t>(-r.escapement8 * kEscapementUnit);
    putU32BE(p + 8, vertical(r.orientation) ? 0 : escapement);
    putU32BE(p + 12, vertical(r.orientation) ? against : 0);
    std::copy_n(raster, r.dataSize, p + kGlyphHeadSize);
}

} // namespace

FontFunction glyphResourceWriter(GlyphResourceKind kind)
{
    return kind == GlyphResourceKind::Bitmap ? FontFunction::OutputPCLBMResource
                                             : FontFunction::OutputPCLEOResource;
}

bool buildGlyphResource(FontState& state, GlyphResourceKind kind, std::vector<unsigned char>& resource)
{
    const bool bitmap = kind == GlyphResourceKind::Bitmap;
    const FontFunction fn = glyphResourceWriter(kind);
    const auto highest = state.codes.highestPresent();
    if (!highest)
        return reportFailure(state, fn, 0);
    const std::size_t entries = *highest + 1;
    const std::size_t glyphs = kHeadSize + kEntrySize * entries;

    std::uint64_t total = glyphs;
    for (std::size_t code = 0; code < entries; ++code) {
        const CodeRecord& r = state.codes[code];
        if (!r.present)
            continue;
        const std::size_t available = state.glyphData.size();
        if (r.dataOffset > available || r.dataSize > available - r.dataOffset)
            return reportFailure(state, fn, bitmap ? kBitmapDataShort : kScalableDataShort);
        if (bitmap && r.dataSize != 2 * std::uint64_t{r.height} * wordsPerRow(r.width))
            return reportFailure(state, fn, kBitmapDataShort);
        if (!bitmap && r.dataSize % kGlyphAlignment != 0)
            return reportFailure(state, fn, kScalableDataMisaligned);
        total += glyphSize(r, kind);
    }
    if (total > std::numeric_limits<std::uint32_t>::max())
        return reportFailure(state, fn, kGlyphResourceNotWritten);

    resource.assign(static_cast<std::size_t>(total), 0);
    unsigned char* p = resource.data();
    qrl::bytes::putU32BE(p, static_cast<std::uint32_t>(total));
    qrl::bytes::putU16BE(p + 4, bitmap ? kBitmapWord : kScalableWord);
    putFontResourceId(p + 8, state.request.fontNumber);
    qrl::bytes::putU16BE(p + 12, static_cast<std::uint16_t>(entries));
    std::size_t at = glyphs;
    for (std::size_t code = 0; code < entries; ++code) {
        const CodeRecord& r = state.codes[code];
        if (!r.present)
            continue;
        const std::size_t entry = kHeadSize + kEntrySize * code;
        qrl::bytes::putU32BE(p + entry, static_cast<std::uint32_t>(at - entry));
        const unsigned char* data = r.dataSize > 0 ? state.glyphData.data() + r.dataOffset : nullptr;
        if (bitmap)
            putBitmapGlyph(p + at, r, data);
        else
            std::copy_n(data, r.dataSize, p + at);
        at += glyphSize(r, kind);
    }
    return true;
}

} // namespace vintrel
