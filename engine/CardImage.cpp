// The PC Card image export: the slot images of a build behind their card information structure,
// first written as "TEMP.BXF", then delivered with every byte pair swapped.
#include "vintrel.h"

#include "BlockCopy.h"
#include "ByteOrder.h"
#include "CardImageLayout.h"
#include "ContextAccess.h"
#include "ExportGuard.h"
#include "InputFile.h"
#include "OutputFile.h"
#include "Progress.h"
#include "ResourceFiles.h"
#include "ScratchFile.h"
#include "SlotImageWriter.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

namespace vintrel {
namespace {

// "TEMP.BXF" under the name it has while it is swapped into the output.
constexpr const char* kSwapFile = "TEMP.SWP";

// Whether the image begins with a slot header whose image size is the file's length.
bool hasSlotHeader(InputFile& image)
{
    unsigned char header[kSlotImageSizeOffset + sizeof(std::uint32_t)];
    if (image.size() < sizeof header || !image.read(header, sizeof header))
        return false;
    return qrl::bytes::getU32BE(header + kSlotMagicOffset) == kSlotImageMagic &&
           qrl::bytes::getU32BE(header + kSlotImageSizeOffset) == image.size();
}

struct PlacedSlot {
    card::CardSlot slot;
    std::uint64_t position; // of its slot image in the card image
    card::SlotData data;
};

class CardImageBuilder {
public:
    CardImageBuilder(const BuildContext& context, card::CardDevice device)
        : m_context(context), m_device(device)
    {
    }

    // Measures every slot image and places it; false when one is missing, does not hold what its
    // kind says, or the image would not fit into `capacity`.
    bool place(std::uint64_t capacity);
    // Writes the card image as it stands before the swap to `path`.
    bool write(const std::string& path) const;

private:
    const BuildContext& m_context;
    card::CardDevice m_device;
    std::vector<PlacedSlot> m_slots;
};

bool CardImageBuilder::place(std::uint64_t capacity)
{
    const std::uint32_t count = m_context.slotCount;
    if (count == 0 || count > VINTREL_MAX_BLOCKS)
        return false;
    std::uint64_t position = card::kFirstSlotPosition;
    for (std::uint32_t i = 0; i < count; ++i) {
        reportProgress(&m_context, kCardImageStep);
        const std::optional<SlotRecord> record = readSlot(m_context, i);
        InputFile image;
        if (!record || !image.open(indexedName(kSlotImage, i)))
            return false;
        card::CardSlot slot{record->kind, boundedText(record->name, kSlotNameMax), image.size(), false};
        slot.hasSlotHeader = hasSlotHeader(image);
        const std::optional<card::SlotData> data = card::slotDataOf(slot);
        if (!data)
            return false;
        if (i > 0)
            position += card::kFurtherCommonPartSize;
        // Sizes are summed in 64 bits and bounded by the capacity (at most 64 MB), so every
        // position written into a tuple fits its 32 bits.
        if (slot.length > capacity || position > capacity - slot.length)
            return false;
        m_slots.push_back({slot, position, *data});
        position += slot.length;
    }
    return true;
}

bool CardImageBuilder::write(const std::string& path) const
{
    OutputFile out;
    if (!out.create(path))
        return false;
    for (std::size_t i = 0; i < m_slots.size(); ++i) {
        const PlacedSlot& placed = m_slots[i];
        if (i > 0)
            reportProgress(&m_context, kCardImageStep);
        InputFile image;
        // The tuples were made from the measured length; an image that changed since is refused.
        if (!image.open(indexedName(kSlotImage, static_cast<std::uint32_t>(i))) ||
            image.size() != placed.slot.length)
            return false;
        const auto at = [](std::uint64_t value) { return static_cast<std::uint32_t>(value); };
        const std::vector<unsigned char> tuples = card::tuplesBefore(
            m_device, placed.slot, at(i), at(placed.position + placed.data.skip), at(placed.data.size),
            at(placed.position + placed.slot.length), i + 1 < m_slots.size());
        if (!out.write(tuples.data(), tuples.size()) || !copyBytes(image, out, placed.slot.length))
            return false;
    }
    return out.commit();
}

bool slt2bxf(const char* outputPath, const BuildContext& context, std::uint8_t medium)
{
    const std::optional<std::uint8_t> deviceType = card::deviceTypeOf(medium);
    const std::optional<card::CardSize> size = card::cardSize(context.sizeIndex, context.customCapacity);
    if (!outputPath || !deviceType || !size)
        return false;
    // Neither file may outlive the export, nor an old one be taken for this build's.
    const ScratchFile image(kImageFile);
    const ScratchFile swapFile(kSwapFile);
    CardImageBuilder builder(context, {card::deviceInfo(*deviceType), size->code});
    if (!builder.place(size->capacity) || !image.cleared() || !swapFile.cleared() ||
        !builder.write(image.path()))
        return false;
    errno = 0;
    if (std::rename(image.path().c_str(), swapFile.path().c_str()) != 0) {
        noteWriteFailure(errno);
        return false;
    }
    InputFile swapInput;
    OutputFile output;
    return swapInput.open(swapFile.path()) && output.createKept(outputPath) &&
           copyBytes(swapInput, output, swapInput.size(), CopyMode::SwapPairs) && output.commit();
}

} // namespace
} // namespace vintrel

extern "C" {

VINTREL_API int SLT2BXF(const char* outputPath, BuildContext* context, uint32_t medium)
{
    return vintrel::guardedExport([&] {
        return context && vintrel::slt2bxf(outputPath, *context, static_cast<std::uint8_t>(medium & 0xFF));
    });
}

} // extern "C"
