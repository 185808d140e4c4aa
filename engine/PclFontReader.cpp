#include "PclFontReader.h"

#include "FontDiagnostics.h"
#include "PclEscapeScanner.h"
#include "PclFontDescriptor.h"

namespace vintrel {
namespace {

bool readHeader(FontState& state, const PclCommandData& data, PclFontKind kind)
{
    if (state.mode == FontMode::Resource && !finishPclCharacter(state, kind))
        return false;
    const bool describe = state.mode == FontMode::Describe;
    if (!readPclDescriptor(state, data.bytes,
                           describe ? FontFunction::SetFontDescriptorSFA : FontFunction::SetFontDescriptor))
        return false;
    // The font is described by its first header.
    if (describe && state.description.empty())
        state.description = describePclFont(state).formatPcl();
    return true;
}

bool selectCode(FontState& state, std::int64_t code, PclFontKind kind)
{
    if (state.mode == FontMode::Resource && !finishPclCharacter(state, kind))
        return false;
    const bool describe = state.mode == FontMode::Describe;
    CodeRecord* record = state.codes.find(code);
    if (!record) {
        state.currentCode = -1;
        return reportFailure(state, describe ? FontFunction::SetCharacterCode : FontFunction::SetFirstLast,
                             0);
    }
    state.currentCode = static_cast<int>(code);
    if (!describe)
        state.codes.noteSeen(state.currentCode);
    if (state.mode == FontMode::Collect)
        record->present = true;
    return true;
}

bool handle(FontState& state, PclEscapeScanner& scanner, const PclEscape& escape, PclFontKind kind)
{
    switch (escape.key) {
    case kPclFontIdKey:
        state.fontId = escape.value;
        return true;
    case kPclFontHeaderKey:
        return readHeader(state, scanner.takeData(escape.value), kind);
    case kPclCharacterCodeKey:
        return selectCode(state, escape.value, kind);
    case kPclCharacterDownloadKey: {
        const PclCommandData data = scanner.takeData(escape.value);
        return state.mode != FontMode::Resource || downloadPclCharacter(state, kind, data);
    }
    default:
        return true;
    }
}

} // namespace

bool readPclFont(FontState& state, std::span<const unsigned char> font, PclFontKind kind, FontMode mode)
{
    beginPass(state, mode, kind == PclFontKind::Bitmap ? kPclBitmapCodes : kPclScalableCodes);
    PclEscapeScanner scanner(font);
    PclEscape escape;
    bool ok = true;
    while (ok && scanner.next(escape))
        ok = handle(state, scanner, escape, kind);
    if (ok && mode == FontMode::Resource)
        ok = finishPclCharacter(state, kind);
    if (!ok && kind == PclFontKind::Scalable)
        reportFailure(state, FontFunction::GetPCLEOFont, 1);
    return ok;
}

} // namespace vintrel
