#include "BuildContextBlocks.h"

#include "CProjSett.h"
#include "ItemRecord.h"

#include <algorithm>
#include <cstring>

namespace qrl::build {

BuildContextBlocks::BuildContextBlocks() : m_context(std::make_unique<BuildContext>())
{
    std::memset(m_context.get(), 0, sizeof(BuildContext));
}

BuildContextBlocks::~BuildContextBlocks()
{
    freeBlocks();
}

void BuildContextBlocks::freeBlocks()
{
    RemoveSlotList(m_context.get());
    RemoveLinkList(m_context.get());
    const auto count = std::min<std::uint32_t>(m_context->itemCount, VINTREL_MAX_BLOCKS);
    for (std::uint32_t i = 0; i < count; ++i)
        m_context->itemBlocks[i] = QrlGlobalFree(m_context->itemBlocks[i]);
    m_context->itemCount = 0;
}

void BuildContextBlocks::setProgressCallback(ProgressCallback callback, void* user)
{
    m_context->progressCallback = callback;
    m_context->callbackUser = user;
}

void BuildContextBlocks::setStorageSize(const CProjSett& settings)
{
    m_context->customCapacity =
        settings.m_storageSizeIndex == StorageSizeTable::kCustomIndex ? settings.m_customSize : 0;
    m_context->sizeIndex = static_cast<std::uint32_t>(settings.m_storageSizeIndex) + 1;
}

bool BuildContextBlocks::AddItemRecord(const ItemRecord& record)
{
    if (m_context->itemCount >= VINTREL_MAX_BLOCKS)
        return false;
    QrlHandle block = QrlGlobalAlloc(ItemRecord::kSize);
    auto* bytes = static_cast<unsigned char*>(QrlGlobalLock(block));
    if (!bytes) {
        QrlGlobalFree(block);
        return false;
    }
    const ItemRecord::Bytes encoded = record.encode();
    std::memcpy(bytes, encoded.data(), encoded.size());
    bytes[0] = static_cast<unsigned char>(GetEngineResourceType(record.resourceType));
    QrlGlobalUnlock(block);
    m_context->itemBlocks[m_context->itemCount++] = block;
    return true;
}

int BuildContextBlocks::GetEngineResourceType(int subtype)
{
    switch (subtype) {
    case 0:
    case 1:
        return subtype;
    case 2:
    case 3:
        return VINTREL_PCL_BITMAP_FONT;
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
        return subtype - 1;
    default:
        return VINTREL_SKIPPED_ITEM;
    }
}

} // namespace qrl::build
