#include "MemoryFaults.h"

#include <atomic>
#include <cstddef>

#include <dlfcn.h>

struct QrlMemBlock;
using QrlHandle = QrlMemBlock*;

namespace {

std::atomic<long> liveBlocks{0};
std::atomic<int> allocFault{0};
std::atomic<int> lockFault{0};

// Counts down an armed fault; true when this call is the one that fails.
bool faultHits(std::atomic<int>& counter)
{
    int left = counter.load();
    while (left > 0 && !counter.compare_exchange_weak(left, left - 1)) {
    }
    return left == 1;
}

template <typename Function>
Function next(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

QrlHandle QrlGlobalAlloc(std::size_t size)
{
    static const auto real = next<QrlHandle (*)(std::size_t)>("QrlGlobalAlloc");
    if (faultHits(allocFault))
        return nullptr;
    QrlHandle block = real(size);
    if (block)
        ++liveBlocks;
    return block;
}

void* QrlGlobalLock(QrlHandle handle)
{
    static const auto real = next<void* (*)(QrlHandle)>("QrlGlobalLock");
    if (!handle || faultHits(lockFault))
        return nullptr;
    return real(handle);
}

QrlHandle QrlGlobalFree(QrlHandle handle)
{
    static const auto real = next<QrlHandle (*)(QrlHandle)>("QrlGlobalFree");
    if (handle)
        --liveBlocks;
    return real(handle);
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
