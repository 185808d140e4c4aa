// MakeTTFResource and the steps of the TrueType conversion. The font is read once, whole; the
// three resources are built in memory and written only when every step has succeeded, so a
// failed conversion leaves none of them behind.
#include "vintrel.h"

#include "ContextAccess.h"
#include "ExportGuard.h"
#include "OutputFile.h"
#include "ResourceFiles.h"
#include "ScratchFile.h"
#include "TrueTypeGlyphs.h"
#include "TrueTypeResources.h"
#include "TrueTypeState.h"

#include <string>

namespace vintrel {
namespace {

constexpr FileStem kHeaderFile{"TTH", ".HDR"};
constexpr FileStem kDataFile{"TTD", ".RSC"};
constexpr FileStem kIndexFile{"TTI", ".RSC"};
constexpr std::size_t kTypefaceNameMax = 32;

constexpr std::uint64_t kHeadUnitsPerEm = 18;
constexpr std::uint64_t kHeadYMin = 38;
constexpr std::uint64_t kHeadYMax = 42;
constexpr std::uint64_t kOs2Weight = 4;
constexpr std::uint64_t kOs2Width = 6;
constexpr std::uint64_t kOs2Selection = 62;
constexpr std::uint16_t kSpaceCode = 32;

std::uint16_t weightByte(std::uint32_t weightClass)
{
    switch (weightClass) {
    case 100:
        return 0xFB;
    case 200:
        return 0xFC;
    case 300:
        return 0xFD;
    case 600:
        return 2;
    case 700:
        return 3;
    case 800:
        return 4;
    case 900:
        return 5;
    default:
        return 0;
    }
}

void removeOutputs(std::uint32_t itemIndex)
{
    for (FileStem stem : {kHeaderFile, kDataFile, kIndexFile})
        removeFile(indexedName(stem, itemIndex));
}

bool writeWhole(const std::string& path, const std::vector<unsigned char>& bytes)
{
    OutputFile out;
    return out.create(path) && out.write(bytes.data(), bytes.size()) && out.commit();
}

} // namespace

bool makeTTFHeader()
{
    TrueTypeState& s = trueTypeState();
    const TrueTypeFont& font = s.font;
    if (!s.fontLoaded || !s.codesReady || !s.font.prepareGlyphLookup())
        return false;
    const TableEntry* head = font.table("head");
    const TableEntry* os2 = font.table("OS/2");
    if (!head || head->length < kHeadYMax + 2 || !os2 || os2->length < kOs2Selection + 2)
        return false;
    const std::uint32_t unitsPerEm = *font.value(head->offset, kHeadUnitsPerEm, 2);
    const auto yMin = static_cast<std::int16_t>(*font.value(head->offset, kHeadYMin, 2));
    const auto yMax = static_cast<std::int16_t>(*font.value(head->offset, kHeadYMax, 2));
    // A box without height (or upside down) would divide by zero or give no sensible height.
    if (yMax <= 0 || yMax <= yMin)
        return false;
    const std::uint32_t span = static_cast<std::uint32_t>(yMax - yMin);
    s.header.height = static_cast<std::uint16_t>(unitsPerEm * static_cast<std::uint32_t>(yMax) / span);
    s.header.unitsPerEm = static_cast<std::uint16_t>(unitsPerEm);

    const std::uint32_t width = *font.value(os2->offset, kOs2Width, 2);
    const std::uint32_t selection = *font.value(os2->offset, kOs2Selection, 2);
    s.header.styleFlags = static_cast<std::uint16_t>((selection & 1) + (width == 3 || width == 4 ? 4 : 0));
    s.header.styleWord = static_cast<std::uint16_t>(weightByte(*font.value(os2->offset, kOs2Weight, 2)) << 8);

    const std::uint16_t spaceGlyph = font.glyphOf(kSpaceCode).value_or(0);
    const auto advance = font.advanceWidth(spaceGlyph);
    if (!advance)
        return false;
    s.header.spaceWidth = *advance;
    s.headerReady = true;
    return true;
}

bool makeTTFSegment()
{
    TrueTypeState& s = trueTypeState();
    if (!s.fontLoaded)
        return false;
    s.segment = buildTableSegment(s.font);
    s.segmentReady = !s.segment.empty();
    return s.segmentReady;
}

bool readTTFont()
{
    return makeTTFHeader() && makeTTFSegment() && makeTTFCharData();
}

bool makeHDResource()
{
    TrueTypeState& s = trueTypeState();
    if (!s.headerReady)
        return false;
    s.headerResource = buildHeaderResource(s);
    return true;
}

bool makeDAResource()
{
    TrueTypeState& s = trueTypeState();
    if (!s.segmentReady || !s.charDataReady)
        return false;
    s.dataResource = buildDataResource(s);
    return !s.dataResource.empty();
}

bool makeIDResource()
{
    TrueTypeState& s = trueTypeState();
    if (!s.charDataReady)
        return false;
    s.indexResource = buildIndexResource(s);
    return true;
}

bool makeICResource()
{
    TrueTypeState& s = trueTypeState();
    if (!makeHDResource() || !makeDAResource() || !makeIDResource())
        return false;
    const bool written = writeWhole(indexedName(kHeaderFile, s.itemIndex), s.headerResource) &&
                         writeWhole(indexedName(kDataFile, s.itemIndex), s.dataResource) &&
                         writeWhole(indexedName(kIndexFile, s.itemIndex), s.indexResource);
    if (!written)
        removeOutputs(s.itemIndex);
    return written;
}

bool convertTTF()
{
    return readTTFont() && makeICResource();
}

bool makeTTFResource(const char* fontPath, const char* typefaceName, std::uint32_t itemIndex,
                     std::uint32_t fontNumber, std::uint32_t typefaceNumber, std::uint32_t symbolSetIndex)
{
    resetTrueTypeState();
    TrueTypeState& s = trueTypeState();
    s.typefaceName = boundedText(typefaceName, kTypefaceNameMax);
    s.fontNumber = static_cast<std::uint16_t>(fontNumber);
    s.typefaceNumber = static_cast<std::uint16_t>(typefaceNumber);
    s.itemIndex = itemIndex;
    // Files of this index from an earlier build must never pass for this conversion's output.
    removeOutputs(itemIndex);

    auto codes = buildCodeList(symbolSetIndex);
    if (!fontPath || !codes || !s.font.load(fontPath))
        return false;
    s.fontLoaded = true;
    s.codes = std::move(*codes);
    s.codesReady = true;
    if (convertTTF())
        return true;
    removeOutputs(itemIndex);
    return false;
}

} // namespace vintrel

extern "C" {

VINTREL_API int MakeTTFResource(const char* fontPath, const char* typefaceName, uint32_t itemIndex,
                                uint32_t fontNumber, uint32_t typefaceNumber, uint32_t symbolSetIndex)
{
    return vintrel::guardedExport([&] {
        return vintrel::makeTTFResource(fontPath, typefaceName, itemIndex, fontNumber, typefaceNumber,
                                        symbolSetIndex);
    });
}

VINTREL_API int ConvertTTF(void)
{
    return vintrel::guardedExport([] { return vintrel::convertTTF(); });
}

VINTREL_API int ReadTTFont(void)
{
    return vintrel::guardedExport([] { return vintrel::readTTFont(); });
}

VINTREL_API int MakeTTFHeader(void)
{
    return vintrel::guardedExport([] { return vintrel::makeTTFHeader(); });
}

VINTREL_API int MakeTTFSegment(void)
{
    return vintrel::guardedExport([] { return vintrel::makeTTFSegment(); });
}

VINTREL_API int MakeICResource(void)
{
    return vintrel::guardedExport([] { return vintrel::makeICResource(); });
}

VINTREL_API int MakeHDResource(void)
{
    return vintrel::guardedExport([] { return vintrel::makeHDResource(); });
}

VINTREL_API int MakeDAResource(void)
{
    return vintrel::guardedExport([] { return vintrel::makeDAResource(); });
}

VINTREL_API int MakeIDResource(void)
{
    return vintrel::guardedExport([] { return vintrel::makeIDResource(); });
}

} // extern "C"
