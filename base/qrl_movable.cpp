#include "qrl_movable.h"

#include <cstdlib>
#include <new>

struct QrlMemBlock {
    size_t size;
    int lockCount;
    unsigned char* data;
};

extern "C" {

QrlHandle QrlGlobalAlloc(size_t size)
{
    auto* block = new (std::nothrow) QrlMemBlock{size, 0, nullptr};
    if (!block)
        return nullptr;
    // calloc of 0 bytes may answer NULL; keep one byte so a lock always has an address.
    block->data = static_cast<unsigned char*>(std::calloc(size ? size : 1, 1));
    if (!block->data) {
        delete block;
        return nullptr;
    }
    return block;
}

void* QrlGlobalLock(QrlHandle handle)
{
    if (!handle)
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
    return nullptr;
}

size_t QrlGlobalSize(QrlHandle handle)
{
    return handle ? handle->size : 0;
}

} // extern "C"
