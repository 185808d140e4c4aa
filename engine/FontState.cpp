#include "FontState.h"

namespace vintrel {

FontState& fontState()
{
    static FontState state;
    return state;
}

FontState& resetFontState()
{
    FontState& state = fontState();
    state = FontState{};
    return state;
}

void beginPass(FontState& state, FontMode mode, std::size_t codeCount)
{
    state.mode = mode;
    state.codes.reset(codeCount);
    state.glyphData.clear();
    state.descriptor.fill(0);
    state.fontId = 0;
    state.currentCode = -1;
    state.pending = PendingCharacter{};
    state.ldfc = LdfcFontValues{};
    state.unitScale = 300.0f;
    state.ldfcFontNumber.reset();
}

} // namespace vintrel
