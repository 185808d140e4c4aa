// Nothing throws across the library boundary: an export's body runs here, and an exception (a
// failed allocation inside the standard library) becomes the failure result.
#pragma once

namespace vintrel {

template <class Body>
int guardedExport(Body&& body) noexcept
{
    try {
        return body() ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

} // namespace vintrel
