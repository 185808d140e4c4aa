// Bounded access to the blocks of a build context. Every index is checked against its count and
// the 256 entries of the arrays; every block is locked only while it is read or written.
#pragma once

#include "vintrel.h"

#include <cstdint>
#include <optional>
#include <string>

namespace vintrel {

inline constexpr std::size_t kItemRecordSize = 306;
inline constexpr std::size_t kItemNameOffset = 1;
inline constexpr std::size_t kItemNameMax = 32; // characters of an item name
inline constexpr std::size_t kSlotNameMax = sizeof(SlotRecord::name) - 1;

struct ItemInfo {
    std::uint8_t engineType;
    std::string name; // at most kItemNameMax characters, also from an unterminated field
};

// The count clamped to the arrays' size, for the remove functions that must not fail.
std::uint32_t boundedCount(std::uint32_t count);

// Item `index` below itemCount, or nothing when it is out of range or its block cannot be locked.
std::optional<ItemInfo> readItem(const BuildContext& context, std::uint32_t index);
// The item index held by link `link` below linkCount.
std::optional<std::uint32_t> readLink(const BuildContext& context, std::uint32_t link);
// Slot `slot` below slotCount.
std::optional<SlotRecord> readSlot(const BuildContext& context, std::uint32_t slot);
bool writeSlot(const BuildContext& context, std::uint32_t slot, const SlotRecord& record);

// A new zero-initialised block holding `record`; NULL (and nothing left allocated) when the block
// cannot be allocated or locked.
QrlHandle allocateLink(const LinkRecord& record);
QrlHandle allocateSlot(const SlotRecord& record);

// Frees the first `count` handles of `blocks` and sets them to NULL; NULL entries are passed over.
void freeBlocks(QrlHandle* blocks, std::uint32_t count);

// At most `max` characters of `text`, stopping at the first NUL.
std::string boundedText(const char* text, std::size_t max);

} // namespace vintrel
