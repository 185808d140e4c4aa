// The JPEG and TIFF road: the file's bytes wrapped unchanged in a macro, for the printer to
// decode itself.
#pragma once

#include "MacroRequest.h"

namespace pelmora {

// Writes the macro wrapping request.sourcePath into request.outputPath; request.imageType is
// JPEG or TIFF. 1 on success, else 0 after the message that says why.
int createWrappedImageMacro(const MacroRequest& request);

} // namespace pelmora
