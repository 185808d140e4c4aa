#pragma once

#include <QString>

// The resolution of a printer-language bitmap font, and the patch of its font header for 600 dpi.
namespace qrl::build {

// The font's resolution: the tenth parameter of the first "LDFC" command after a "!R!", read
// within the file's bytes. True with `resolution` -1 when the command has fewer parameters or
// the file cannot be read. False after the file message for a file of 20 bytes or less or one
// without "!R!" or "LDFC", and after the memory message when the file cannot be held.
bool GetLDFCResolution(const QString& path, int& resolution);

// For a 600 dpi font, writes 600 twice (big-endian 16-bit) at bytes 80 to 83 of the item's font
// header "BBM%05d.HDR" in the current directory. A header that cannot be opened or written, or
// is too short to hold those bytes, is left alone after message 2463.
void FixFontHeaderResolution(const QString& path, int index);

} // namespace qrl::build
