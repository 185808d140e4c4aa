#include "ResourceCheckSupport.h"

#include "ProjectTextIds.h"
#include "RasterTextIds.h"
#include "ResourceCheckFile.h"

#include <algorithm>

namespace qrl::resourcecheck {

namespace {

constexpr unsigned char kEscape = 0x1B;

int asciiUpper(int c)
{
    return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
}

// The scans below take the bytes through `byteAt`, which answers -1 for a byte that cannot be
// read; a scan ends there as at the end of the bytes.
template <typename ByteAt>
std::optional<std::size_t> pclFontHeaderIn(std::size_t size, ByteAt byteAt)
{
    int state = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const int c = byteAt(i);
        if (c < 0)
            break;
        if (c == kEscape)
            state = 1;
        else if (state == 1 && c == ')')
            state = 2;
        else if (state == 2 && c == 's')
            state = 3;
        else if (state == 3 && c == 'W')
            return i + 1;
    }
    return std::nullopt;
}

template <typename ByteAt>
std::optional<std::size_t> keywordIn(std::size_t size, ByteAt byteAt, std::size_t from, std::size_t lastStart,
                                     std::string_view keyword, bool matchCase)
{
    const std::size_t len = keyword.size();
    if (len == 0 || len > size)
        return std::nullopt;
    const std::size_t last = std::min(lastStart, size - len);
    for (std::size_t p = from; p <= last; ++p) {
        std::size_t k = 0;
        while (k < len) {
            const int a = byteAt(p + k);
            if (a < 0)
                return std::nullopt;
            const int b = static_cast<unsigned char>(keyword[k]);
            if (matchCase ? a != b : asciiUpper(a) != asciiUpper(b))
                break;
            ++k;
        }
        if (k == len)
            return p;
    }
    return std::nullopt;
}

} // namespace

bool refuse(ResourceCheckMessages& messages, Shown shown, int formatId, int errorId, const QString& path)
{
    if (shown == Shown::Always)
        messages.showFileError(formatId, errorId, qrl::ids::kHintNotInserted, path);
    else
        messages.showFileMessage(formatId, errorId, qrl::ids::kHintNotInserted, path, qrl::Buttons::Ok);
    return false;
}

bool readableAndLonger(const ResourceCheckFile& file, std::size_t minimum, ResourceCheckMessages& messages,
                       Shown shown, const QString& path)
{
    if (!file.ok())
        return refuse(messages, shown, qrl::ids::kFileErrorFormat, qrl::ids::kErrorOpeningFile, path);
    if (file.size() <= minimum)
        return refuse(messages, shown, qrl::ids::kFileErrorFormat, qrl::ids::kFileLengthError, path);
    return true;
}

bool refuseMissing(const ResourceCheckFile& file, ResourceCheckMessages& messages, Shown shown, int formatId,
                   int errorId, const QString& path)
{
    if (!file.ok())
        return refuse(messages, shown, qrl::ids::kFileErrorFormat, qrl::ids::kErrorOpeningFile, path);
    return refuse(messages, shown, formatId, errorId, path);
}

std::optional<std::size_t> findPclFontHeader(std::span<const unsigned char> bytes)
{
    return pclFontHeaderIn(bytes.size(), [bytes](std::size_t i) { return int{bytes[i]}; });
}

std::optional<std::size_t> findPclFontHeader(ResourceCheckFile& file)
{
    return pclFontHeaderIn(file.size(), [&file](std::size_t i) { return file.at(i); });
}

std::optional<std::size_t> findKeyword(std::span<const unsigned char> bytes, std::size_t from,
                                       std::size_t lastStart, std::string_view keyword, bool matchCase)
{
    return keywordIn(
        bytes.size(), [bytes](std::size_t i) { return int{bytes[i]}; }, from, lastStart, keyword, matchCase);
}

std::optional<std::size_t> findKeyword(ResourceCheckFile& file, std::size_t from, std::size_t lastStart,
                                       std::string_view keyword, bool matchCase)
{
    return keywordIn(
        file.size(), [&file](std::size_t i) { return file.at(i); }, from, lastStart, keyword, matchCase);
}

} // namespace qrl::resourcecheck
