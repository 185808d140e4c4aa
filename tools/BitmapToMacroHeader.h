#pragma once

#include "BitmapToMacroForm.h"

#include <QString>

namespace qrl::bitmapmacro {

// Reads what the dialog shows of an image into the form: for a BMP the pixel size and the
// resolution (in dots per inch when the file gives at least 40 pixels per metre, else as stored);
// for a JFIF JPEG whose density is in dots per inch that density, and no pixel size. A TIFF is not
// read. Answers 0, or the string id of the error (kFileCannotBeOpened, kBmpHeaderUnreadable for a
// short read, kNotBmp) for the three-part file message.
int readImageHeader(BitmapToMacroForm& form);

} // namespace qrl::bitmapmacro
