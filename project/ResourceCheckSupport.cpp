#include "ResourceCheckSupport.h"

#include "ResourceCheckFile.h"

#include <algorithm>

namespace resourcecheck {

namespace {

constexpr unsigned char kEscape = 0x1B;

unsigned char asciiUpper(unsigned char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 'a' + 'A') : c;
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

std::optional<std::size_t> findPclFontHeader(std::span<const unsigned char> bytes)
{
    int state = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = bytes[i];
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

std::optional<std::size_t> findKeyword(std::span<const unsigned char> bytes, std::size_t from,
                                       std::size_t lastStart, std::string_view keyword, bool matchCase)
{
    const std::size_t len = keyword.size();
    if (len == 0 || len > bytes.size())
        return std::nullopt;
    const std::size_t last = std::min(lastStart, bytes.size() - len);
    for (std::size_t p = from; p <= last; ++p) {
        std::size_t k = 0;
        while (k < len) {
            const unsigned char a = bytes[p + k];
            const unsigned char b = static_cast<unsigned char>(keyword[k]);
            if (matchCase ? a != b : asciiUpper(a) != asciiUpper(b))
                break;
            ++k;
        }
        if (k == len)
            return p;
    }
    return std::nullopt;
}

} // namespace resourcecheck
