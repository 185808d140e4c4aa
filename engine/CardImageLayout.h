// The card information structure of a PC Card image: the tuples before each slot image, the
// device size code of the card and where a slot's data lies. Pure layout, no files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vintrel::card {

// Bytes of the tuples: the attribute part with the first slot's common part, and the common part
// of every further slot. The first slot image begins at kFirstSlotPosition.
inline constexpr std::uint64_t kFirstSlotPosition = 112;
inline constexpr std::uint64_t kFurtherCommonPartSize = 52;
// Characters of a slot name that the organisation tuple holds.
inline constexpr std::size_t kOrgNameSize = 15;

// The card a build's size index describes: its one-byte device size code and its capacity.
struct CardSize {
    std::uint8_t code;
    std::uint64_t capacity; // bytes
};

// The card of size index `sizeIndex` (the project's index plus one; 24 is `customCapacity`). Nothing
// for an index without a size code (0, 19 to 23, above 24) and for a custom capacity that the code
// cannot describe: below 32 KB, or more units than its five bits count (above 64 MB in 2 MB units).
std::optional<CardSize> cardSize(std::uint32_t sizeIndex, std::uint32_t customCapacity);

// The device type code of a card medium: 6 SRAM, 5 flash (JEIDA), 2 OTPROM (OTP card, EPROM);
// nothing for media without one.
std::optional<std::uint8_t> deviceTypeOf(std::uint8_t medium);

// One slot image as it goes into the card image.
struct CardSlot {
    std::uint8_t kind = 0;
    std::string name;
    std::uint64_t length = 0;   // bytes of its slot image
    bool hasSlotHeader = false; // the image begins with a slot header that matches its length
};

// Where a slot's data lies in its image, from the slot's first byte.
struct SlotData {
    std::uint64_t skip;
    std::uint64_t size;
};

// Whether the slot image is what its slot's kind says, and where its data lies. Font, macro and
// EPROM slots carry a slot header; macro slots skip it and its one directory entry. A card's form
// slot is the bare form, its data the whole image; one that carries a slot header skips the
// form's resource header as well. A program-data slot is the bare item and must not carry a slot
// header. Nothing for an image too short for what it is said to hold, one without the header its
// kind needs or with one it must not have, and for an unknown kind.
std::optional<SlotData> slotDataOf(const CardSlot& slot);

// The two bytes of the device tuple.
struct CardDevice {
    std::uint8_t deviceInfo = 0;
    std::uint8_t sizeCode = 0;
};

// The tuples in front of slot `index`'s image: where its data lies (card positions), where the
// image ends (`next`, also the next slot's common part) and whether a slot follows. Slot 0 gets
// the attribute part and the full common part.
std::vector<unsigned char> tuplesBefore(const CardDevice& card, const CardSlot& slot, std::uint32_t index,
                                        std::uint32_t dataOffset, std::uint32_t dataSize, std::uint32_t next,
                                        bool more);

// Device info byte: type in bits 7 to 4, speed code 4 (100 ns) in bits 2 to 0.
std::uint8_t deviceInfo(std::uint8_t deviceType);

} // namespace vintrel::card
