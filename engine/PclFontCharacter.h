// The character downloads of a PCL soft font (DownloadPCLBM for bitmap characters, DownloadPCLEO
// for scalable ones) and their entry into the code table and the glyph data.
#pragma once

#include "PclEscapeScanner.h"

namespace vintrel {

struct FontState;

enum class PclFontKind { Bitmap, Scalable };

// One character-download command for the code selected last. A first block (continuation byte 0)
// starts a character; a continuation block adds its data to the character before it. False, with
// the function's line, for a download without a selected code or one cut short.
bool downloadPclCharacter(FontState& state, PclFontKind kind, const PclCommandData& data);

// Enters the character begun by the last downloads, if any, into the code table: a bitmap
// character whose raster does not make its size is passed over; one beyond the largest glyph
// fails. An EO character's data is padded to a multiple of 4 bytes.
bool finishPclCharacter(FontState& state, PclFontKind kind);

} // namespace vintrel
