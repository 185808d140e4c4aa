#include "CardImageLayout.h"

#include "ByteOrder.h"
#include "ResourceFiles.h"
#include "SlotImageWriter.h"

#include <array>

namespace vintrel::card {
namespace {

constexpr std::uint64_t kKB = 1024;
constexpr std::uint64_t kMB = 1024 * kKB;

// The size codes of the fixed sizes, by size index 1 to 18, with the capacity they describe.
constexpr std::array<CardSize, 18> kFixedSizes = {{
    {0x03, 32 * kKB},
    {0x0B, 64 * kKB},
    {0x04, 128 * kKB},
    {0x0C, 256 * kKB},
    {0x05, 512 * kKB},
    {0x0D, 1 * kMB},
    {0x06, 2 * kMB},
    {0x0E, 4 * kMB},
    {0x16, 6 * kMB},
    {0x1E, 8 * kMB},
    {0x26, 10 * kMB},
    {0x2E, 12 * kMB},
    {0x36, 14 * kMB},
    {0x3E, 16 * kMB},
    {0x4E, 20 * kMB},
    {0x5E, 24 * kMB},
    {0x6E, 28 * kMB},
    {0x7E, 32 * kMB},
}};
constexpr std::uint32_t kCustomSizeIndex = 24;

// The units of the size code, coarsest first: a custom capacity takes the first that divides it.
struct SizeUnit {
    std::uint8_t code;
    std::uint64_t bytes;
};
constexpr SizeUnit kUnits[] = {{6, 2 * kMB}, {5, 512 * kKB}, {4, 128 * kKB}};
constexpr SizeUnit kSmallestUnit = {3, 32 * kKB};
constexpr std::uint64_t kMaxUnits = 32; // five bits hold the count minus one

std::optional<CardSize> sizeOf(std::uint64_t units, SizeUnit unit)
{
    // The code counts 1 to 32 units; a larger count would wrap into a smaller card.
    if (units == 0 || units > kMaxUnits)
        return std::nullopt;
    return CardSize{static_cast<std::uint8_t>((units - 1) * 8 + unit.code), units * unit.bytes};
}

constexpr std::uint8_t kSpeed100ns = 4;
constexpr std::uint8_t kLinkTarget[] = {0x13, 0x04, 'C', 'I', 'S', 0x00};
constexpr std::uint8_t kDateTuple[] = {0x44, 0x04, 0x00, 0x00, 0x00, 0x00};
constexpr std::uint8_t kByteOrderTuple[] = {0x43, 0x02, 0x01, 0x01};
constexpr std::uint8_t kEndTuple[] = {0xFF, 0x00};
constexpr std::uint8_t kLongLink = 0x12;
constexpr std::uint8_t kEnd = 0xFF;
constexpr std::uint8_t kVendor[] = "ZENTRIX";

void append(std::vector<unsigned char>& out, const std::uint8_t* bytes, std::size_t count)
{
    out.insert(out.end(), bytes, bytes + count);
}

template <std::size_t N>
void append(std::vector<unsigned char>& out, const std::uint8_t (&bytes)[N])
{
    append(out, bytes, N);
}

void appendU32(std::vector<unsigned char>& out, std::uint32_t value)
{
    unsigned char bytes[4];
    qrl::bytes::putU32LE(bytes, value);
    append(out, bytes, sizeof bytes);
}

// The device tuple and the long link to the common part at 24, every byte twice.
void appendAttributePart(std::vector<unsigned char>& out, const CardDevice& card)
{
    std::vector<unsigned char> tuples = {0x01, 0x03, card.deviceInfo, card.sizeCode, 0xFF, kLongLink, 0x04};
    appendU32(tuples, 24);
    tuples.push_back(kEnd);
    for (unsigned char byte : tuples)
        out.insert(out.end(), 2, byte);
}

void appendVersion(std::vector<unsigned char>& out)
{
    const std::uint8_t head[] = {0x40, 0x18, 0x00, 0x00, 0x70, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01};
    append(out, head);
    append(out, kVendor); // with its terminator
    out.insert(out.end(), 7, 0x00);
}

void appendFormat(std::vector<unsigned char>& out, std::uint32_t dataOffset, std::uint32_t dataSize)
{
    const std::uint8_t head[] = {0x41, 0x0A, 0x80, 0x00};
    append(out, head);
    appendU32(out, dataOffset);
    appendU32(out, dataSize);
}

void appendOrganisation(std::vector<unsigned char>& out, const CardSlot& slot)
{
    const std::uint8_t head[] = {0x46, 0x18, 0x80, 0x00, 'Q', 'P', 0x01, 0x80, slot.kind, 0x00};
    append(out, head);
    unsigned char name[kOrgNameSize + 1] = {};
    qrl::bytes::putFixedText(name, sizeof name, slot.name); // 15 characters and a zero
    append(out, name, sizeof name);
}

void appendLink(std::vector<unsigned char>& out, std::uint32_t next, bool more)
{
    out.push_back(more ? kLongLink : kEnd);
    out.push_back(0x04);
    appendU32(out, next);
    append(out, kEndTuple);
}

} // namespace

std::optional<CardSize> cardSize(std::uint32_t sizeIndex, std::uint32_t customCapacity)
{
    if (sizeIndex >= 1 && sizeIndex <= kFixedSizes.size())
        return kFixedSizes[sizeIndex - 1];
    if (sizeIndex != kCustomSizeIndex)
        return std::nullopt;
    for (const SizeUnit& unit : kUnits) {
        if (customCapacity % unit.bytes == 0)
            return sizeOf(customCapacity / unit.bytes, unit);
    }
    return sizeOf(customCapacity / kSmallestUnit.bytes, kSmallestUnit);
}

std::optional<std::uint8_t> deviceTypeOf(std::uint8_t medium)
{
    switch (medium) {
    case 0:
        return 6;
    case 1:
        return 5;
    case 2:
    case 3:
        return 2;
    default:
        return std::nullopt;
    }
}

std::uint8_t deviceInfo(std::uint8_t deviceType)
{
    return static_cast<std::uint8_t>((deviceType << 4) | kSpeed100ns);
}

std::optional<SlotData> slotDataOf(const CardSlot& slot)
{
    // Macro data lies behind the slot header and its one directory entry; a headed form's behind
    // its resource header as well.
    constexpr std::uint64_t kMacroSkip = kSlotHeaderSize + kSlotDirectoryEntrySize;
    constexpr std::uint64_t kFormSkip = kMacroSkip + 20;
    std::uint64_t skip = 0;
    std::uint64_t least = 0;
    switch (slot.kind) {
    case kEpromSlot:
    case kFontSlot:
        if (!slot.hasSlotHeader)
            return std::nullopt;
        least = kSlotHeaderSize;
        break;
    case kMacroSlot:
        if (!slot.hasSlotHeader)
            return std::nullopt;
        skip = least = kMacroSkip;
        break;
    case kFormSlot:
        if (slot.hasSlotHeader)
            skip = least = kFormSkip;
        break;
    case kProgramDataSlot:
        // A card's program-data slot is the item's bytes; a slot header means another build's image.
        if (slot.hasSlotHeader)
            return std::nullopt;
        break;
    default:
        return std::nullopt;
    }
    if (slot.length < least)
        return std::nullopt;
    return SlotData{skip, slot.length - skip};
}

std::vector<unsigned char> tuplesBefore(const CardDevice& card, const CardSlot& slot, std::uint32_t index,
                                        std::uint32_t dataOffset, std::uint32_t dataSize, std::uint32_t next,
                                        bool more)
{
    std::vector<unsigned char> out;
    if (index == 0)
        appendAttributePart(out, card);
    append(out, kLinkTarget);
    if (index == 0) {
        appendVersion(out);
        append(out, kDateTuple);
    }
    appendFormat(out, dataOffset, dataSize);
    appendOrganisation(out, slot);
    if (index == 0)
        append(out, kByteOrderTuple);
    appendLink(out, next, more);
    return out;
}

} // namespace vintrel::card
