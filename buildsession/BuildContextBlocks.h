#pragma once

#include "vintrel.h"

#include <memory>

class CProjSett;
struct ItemRecord;

namespace qrl::build {

// The build context of one build with the item blocks the program allocates into it. The
// destructor frees the engine's link and slot blocks (through its remove exports, which free
// nothing twice) and every item block.
class BuildContextBlocks {
public:
    BuildContextBlocks();
    ~BuildContextBlocks();
    BuildContextBlocks(const BuildContextBlocks&) = delete;
    BuildContextBlocks& operator=(const BuildContextBlocks&) = delete;

    BuildContext* get() { return m_context.get(); }
    const BuildContext* get() const { return m_context.get(); }

    void setProgressCallback(ProgressCallback callback, void* user);
    // The size index plus one (24 for the custom size) and the custom capacity (0 unless custom).
    void setStorageSize(const CProjSett& settings);

    // Copies the record into a new item block, byte 0 replaced by the engine's resource type.
    // False when the context is full or the block cannot be had.
    bool AddItemRecord(const ItemRecord& record);

    // The engine's item type of a ResourceSubtype: 0 and 1 kept, 2 and 3 give 2, 4 to 8 give
    // 3 to 7, anything else 255.
    static int GetEngineResourceType(int subtype);

private:
    void freeBlocks();

    std::unique_ptr<BuildContext> m_context;
};

} // namespace qrl::build
