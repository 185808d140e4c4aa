// A movable memory block held locked for the lifetime of the object.
#pragma once

#include "qrl_movable.h"

#include <cstddef>

namespace vintrel {

class LockedBlock {
public:
    // Locks `handle` when it holds at least `minSize` bytes; a NULL handle, a smaller block or a
    // failed lock leave the object empty.
    LockedBlock(QrlHandle handle, std::size_t minSize)
        : m_handle(handle),
          m_data(handle && QrlGlobalSize(handle) >= minSize ? QrlGlobalLock(handle) : nullptr)
    {
    }
    ~LockedBlock()
    {
        if (m_data)
            QrlGlobalUnlock(m_handle);
    }
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;

    explicit operator bool() const { return m_data != nullptr; }
    unsigned char* bytes() const { return static_cast<unsigned char*>(m_data); }
    // The block as the plain C record it was allocated for.
    template <class Record>
    Record* as() const
    {
        return static_cast<Record*>(m_data);
    }

private:
    QrlHandle m_handle;
    void* m_data;
};

} // namespace vintrel
