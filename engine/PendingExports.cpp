// Exports whose conversions are not built yet: the PC Card image. It answers 0 without writing
// anything, so a build that needs it fails cleanly.
#include "vintrel.h"

extern "C" {

VINTREL_API int SLT2BXF(const char*, BuildContext*, uint32_t)
{
    return 0;
}

} // extern "C"
