#include "ProjectFile.h"

#include "ByteOrder.h"
#include "ResourceCheckFile.h"
#include "ResourceCheckSupport.h"

#include <limits>

using namespace resourcecheck;

namespace {

constexpr std::size_t kSfaMinimum = 20;      // a file must be longer than this
constexpr std::size_t kPclFontMinimum = 69;  // a file must be longer than this
constexpr int kSfaNumberComma = 8;           // the font number follows the eighth comma
constexpr std::size_t kPclFontNumberAt = 25; // into the font descriptor
constexpr std::size_t kNoLimit = std::numeric_limits<std::size_t>::max();

bool quietRefusal(ResourceCheckMessages& messages, int formatId, int errorId, const QString& path)
{
    return refuse(messages, Shown::Quietly, formatId, errorId, path);
}

// The decimal number at the start of `text`: leading blanks skipped, at least one digit, no
// value past 32 bits.
bool parseNumber(std::span<const unsigned char> text, std::uint32_t& value)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    std::uint64_t v = 0;
    const std::size_t first = i;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > std::numeric_limits<std::uint32_t>::max())
            return false;
    }
    if (i == first)
        return false;
    value = static_cast<std::uint32_t>(v);
    return true;
}

} // namespace

bool GetSfaFontID(const QString& path, std::uint32_t& fontId, ResourceCheckMessages& messages)
{
    const ResourceCheckFile file(path);
    if (!file.ok())
        return false;
    if (file.size() <= kSfaMinimum)
        return quietRefusal(messages, qrl::ids::kFileErrorFormat, qrl::ids::kFileLengthError, path);
    const auto b = file.bytes();
    const auto start = findKeyword(b, 0, kNoLimit, "!R!", true);
    if (!start)
        return quietRefusal(messages, qrl::ids::kFileFailureFormat, qrl::ids::kStartSequenceMissing, path);
    const auto ldfc = findKeyword(b, *start + 1, kNoLimit, "LDFC", false);
    if (!ldfc)
        return quietRefusal(messages, qrl::ids::kFileFailureFormat, qrl::ids::kLdfcMissing, path);
    const auto sfa = findKeyword(b, *ldfc + 1, kNoLimit, "SFA", false);
    if (!sfa)
        return quietRefusal(messages, qrl::ids::kFileFailureFormat, qrl::ids::kSfaMissing, path);

    int commas = 0;
    for (std::size_t i = *sfa + 3; i < b.size() && b[i] != ';'; ++i) {
        if (b[i] == ',' && ++commas == kSfaNumberComma) {
            std::size_t end = i + 1;
            while (end < b.size() && b[end] != ';')
                ++end;
            return parseNumber(b.subspan(i + 1, end - i - 1), fontId);
        }
    }
    return false;
}

bool GetPclFontID(const QString& path, std::uint32_t& fontId, ResourceCheckMessages& messages)
{
    const ResourceCheckFile file(path);
    if (!file.ok())
        return false;
    if (file.size() <= kPclFontMinimum)
        return quietRefusal(messages, qrl::ids::kFileErrorFormat, qrl::ids::kFileLengthError, path);
    const auto b = file.bytes();
    const auto descriptor = findPclFontHeader(b);
    // A descriptor cut off before the font number counts as no descriptor.
    if (!descriptor || kPclFontNumberAt > b.size() - *descriptor ||
        b.size() - *descriptor - kPclFontNumberAt < 2)
        return quietRefusal(messages, qrl::ids::kFileErrorFormat, qrl::ids::kFontDescriptorMissing, path);
    fontId = qrl::bytes::getU16LE(&b[*descriptor + kPclFontNumberAt]);
    return true;
}
