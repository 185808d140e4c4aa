// Moves file data in large blocks.
#pragma once

#include <cstdint>
#include <string>

namespace vintrel {

class InputFile;
class OutputFile;

enum class CopyMode { Plain, SwapPairs };

// Copies `count` bytes from the input's current position to the output. False on a short read or a
// failed write. With SwapPairs the pairs are counted from the first byte copied, and an odd last
// byte is copied unchanged.
bool copyBytes(InputFile& in, OutputFile& out, std::uint64_t count, CopyMode mode = CopyMode::Plain);

// Swaps every byte pair of the regular file `path` in place; an odd last byte stays. False when the
// file cannot be read or written whole (it may then be swapped in part).
bool swapBytePairsInFile(const std::string& path);

} // namespace vintrel
