// Exports whose conversions are not built yet: the TrueType converter and the PC Card image. Each
// answers 0 without writing anything, so a build that needs them fails cleanly.
#include "vintrel.h"

extern "C" {

VINTREL_API int MakeTTFResource(const char*, const char*, uint32_t, uint32_t, uint32_t, uint32_t)
{
    return 0;
}

VINTREL_API int SLT2BXF(const char*, BuildContext*, uint32_t)
{
    return 0;
}

} // extern "C"
