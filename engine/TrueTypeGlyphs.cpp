#include "TrueTypeGlyphs.h"

#include "vintrel.h"

#include "ExportGuard.h"
#include "TrueTypeResources.h"
#include "TrueTypeState.h"
#include "qrl_debugout.h"

#include <cstdio>
#include <vector>

namespace vintrel {
namespace {

constexpr std::uint16_t kCompositeContours = 0xFFFF;
constexpr std::uint32_t kGlyphHeaderSize = 10;
constexpr std::uint16_t kArgsAreWords = 0x0001;
constexpr std::uint16_t kHaveScale = 0x0008;
constexpr std::uint16_t kMoreComponents = 0x0020;
constexpr std::uint16_t kHaveXYScale = 0x0040;
constexpr std::uint16_t kHaveTwoByTwo = 0x0080;

bool isComposite(const TrueTypeFont& font, const GlyphLocation& outline)
{
    return outline.length >= kGlyphHeaderSize && font.value(outline.offset, 0, 2) == kCompositeContours;
}

bool appendRecord(TrueTypeState& s, GlyphRecord record)
{
    if (s.records.size() >= kGlyphRecordMax || record.outline.length > kOutlineMax)
        return false;
    s.records.push_back(record);
    return !isComposite(s.font, record.outline) || getCompositeData(record.glyph);
}

// A font without any character of the set would still make valid resources: a printer font that
// prints nothing, found only when a job comes out blank. The conversion is refused instead.
bool reportNoCharacters(std::uint16_t symbolSetValue)
{
    char line[96];
    std::snprintf(line, sizeof line,
                  "MakeTTFCharData(): the font maps none of the characters of symbol set %u\r\n",
                  static_cast<unsigned>(symbolSetValue));
    QrlOutputDebugString(line);
    return false;
}

} // namespace

bool getTTFCharData(std::uint16_t code, std::uint16_t unicode)
{
    TrueTypeState& s = trueTypeState();
    if (!s.headerReady)
        return false;
    const auto mapped = s.font.glyphOf(unicode);
    if (!mapped)
        return true;
    std::uint16_t glyph = *mapped;
    auto outline = s.font.locate(glyph);
    if (!outline || outline->length == 0) {
        glyph = 0;
        outline = s.font.locate(0);
    }
    return outline && appendRecord(s, {code, glyph, *outline, false});
}

bool getCompositeData(std::uint16_t glyph)
{
    TrueTypeState& s = trueTypeState();
    if (!s.headerReady)
        return false;
    const auto outline = s.font.locate(glyph);
    if (!outline || !isComposite(s.font, *outline))
        return false;
    if (s.listedComponents.size() != kGlyphIndexCount)
        s.listedComponents.assign(kGlyphIndexCount, false);
    const std::uint64_t end = outline->length;
    std::uint64_t at = kGlyphHeaderSize;
    std::uint16_t flags = kMoreComponents;
    while (flags & kMoreComponents) {
        if (at + 4 > end)
            return false;
        flags = static_cast<std::uint16_t>(*s.font.value(outline->offset, at, 2));
        const auto component = static_cast<std::uint16_t>(*s.font.value(outline->offset, at + 2, 2));
        at += 4 + ((flags & kArgsAreWords) ? 4 : 2);
        if (flags & kHaveScale)
            at += 2;
        else if (flags & kHaveXYScale)
            at += 4;
        else if (flags & kHaveTwoByTwo)
            at += 8;
        if (at > end)
            return false;
        if (component != 0 && !s.listedComponents[component]) {
            s.listedComponents[component] = true;
            s.components.push_back(component);
        }
    }
    return true;
}

bool makeTTFCharData()
{
    TrueTypeState& s = trueTypeState();
    if (!s.headerReady || !s.codesReady)
        return false;
    s.records.clear();
    s.components.clear();
    s.listedComponents.assign(kGlyphIndexCount, false);
    for (const CodeEntry& entry : s.codes.entries)
        if (!getTTFCharData(entry.code, entry.unicode))
            return false;
    if (s.records.empty())
        return reportNoCharacters(s.codes.symbolSetValue);
    std::vector<bool> mapped(kGlyphIndexCount, false);
    for (const GlyphRecord& record : s.records)
        mapped[record.glyph] = true;
    // The list grows while nested composites add their own components; each glyph is in it once,
    // so the walk ends after at most one pass over the font's glyphs.
    for (std::size_t i = 0; i < s.components.size(); ++i) {
        const std::uint16_t glyph = s.components[i];
        const auto outline = s.font.locate(glyph);
        // A glyph with a mapped record is found there; one the font cannot place has no outline.
        if (mapped[glyph] || !outline)
            continue;
        if (!appendRecord(s, {0, glyph, *outline, true}))
            return false;
    }
    s.charDataReady = true;
    return true;
}

} // namespace vintrel

extern "C" {

VINTREL_API int MakeTTFCharData(void)
{
    return vintrel::guardedExport([] { return vintrel::makeTTFCharData(); });
}

VINTREL_API int GetTTFCharData(uint32_t code, uint32_t unicode)
{
    return vintrel::guardedExport([&] {
        return code <= 0xFFFF && unicode <= 0xFFFF &&
               vintrel::getTTFCharData(static_cast<std::uint16_t>(code), static_cast<std::uint16_t>(unicode));
    });
}

VINTREL_API int GetCompositeData(uint32_t glyph)
{
    return vintrel::guardedExport(
        [&] { return glyph <= 0xFFFF && vintrel::getCompositeData(static_cast<std::uint16_t>(glyph)); });
}

} // extern "C"
