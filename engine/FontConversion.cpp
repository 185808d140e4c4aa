#include "FontConversion.h"

#include "FontClassifier.h"
#include "FontDiagnostics.h"
#include "FontGlyphResource.h"
#include "FontState.h"
#include "LdfcFontReader.h"
#include "PclFontReader.h"

#include <optional>
#include <vector>

namespace vintrel {
namespace {

using Reader = bool (*)(FontState&, std::span<const unsigned char>, FontMode);

bool readPclBitmap(FontState& state, std::span<const unsigned char> font, FontMode mode)
{
    return readPclFont(state, font, PclFontKind::Bitmap, mode);
}

bool readPclScalable(FontState& state, std::span<const unsigned char> font, FontMode mode)
{
    return readPclFont(state, font, PclFontKind::Scalable, mode);
}

enum FontKind { kPclBitmap, kPclScalable, kLdfc };

std::optional<FontKind> kindOf(FontClass fontClass)
{
    switch (fontClass) {
    case FontClass::PclBitmap:
    case FontClass::PclResolutionBitmap:
        return kPclBitmap;
    case FontClass::PclScalable:
    case FontClass::PclScalableUnbound:
        return kPclScalable;
    case FontClass::Ldfc:
        return kLdfc;
    default:
        return std::nullopt;
    }
}

struct DescriptionConverter {
    FontFunction name;
    Reader read;
    unsigned failureOfExport; // MakeSFA's line when this converter fails
};

// Lines of a description converter.
constexpr unsigned kNotCreated = 0x00;
constexpr unsigned kCollectingFailed = 0x01;
constexpr unsigned kDescribingFailed = 0x02;

constexpr DescriptionConverter kDescriptionConverters[] = {
    {FontFunction::PCLBM2SFA, readPclBitmap, 0x03},
    {FontFunction::PCLEO2SFA, readPclScalable, 0x02},
    {FontFunction::LDFC2SFA, readLdfcFont, 0x01},
};

struct ResourceConverter {
    FontFunction name;
    Reader read;
    GlyphResourceKind writer;
    unsigned readingFailed;
    unsigned writingFailed;
    unsigned failureOfExport; // CreateFontResource's line when this converter fails
};

constexpr ResourceConverter kResourceConverters[] = {
    {FontFunction::PCLBM2RSC, readPclBitmap, GlyphResourceKind::Bitmap, 0x02, 0x04, 0x02},
    {FontFunction::PCLEO2RSC, readPclScalable, GlyphResourceKind::Scalable, 0x01, 0x03, 0x03},
    {FontFunction::LDFC2RSC, readLdfcFont, GlyphResourceKind::Bitmap, 0x01, 0x03, 0x01},
};

// The line of the failing converter, then the export's.
bool converterFailed(FontState& state, FontFunction converter, unsigned code, FontFunction exportName,
                     unsigned exportCode)
{
    reportFailure(state, converter, code);
    return reportFailure(state, exportName, exportCode);
}

} // namespace

bool describeFont(FontState& state, std::span<const unsigned char> font, FontOutput& output)
{
    constexpr FontFunction exportName = FontFunction::MakeSFA;
    const FontClass fontClass = classifyFont(font);
    if (fontClass == FontClass::PclFormat15)
        return false;
    const auto kind = kindOf(fontClass);
    if (!kind)
        return reportFailure(state, exportName, 0);
    const DescriptionConverter& c = kDescriptionConverters[*kind];
    const auto failed = [&](unsigned code) {
        return converterFailed(state, c.name, code, exportName, c.failureOfExport);
    };
    if (!output.open())
        return failed(kNotCreated);
    if (!c.read(state, font, FontMode::Collect))
        return failed(kCollectingFailed);
    state.collectedCodes = state.codes.seen();
    state.description.clear();
    // A font that is read to its end without a descriptor would leave an empty description behind
    // as if it had been converted.
    if (!c.read(state, font, FontMode::Describe) || state.description.empty())
        return failed(kDescribingFailed);
    const auto* text = reinterpret_cast<const unsigned char*>(state.description.data());
    if (!output.write({text, state.description.size()}))
        return failed(kNotCreated);
    return true;
}

bool buildFontResource(FontState& state, std::span<const unsigned char> font, FontOutput& output)
{
    constexpr FontFunction exportName = FontFunction::CreateFontResource;
    // A font of format 15 or another unknown format has no glyph resource; answering success
    // would let a build go on without one.
    const auto kind = kindOf(classifyFont(font));
    if (!kind)
        return reportFailure(state, exportName, 0);
    const ResourceConverter& c = kResourceConverters[*kind];
    if (!c.read(state, font, FontMode::Resource))
        return converterFailed(state, c.name, c.readingFailed, exportName, c.failureOfExport);
    std::vector<unsigned char> resource;
    if (!buildGlyphResource(state, c.writer, resource))
        return converterFailed(state, c.name, c.writingFailed, exportName, c.failureOfExport);
    if (!output.open() || !output.write(resource)) {
        reportFailure(state, glyphResourceWriter(c.writer), kGlyphResourceNotWritten);
        return converterFailed(state, c.name, c.writingFailed, exportName, c.failureOfExport);
    }
    return true;
}

} // namespace vintrel
