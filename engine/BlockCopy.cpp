#include "BlockCopy.h"

#include "InputFile.h"
#include "OutputFile.h"
#include "PairSwap.h"

#include <cstdio>
#include <vector>

namespace vintrel {
namespace {

// Even, so that no byte pair straddles two blocks.
constexpr std::size_t kBlockSize = 1 << 20;

std::vector<unsigned char> blockBuffer(std::uint64_t count)
{
    return std::vector<unsigned char>(count < kBlockSize ? static_cast<std::size_t>(count) : kBlockSize);
}

} // namespace

bool copyBytes(InputFile& in, OutputFile& out, std::uint64_t count, CopyMode mode)
{
    std::vector<unsigned char> buffer = blockBuffer(count);
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

bool swapBytePairsInFile(const std::string& path)
{
    std::uint64_t size = 0;
    if (!regularFileSize(path, size))
        return false;
    std::FILE* file = std::fopen(path.c_str(), "r+b");
    if (!file)
        return false;
    std::vector<unsigned char> buffer = blockBuffer(size);
    bool ok = true;
    for (std::uint64_t pos = 0; ok && pos < size;) {
        const std::size_t n = size - pos < buffer.size() ? static_cast<std::size_t>(size - pos) : buffer.size();
        // A stream in update mode needs a positioning call between reading and writing.
        const auto at = static_cast<long>(pos);
        ok = std::fseek(file, at, SEEK_SET) == 0 && std::fread(buffer.data(), 1, n, file) == n;
        if (ok) {
            qrl::bytes::swapBytePairs(buffer.data(), n);
            ok = std::fseek(file, at, SEEK_SET) == 0 && std::fwrite(buffer.data(), 1, n, file) == n;
        }
        pos += n;
    }
    const bool closed = std::fclose(file) == 0;
    return ok && closed;
}

} // namespace vintrel
