// Tells a PCL soft font, by the format of its first font header, from a printer-language bitmap
// font (LDFC).
#pragma once

#include <span>

namespace vintrel {

enum class FontClass {
    PclBitmap = 0,           // descriptor format 0
    PclScalable = 1,         // descriptor format 10
    PclScalableUnbound = 2,  // descriptor format 11
    PclFormat15 = 3,         // no converter
    PclResolutionBitmap = 4, // descriptor format 20
    Ldfc = 5,                // also any file without a recognised PCL font header
    Unknown,                 // a PCL font header of another format
};

// The first 80 bytes decide: "!R" makes an LDFC font, an escape character a PCL font, whose
// first font header then gives the class; a file with neither is taken as LDFC.
FontClass classifyFont(std::span<const unsigned char> font);

} // namespace vintrel
