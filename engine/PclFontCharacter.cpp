#include "PclFontCharacter.h"

#include "ByteOrder.h"
#include "FontDiagnostics.h"
#include "FontGlyphResource.h"
#include "FontState.h"
#include "PclBitmapRaster.h"

#include <cstddef>
#include <cstdint>

namespace vintrel {
namespace {

constexpr std::size_t kBlockHeadSize = 2; // format and continuation bytes
constexpr std::size_t kContinuationByte = 1;
constexpr std::size_t kBitmapDescriptorSize = 16;
constexpr std::size_t kEoDescriptorSize = 16;
constexpr std::size_t kLongEoDescriptorSize = 20;
constexpr unsigned char kLongEoFormat = 11;

// Scales in which a record keeps a PCL character's offsets and escapement.
constexpr std::int64_t kOffsetScale = 32;
constexpr std::int64_t kEscapementScale8 = 8;
constexpr std::int64_t kEscapementScale4 = 4;

// The record's orientation code for the descriptor's orientation 0 to 3; a value outside the
// range is taken as 0.
int orientationCode(unsigned descriptorOrientation)
{
    constexpr int codes[] = {0, 3, 2, 1};
    return descriptorOrientation < 4 ? codes[descriptorOrientation] : 0;
}

// The lines of each kind's downloads.
struct DownloadLines {
    FontFunction function;
    unsigned noCode;
    unsigned blockCut;
    unsigned descriptorCut;
    unsigned dataCut;
};
constexpr DownloadLines kBitmapLines{FontFunction::DownloadPCLBM, 0, 1, 2, 4};
// An EO download without a selected code has nowhere to go: refused like a character cut short.
constexpr DownloadLines kScalableLines{FontFunction::DownloadPCLEO, 1, 1, 2, 2};
constexpr unsigned kScalableMisaligned = 0;

std::size_t descriptorSize(PclFontKind kind, unsigned char format)
{
    if (kind == PclFontKind::Bitmap)
        return kBitmapDescriptorSize;
    return format == kLongEoFormat ? kLongEoDescriptorSize : kEoDescriptorSize;
}

// A first block: a bitmap character keeps its descriptor's fields and its raster, an EO character
// the whole block as its data.
void startCharacter(FontState& state, PclFontKind kind, std::span<const unsigned char> block)
{
    using qrl::bytes::getU16BE;
    PendingCharacter& c = state.pending;
    c = PendingCharacter{};
    c.active = true;
    c.code = state.currentCode;
    if (kind == PclFontKind::Scalable) {
        c.data.assign(block.begin(), block.end());
        return;
    }
    c.rasterClass = block[3];
    c.orientation = orientationCode(block[4]);
    c.left = static_cast<std::int16_t>(getU16BE(block.data() + 6));
    c.top = static_cast<std::int16_t>(getU16BE(block.data() + 8));
    c.width = getU16BE(block.data() + 10);
    c.height = getU16BE(block.data() + 12);
    c.escapement = static_cast<std::int16_t>(getU16BE(block.data() + 14));
    c.data.assign(block.begin() + kBitmapDescriptorSize, block.end());
}

} // namespace

bool downloadPclCharacter(FontState& state, PclFontKind kind, const PclCommandData& data)
{
    const DownloadLines& lines = kind == PclFontKind::Bitmap ? kBitmapLines : kScalableLines;
    const std::span<const unsigned char> block = data.bytes;
    if (kind == PclFontKind::Scalable && state.glyphData.size() % kGlyphAlignment != 0)
        return reportFailure(state, lines.function, kScalableMisaligned);
    if (state.currentCode < 0)
        return reportFailure(state, lines.function, lines.noCode);
    if (block.size() < kBlockHeadSize)
        return reportFailure(state, lines.function, lines.blockCut);
    if (block[kContinuationByte] == 0) {
        if (!finishPclCharacter(state, kind))
            return false;
        if (block.size() < descriptorSize(kind, block[0]))
            return reportFailure(state, lines.function, lines.descriptorCut);
        startCharacter(state, kind, block);
    } else if (state.pending.active && state.pending.code == state.currentCode) {
        state.pending.data.insert(state.pending.data.end(), block.begin() + kBlockHeadSize, block.end());
    } else {
        return reportFailure(state, lines.function, lines.noCode);
    }
    if (data.cut) {
        state.pending = PendingCharacter{};
        return reportFailure(state, lines.function, lines.dataCut);
    }
    return true;
}

bool finishPclCharacter(FontState& state, PclFontKind kind)
{
    if (!state.pending.active)
        return true;
    const PendingCharacter c = std::move(state.pending);
    state.pending = PendingCharacter{};
    CodeRecord* record = state.codes.find(c.code);
    if (!record)
        return true;
    const std::size_t offset = state.glyphData.size();
    if (kind == PclFontKind::Scalable) {
        state.glyphData.insert(state.glyphData.end(), c.data.begin(), c.data.end());
        state.glyphData.resize(
            (state.glyphData.size() + kGlyphAlignment - 1) / kGlyphAlignment * kGlyphAlignment, 0);
        record->present = true;
    } else {
        const RasterResult result =
            appendRasterWords(c.rasterClass, c.width, c.height, c.data, state.glyphData);
        if (result == RasterResult::TooLarge)
            return reportFailure(state, FontFunction::DownloadPCLBM, 5);
        // The record shows the last download of its code: a character that is passed over leaves
        // the code absent.
        record->present = result == RasterResult::Converted;
        record->width = c.width;
        record->height = c.height;
        record->left = c.left * kOffsetScale;
        record->top = c.top * kOffsetScale;
        record->escapement8 = c.escapement * kEscapementScale8;
        record->escapement4 = c.escapement * kEscapementScale4;
        record->orientation = c.orientation;
    }
    record->dataOffset = offset;
    record->dataSize = state.glyphData.size() - offset;
    return true;
}

} // namespace vintrel
