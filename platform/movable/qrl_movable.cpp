#include "qrl_movable.h"

#include <atomic>
#include <cstdlib>
#include <new>

struct QrlMemBlock {
    size_t size;
    int lockCount;
    unsigned char* data;
};

namespace {

std::atomic<long> liveBlocks{0};
int allocFault = 0;
int lockFault = 0;

// Counts down an armed fault; true when this call is the one that fails.
bool faultHits(int& counter)
{
    if (counter <= 0)
        return false;
    return --counter == 0;
}

} // namespace

extern "C" {

QrlHandle QrlGlobalAlloc(size_t size)
{
    if (faultHits(allocFault))
        return nullptr;
    auto* block = new (std::nothrow) QrlMemBlock{size, 0, nullptr};
    if (!block)
        return nullptr;
    // calloc of 0 bytes may answer NULL; keep one byte so a lock always has an address.
    block->data = static_cast<unsigned char*>(std::calloc(size ? size : 1, 1));
    if (!block->data) {
        delete block;
        return nullptr;
    }
    ++liveBlocks;
    return block;
}

void* QrlGlobalLock(QrlHandle handle)
{
    if (!handle || faultHits(lockFault))
        return nullptr;
    ++handle->lockCount;
    return handle->data;
}

int QrlGlobalUnlock(QrlHandle handle)
{
    if (!handle || handle->lockCount == 0)
        return 0;
    return --handle->lockCount;
}

QrlHandle QrlGlobalFree(QrlHandle handle)
{
    if (!handle)
        return nullptr;
    std::free(handle->data);
    delete handle;
    --liveBlocks;
    return nullptr;
}

size_t QrlGlobalSize(QrlHandle handle)
{
    return handle ? handle->size : 0;
}

long QrlGlobalLiveBlocks(void)
{
    return liveBlocks.load();
}

void QrlGlobalSetFaults(int failAllocAt, int failLockAt)
{
    allocFault = failAllocAt;
    lockFault = failLockAt;
}

} // extern "C"
