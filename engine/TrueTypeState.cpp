// The conversion state and the byte-level helper exports of the TrueType conversion.
#include "TrueTypeState.h"

#include "vintrel.h"

#include "ByteOrder.h"
#include "ExportGuard.h"

#include <cstdio>
#include <vector>

namespace vintrel {
namespace {

constexpr std::size_t kCopyBlockSize = 1 << 16;

TrueTypeState& stateStorage()
{
    static TrueTypeState state;
    return state;
}

bool writeBytes(std::FILE* target, const unsigned char* bytes, std::size_t count)
{
    return target && std::fwrite(bytes, 1, count, target) == count;
}

} // namespace

TrueTypeState& trueTypeState()
{
    return stateStorage();
}

void resetTrueTypeState()
{
    stateStorage() = TrueTypeState{};
}

std::uint8_t addToChecksum(std::uint8_t sum, const unsigned char* bytes, std::size_t count)
{
    unsigned total = sum;
    for (std::size_t i = 0; i < count; ++i)
        total += bytes[i];
    return static_cast<std::uint8_t>(total);
}

} // namespace vintrel

extern "C" {

VINTREL_API int GetValue(uint32_t base, uint32_t offset, uint32_t size, uint32_t* value)
{
    return vintrel::guardedExport([&] {
        const vintrel::TrueTypeState& s = vintrel::trueTypeState();
        const auto read = s.fontLoaded ? s.font.value(base, offset, size) : std::nullopt;
        if (!read || !value)
            return false;
        *value = *read;
        return true;
    });
}

VINTREL_API int CopyFileExternal(FILE* source, FILE* target, uint32_t offset, uint32_t count)
{
    return vintrel::guardedExport([&] {
        if (!source || !target || std::fseek(source, static_cast<long>(offset), SEEK_SET) != 0)
            return false;
        std::vector<unsigned char> block(count < vintrel::kCopyBlockSize ? count : vintrel::kCopyBlockSize);
        for (std::uint32_t left = count; left > 0;) {
            const std::size_t n = left < block.size() ? left : block.size();
            if (std::fread(block.data(), 1, n, source) != n || !vintrel::writeBytes(target, block.data(), n))
                return false;
            left -= static_cast<std::uint32_t>(n);
        }
        return true;
    });
}

VINTREL_API int fprintf_BYTE(FILE* target, uint32_t value)
{
    const unsigned char byte = static_cast<unsigned char>(value);
    return vintrel::writeBytes(target, &byte, 1) ? 1 : 0;
}

VINTREL_API int fprintf_WORD(FILE* target, uint32_t value)
{
    unsigned char bytes[2];
    qrl::bytes::putU16BE(bytes, static_cast<std::uint16_t>(value));
    return vintrel::writeBytes(target, bytes, sizeof bytes) ? 1 : 0;
}

VINTREL_API int fprintf_DWORD(FILE* target, uint32_t value)
{
    unsigned char bytes[4];
    qrl::bytes::putU32BE(bytes, value);
    return vintrel::writeBytes(target, bytes, sizeof bytes) ? 1 : 0;
}

VINTREL_API int fprintf_ASCII(FILE* target, uint32_t offset, uint32_t count)
{
    vintrel::TrueTypeState& s = vintrel::trueTypeState();
    const std::vector<unsigned char>& font = s.font.bytes();
    if (!s.fontLoaded || offset > font.size() || count > font.size() - offset)
        return 0;
    if (!vintrel::writeBytes(target, font.data() + offset, count))
        return 0;
    s.checksum = vintrel::addToChecksum(s.checksum, font.data() + offset, count);
    return 1;
}

} // extern "C"
