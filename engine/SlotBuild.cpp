// BuildAllSlots and the removal of the build's resource files and slot images.
#include "vintrel.h"

#include "ContextAccess.h"
#include "ExportGuard.h"
#include "Progress.h"
#include "ResourceFiles.h"
#include "ScratchFile.h"
#include "SlotImageWriter.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace vintrel {
namespace {

constexpr char kEpromSlotName[] = "EPROM";

void setName(SlotRecord& slot, const std::string& name)
{
    std::memset(slot.name, 0, sizeof slot.name);
    std::memcpy(slot.name, name.data(), std::min(name.size(), kSlotNameMax));
}

// The EPROM's single slot, and a slot without links, have no item to be named after.
bool nameSlot(const BuildContext& context, std::uint32_t slot, std::uint8_t medium)
{
    auto record = readSlot(context, slot);
    if (!record)
        return false;
    if (medium == VINTREL_EPROM || record->firstLink >= record->endLink) {
        record->kind = kEpromSlot;
        setName(*record, kEpromSlotName);
    } else {
        const auto itemIndex = readLink(context, record->firstLink);
        const auto item = itemIndex ? readItem(context, *itemIndex) : std::nullopt;
        if (!item)
            return false;
        const ResourceType* type = resourceTypeOf(item->engineType);
        record->kind = type ? type->slotKind : kEpromSlot;
        setName(*record, item->name);
    }
    return writeSlot(context, slot, *record);
}

void removeResources(const BuildContext& context)
{
    if (context.itemCount > VINTREL_MAX_BLOCKS)
        return;
    for (std::uint32_t i = 0; i < context.itemCount; ++i) {
        const auto item = readItem(context, i);
        const ResourceType* type = item ? resourceTypeOf(item->engineType) : nullptr;
        if (!type)
            continue;
        for (const SlotFile& file : type->slotFiles)
            removeFile(indexedName(file.stem, i));
        for (const FileStem& stem : type->conversionFiles)
            removeFile(indexedName(stem, i));
    }
}

bool buildAllSlots(const BuildContext& context, std::uint32_t medium)
{
    if (context.slotCount > VINTREL_MAX_BLOCKS)
        return false;
    const auto mediumCode = static_cast<std::uint8_t>(medium & 0xFF);
    for (std::uint32_t slot = 0; slot < context.slotCount; ++slot) {
        reportProgress(&context, kSlotStep);
        if (!nameSlot(context, slot, mediumCode))
            return false;
    }
    SlotImageWriter writer(context, mediumCode);
    for (std::uint32_t slot = 0; slot < context.slotCount; ++slot) {
        reportProgress(&context, kSlotStep);
        if (!writer.write(slot)) {
            removeResources(context);
            return false;
        }
    }
    removeResources(context);
    return true;
}

} // namespace
} // namespace vintrel

extern "C" {

VINTREL_API int BuildAllSlots(BuildContext* context, uint32_t medium, uint32_t /*headerFlag*/)
{
    return vintrel::guardedExport([&] { return context && vintrel::buildAllSlots(*context, medium); });
}

VINTREL_API void RemoveResources(BuildContext* context)
{
    vintrel::guardedExport([&] {
        if (context)
            vintrel::removeResources(*context);
        return true;
    });
}

VINTREL_API int RemoveSlots(BuildContext* context)
{
    vintrel::guardedExport([&] {
        for (std::uint32_t i = 0; context && i < vintrel::boundedCount(context->slotCount); ++i)
            vintrel::removeFile(vintrel::indexedName(vintrel::kSlotImage, i));
        return true;
    });
    return 1;
}

} // extern "C"
