#include "ContextAccess.h"

#include "LockedBlock.h"

#include <cstddef>

namespace vintrel {
namespace {

template <class Record>
QrlHandle allocateRecord(const Record& record)
{
    QrlHandle handle = QrlGlobalAlloc(sizeof(Record));
    if (!handle)
        return nullptr;
    {
        LockedBlock block(handle, sizeof(Record));
        if (block) {
            *block.as<Record>() = record;
            return handle;
        }
    }
    // Allocated but not lockable: not handed out, so free it here.
    QrlGlobalFree(handle);
    return nullptr;
}

} // namespace

std::uint32_t boundedCount(std::uint32_t count)
{
    return count < VINTREL_MAX_BLOCKS ? count : VINTREL_MAX_BLOCKS;
}

std::optional<ItemInfo> readItem(const BuildContext& context, std::uint32_t index)
{
    if (index >= context.itemCount || index >= VINTREL_MAX_BLOCKS)
        return std::nullopt;
    LockedBlock block(context.itemBlocks[index], kItemRecordSize);
    if (!block)
        return std::nullopt;
    const char* name = reinterpret_cast<const char*>(block.bytes() + kItemNameOffset);
    return ItemInfo{block.bytes()[0], boundedText(name, kItemNameMax)};
}

std::optional<std::uint32_t> readLink(const BuildContext& context, std::uint32_t link)
{
    if (link >= context.linkCount || link >= VINTREL_MAX_BLOCKS)
        return std::nullopt;
    LockedBlock block(context.linkBlocks[link], sizeof(LinkRecord));
    if (!block)
        return std::nullopt;
    return block.as<LinkRecord>()->itemIndex;
}

std::optional<SlotRecord> readSlot(const BuildContext& context, std::uint32_t slot)
{
    if (slot >= context.slotCount || slot >= VINTREL_MAX_BLOCKS)
        return std::nullopt;
    LockedBlock block(context.slotBlocks[slot], sizeof(SlotRecord));
    if (!block)
        return std::nullopt;
    return *block.as<SlotRecord>();
}

bool writeSlot(const BuildContext& context, std::uint32_t slot, const SlotRecord& record)
{
    if (slot >= context.slotCount || slot >= VINTREL_MAX_BLOCKS)
        return false;
    LockedBlock block(context.slotBlocks[slot], sizeof(SlotRecord));
    if (!block)
        return false;
    *block.as<SlotRecord>() = record;
    return true;
}

QrlHandle allocateLink(const LinkRecord& record)
{
    return allocateRecord(record);
}

QrlHandle allocateSlot(const SlotRecord& record)
{
    return allocateRecord(record);
}

void freeBlocks(QrlHandle* blocks, std::uint32_t count)
{
    for (std::uint32_t i = 0; i < boundedCount(count); ++i) {
        if (blocks[i]) {
            QrlGlobalFree(blocks[i]);
            blocks[i] = nullptr;
        }
    }
}

std::string boundedText(const char* text, std::size_t max)
{
    std::size_t length = 0;
    while (text && length < max && text[length] != '\0')
        ++length;
    return std::string(text ? text : "", length);
}

} // namespace vintrel

// The program reads these records through the same header; keep their layout as documented.
static_assert(offsetof(SlotRecord, name) == 1 && offsetof(SlotRecord, firstLink) == 36 &&
              offsetof(SlotRecord, endLink) == 40);
static_assert(offsetof(BuildContext, itemBlocks) == 16);
