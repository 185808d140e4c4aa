// Nothing throws across the library boundary: an export's body runs here, and an exception (a
// failed allocation inside the standard library) becomes the failure result.
//
// The program reads errno right after a failed export to tell the user why (a full disk, a
// missing permission). Removing scratch files and closing streams on the way out may set errno
// again, so the first failed write of an export is noted where it happens and put back into
// errno once the export has finished.
#pragma once

#include <cerrno>

namespace vintrel::detail {

struct ExportFailure {
    int cause = 0;
    int depth = 0; // an export that calls another keeps the outer export's cause
};

inline ExportFailure& exportFailure()
{
    static ExportFailure failure;
    return failure;
}

} // namespace vintrel::detail

namespace vintrel {

// Notes why a write of the running export failed; only the first cause counts. 0 stands for an
// error the C library did not name.
inline void noteWriteFailure(int error)
{
    detail::ExportFailure& failure = detail::exportFailure();
    if (failure.cause == 0)
        failure.cause = error != 0 ? error : EIO;
}

template <class Body>
int guardedExport(Body&& body) noexcept
{
    detail::ExportFailure& failure = detail::exportFailure();
    if (failure.depth++ == 0)
        failure.cause = 0;
    int result = 0;
    try {
        result = body() ? 1 : 0;
    } catch (...) {
        result = 0;
    }
    if (--failure.depth == 0 && result == 0 && failure.cause != 0)
        errno = failure.cause;
    return result;
}

} // namespace vintrel
