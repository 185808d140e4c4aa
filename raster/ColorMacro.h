// The colour road: a 16- or 256-colour BMP drawn as RGB raster rows.
#pragma once

#include "MacroRequest.h"

namespace pelmora {

// Writes the macro for request.sourcePath into request.outputPath. 1 on success, else 0 after
// the message that says why.
int createColorBitmapMacro(const MacroRequest& request);

} // namespace pelmora
