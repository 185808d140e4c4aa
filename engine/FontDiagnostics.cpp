#include "FontDiagnostics.h"

#include "FontState.h"
#include "qrl_debugout.h"

#include <cstddef>
#include <cstdio>

namespace vintrel {
namespace {

constexpr const char* kFunctionNames[] = {
    "CreateFontResource",
    "MakeSFA",
    "MakeFontHeader",
    "GetFontFormat",
    "GetPCLEOFont",
    "PCLBM2SFA",
    "PCLEO2SFA",
    "LDFC2SFA",
    "PCLBM2RSC",
    "PCLEO2RSC",
    "LDFC2RSC",
    "SetFontDescriptor",
    "SetFontDescriptorSFA",
    "SetFirstLast",
    "SetCharacterCode",
    "DownloadPCLBM",
    "DownloadPCLEO",
    "OutputPCLBMResource",
    "OutputPCLEOResource",
};
static_assert(sizeof kFunctionNames / sizeof kFunctionNames[0] ==
                  static_cast<std::size_t>(FontFunction::OutputPCLEOResource) + 1,
              "one name per reporting function");

} // namespace

bool reportFailure(FontState& state, FontFunction function, unsigned code)
{
    // The names are short literals and the code two digits, so the line always fits; snprintf keeps
    // the buffer safe all the same.
    std::snprintf(state.diagnostic, sizeof state.diagnostic, "%s(): Error Code 0x%02X\r\n",
                  kFunctionNames[static_cast<std::size_t>(function)], code & 0xFFu);
    QrlOutputDebugString(state.diagnostic);
    return false;
}

} // namespace vintrel
