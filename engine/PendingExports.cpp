// Exports whose conversions are not built yet: the font converters. Each
// answers 0 without writing anything, so a build that needs them fails cleanly.
#include "vintrel.h"

extern "C" {

VINTREL_API int MakeSFA(const char*, uint32_t, const char*, uint32_t, uint32_t)
{
    return 0;
}

VINTREL_API int MakeFontHeader(uint32_t, const char*, uint32_t)
{
    return 0;
}

VINTREL_API int CreateFontResource(const char*, uint32_t, uint32_t)
{
    return 0;
}

VINTREL_API int MakeTTFResource(const char*, const char*, uint32_t, uint32_t, uint32_t, uint32_t)
{
    return 0;
}

} // extern "C"
