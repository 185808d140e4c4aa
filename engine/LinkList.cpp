// The link list (the order in which resources go into slots) and the slot list.
#include "vintrel.h"

#include "ContextAccess.h"
#include "ExportGuard.h"
#include "Progress.h"

#include <cstdint>

namespace vintrel {
namespace {

// Fonts first, then forms, then macros, then program data.
bool belongsToPass(std::uint8_t engineType, int pass)
{
    switch (pass) {
    case 0:
        return engineType <= VINTREL_LDFC_FONT;
    case 1:
        return engineType == VINTREL_FORM;
    case 2:
        return engineType == VINTREL_PCL_MACRO || engineType == VINTREL_PRINTER_MACRO;
    default:
        return engineType == VINTREL_PROGRAM_DATA;
    }
}
constexpr int kLinkPasses = 4;

bool buildLinkList(BuildContext& context)
{
    if (context.itemCount > VINTREL_MAX_BLOCKS)
        return false;
    context.linkCount = 0;
    for (int pass = 0; pass < kLinkPasses; ++pass) {
        for (std::uint32_t item = 0; item < context.itemCount; ++item) {
            reportProgress(&context, kLinkStep);
            const auto info = readItem(context, item);
            if (!info || !belongsToPass(info->engineType, pass))
                continue;
            QrlHandle link = allocateLink(LinkRecord{item});
            if (!link)
                return false;
            context.linkBlocks[context.linkCount++] = link;
        }
    }
    return true;
}

bool addSlot(BuildContext& context, std::uint32_t firstLink, std::uint32_t endLink)
{
    SlotRecord record{};
    record.firstLink = firstLink;
    record.endLink = endLink;
    QrlHandle slot = allocateSlot(record);
    if (!slot)
        return false;
    context.slotBlocks[context.slotCount++] = slot;
    return true;
}

bool buildSlotList(BuildContext& context, std::uint32_t medium)
{
    reportProgress(&context, kSlotListStep);
    context.slotCount = 0;
    if (context.linkCount > VINTREL_MAX_BLOCKS)
        return false;
    if ((medium & 0xFF) == VINTREL_EPROM)
        return addSlot(context, 0, context.linkCount);
    for (std::uint32_t link = 0; link < context.linkCount; ++link) {
        if (!addSlot(context, link, link + 1))
            return false;
    }
    return true;
}

} // namespace
} // namespace vintrel

extern "C" {

VINTREL_API int BuildLinkList(BuildContext* context)
{
    return vintrel::guardedExport([&] { return context && vintrel::buildLinkList(*context); });
}

VINTREL_API int BuildSlotList(BuildContext* context, uint32_t medium)
{
    return vintrel::guardedExport([&] { return context && vintrel::buildSlotList(*context, medium); });
}

VINTREL_API int RemoveLinkList(BuildContext* context)
{
    if (context)
        vintrel::freeBlocks(context->linkBlocks, context->linkCount);
    return 1;
}

VINTREL_API int RemoveSlotList(BuildContext* context)
{
    if (context)
        vintrel::freeBlocks(context->slotBlocks, context->slotCount);
    return 1;
}

} // extern "C"
