#pragma once

#include "CQuorlyn32Doc.h"

#include <QString>

namespace qrl::bitmapmacro {

// The raster library's field sizes of each text argument, with its terminating NUL.
inline constexpr int kPathField = 260;
inline constexpr int kNameField = 8;
inline constexpr int kListField = 16;
inline constexpr int kNumberField = 8;

// Whether every text of the call fits its field; a text that does not is refused, never cut,
// after a message naming it (a path as one the project cannot hold, the name as not acceptable,
// any other value as too big).
bool fitsLibraryFields(const QString& imagePath, const CQuorlyn32Doc::BitmapToMacroRequest& request);

// Writes the macro file `request.path` from the image `imagePath` through the raster library:
// CreateColorMacro when the colour flag is set, else CreateMacro, with the eighteen arguments
// (the texts, the orientation, the image type, 260, no extra text, the program's host, 0, 0, 0).
// False when a text does not fit (after its message) or the library answers 0 (it has shown why).
bool createMacroFile(const QString& imagePath, const CQuorlyn32Doc::BitmapToMacroRequest& request);

} // namespace qrl::bitmapmacro

// Opens the bitmap-to-macro dialog for an image being added to a project. The program installs
// the dialog; until one is installed every request is answered as cancelled.
class BitmapToMacroRunner {
public:
    virtual ~BitmapToMacroRunner() = default;
    // True only when the user confirmed; `request` then holds the dialog's results.
    virtual bool run(CQuorlyn32Doc& project, CQuorlyn32Doc::BitmapToMacroRequest& request) = 0;
};

BitmapToMacroRunner& bitmapToMacroRunner();
// Installs `runner` (not owned); nullptr goes back to the cancelling one. Returns the previous one.
BitmapToMacroRunner* setBitmapToMacroRunner(BitmapToMacroRunner* runner);
