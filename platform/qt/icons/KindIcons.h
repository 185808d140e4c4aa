#pragma once

#include <QPixmap>

namespace qrl::icons {

// The images of the project window and the tab strip: 0 to 3 the resource kinds by their numbers,
// and 4 for an item whose file is missing.
inline constexpr int kMissingFileImage = 4;
inline constexpr int kKindImageCount = 5;

// The image `image` (0 to 4) at `size` pixels; a null pixmap for any other index.
QPixmap kindImage(int image, int size);

} // namespace qrl::icons
