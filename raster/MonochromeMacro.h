// The monochrome road: a BMP drawn as printable raster rows.
#pragma once

#include "MacroRequest.h"

namespace pelmora {

// Writes the macro for request.sourcePath into request.outputPath. 1 on success, else 0; shows
// only the write-failure message. May throw std::bad_alloc (the export answers 0).
int createMonochromeMacro(const MacroRequest& request);

} // namespace pelmora
