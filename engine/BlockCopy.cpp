#include "BlockCopy.h"

#include "InputFile.h"
#include "OutputFile.h"
#include "PairSwap.h"

#include <vector>

namespace vintrel {
namespace {

// Even, so that no byte pair straddles two blocks.
constexpr std::size_t kBlockSize = 1 << 20;

// One block for every copy of the thread: a block made anew for each copy would be zero-filled
// and, being large, mapped and faulted in page by page each time.
std::vector<unsigned char>& blockBuffer()
{
    thread_local std::vector<unsigned char> buffer(kBlockSize);
    return buffer;
}

} // namespace

bool copyBytes(InputFile& in, OutputFile& out, std::uint64_t count, CopyMode mode)
{
    std::vector<unsigned char>& buffer = blockBuffer();
    while (count > 0) {
        const std::size_t n = count < buffer.size() ? static_cast<std::size_t>(count) : buffer.size();
        if (!in.read(buffer.data(), n))
            return false;
        if (mode == CopyMode::SwapPairs)
            qrl::bytes::swapBytePairs(buffer.data(), n);
        if (!out.write(buffer.data(), n))
            return false;
        count -= n;
    }
    return true;
}

} // namespace vintrel
