// The failure lines of the font converters on the debugger-output channel: the function's name,
// "(): Error Code 0x", two hexadecimal digits and CR LF.
#pragma once

namespace vintrel {

struct FontState;

// The functions that report, named in their lines exactly as listed in kFunctionNames.
enum class FontFunction {
    CreateFontResource,
    MakeSFA,
    MakeFontHeader,
    GetFontFormat,
    GetPCLEOFont,
    PCLBM2SFA,
    PCLEO2SFA,
    LDFC2SFA,
    PCLBM2RSC,
    PCLEO2RSC,
    LDFC2RSC,
    SetFontDescriptor,
    SetFontDescriptorSFA,
    SetFirstLast,
    SetCharacterCode,
    DownloadPCLBM,
    DownloadPCLEO,
    OutputPCLBMResource,
    OutputPCLEOResource,
};

// Formats the line into the state's diagnostic buffer and sends it. Always false, so that a
// failing step can end with `return reportFailure(...)`.
bool reportFailure(FontState& state, FontFunction function, unsigned code);

} // namespace vintrel
