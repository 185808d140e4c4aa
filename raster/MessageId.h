// The string ids of the texts the generator shows. The texts themselves live in the calling
// program's string table; the library knows only their ids.
#pragma once

namespace pelmora {

enum class MessageId : unsigned {
    None = 0,
    NotBmp = 2382,
    NoMemoryForFile = 2383,
    CreateFailed = 2385,
    WriteFailed = 2386,
    NoMemory = 2387,
    NotColorBmp = 2388,
    FileErrorFormat = 2400, // the three-part file message: file, error text, hint
    NotInserted = 2401,     // the hint of every file message
    HeaderUnreadable = 2430,
    CannotOpen = 2431,
    PaletteUnreadable = 2432,
    OffsetUnreadable = 2433,
    PixelsUnreadable = 2434,
    OutputIsSource = 9080, // the macro file named is the image itself
};

} // namespace pelmora
