#include "ProjectFile.h"
#include "ProjectTextIds.h"
#include "RasterTextIds.h"

#include "ByteOrder.h"
#include "ResourceCheckFile.h"
#include "ResourceCheckSupport.h"

#include <limits>

using namespace qrl::resourcecheck;

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

// The decimal number at `from`: leading blanks skipped, at least one digit, no value past 32
// bits, and every byte of it read.
bool parseNumber(ResourceCheckFile& file, std::size_t from, std::uint32_t& value)
{
    std::size_t i = from;
    while (file.at(i) == ' ' || file.at(i) == '\t')
        ++i;
    std::uint64_t v = 0;
    const std::size_t first = i;
    for (int c = file.at(i); c >= '0' && c <= '9'; c = file.at(++i)) {
        v = v * 10 + static_cast<unsigned>(c - '0');
        if (v > std::numeric_limits<std::uint32_t>::max())
            return false;
    }
    if (i == first || !file.ok())
        return false;
    value = static_cast<std::uint32_t>(v);
    return true;
}

} // namespace

bool GetSfaFontID(const QString& path, std::uint32_t& fontId, ResourceCheckMessages& messages)
{
    ResourceCheckFile file(path);
    if (!file.ok())
        return false;
    if (file.size() <= kSfaMinimum)
        return quietRefusal(messages, qrl::ids::kFileErrorFormat, qrl::ids::kFileLengthError, path);
    // A keyword that a shrinking file lost is no refusal with a message: the file was unreadable.
    const auto start = findKeyword(file, 0, kNoLimit, "!R!", true);
    if (!start)
        return file.ok() &&
               quietRefusal(messages, qrl::ids::kFileFailureFormat, qrl::ids::kStartSequenceMissing, path);
    const auto ldfc = findKeyword(file, *start + 1, kNoLimit, "LDFC", false);
    if (!ldfc)
        return file.ok() &&
               quietRefusal(messages, qrl::ids::kFileFailureFormat, qrl::ids::kLdfcMissing, path);
    const auto sfa = findKeyword(file, *ldfc + 1, kNoLimit, "SFA", false);
    if (!sfa)
        return file.ok() && quietRefusal(messages, qrl::ids::kFileFailureFormat, qrl::ids::kSfaMissing, path);

    int commas = 0;
    for (std::size_t i = *sfa + 3;; ++i) {
        const int c = file.at(i);
        if (c < 0 || c == ';')
            return false;
        if (c == ',' && ++commas == kSfaNumberComma)
            return parseNumber(file, i + 1, fontId);
    }
}

bool GetPclFontID(const QString& path, std::uint32_t& fontId, ResourceCheckMessages& messages)
{
    ResourceCheckFile file(path);
    if (!file.ok())
        return false;
    if (file.size() <= kPclFontMinimum)
        return quietRefusal(messages, qrl::ids::kFileErrorFormat, qrl::ids::kFileLengthError, path);
    const auto descriptor = findPclFontHeader(file);
    if (!file.ok())
        return false;
    // A descriptor cut off before the font number counts as no descriptor.
    const auto number =
        descriptor ? file.bytes(*descriptor + kPclFontNumberAt, 2) : std::span<const unsigned char>();
    if (number.size() < 2)
        return file.ok() &&
               quietRefusal(messages, qrl::ids::kFileErrorFormat, qrl::ids::kFontDescriptorMissing, path);
    fontId = qrl::bytes::getU16LE(number.data());
    return true;
}
