// Fuzz entry for the macro stripper: any bytes must strip without a crash, and the stripped text
// is never longer than the source.
#include "MacroStripper.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view source(reinterpret_cast<const char*>(data), size);
    if (vintrel::MacroStripper::strip(source).size() > size)
        std::abort();
    return 0;
}
