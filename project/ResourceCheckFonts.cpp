#include "ProjectTextIds.h"
#include "RasterTextIds.h"
#include "ResourceCheck.h"

#include "ByteOrder.h"
#include "ResourceCheckFile.h"
#include "ResourceCheckSupport.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

using namespace qrl::resourcecheck;

namespace {

// TrueType: the table count at 4, the table directory of 16-byte entries from 12 (tag, checksum,
// offset, length), the head table's magic number at its offset 12.
constexpr std::size_t kTrueTypeMinimum = 172; // a file must be longer than this
constexpr std::size_t kTableCountOffset = 4;
constexpr unsigned kMinTables = 10;
constexpr unsigned kMaxTables = 23;
constexpr std::size_t kDirectoryOffset = 12;
constexpr std::size_t kDirectoryEntrySize = 16;
constexpr std::size_t kEntryOffsetField = 8;
constexpr std::size_t kMagicInHead = 12;
constexpr std::array<unsigned char, 4> kHeadTag = {'h', 'e', 'a', 'd'};
constexpr std::array<unsigned char, 4> kHeadMagic = {0x5F, 0x0F, 0x3C, 0xF5};

// PCL soft fonts: the descriptor follows the header escape; its byte 2 is the format number.
constexpr std::size_t kPclFontMinimum = 69; // a file must be longer than this
constexpr std::size_t kDescriptorStartRead = 4;
constexpr std::size_t kFormatByte = 2;

bool equalAt(ResourceCheckFile& file, std::size_t at, const std::array<unsigned char, 4>& what)
{
    const auto b = file.bytes(at, what.size());
    return b.size() == what.size() && std::equal(what.begin(), what.end(), b.begin());
}

bool checkPclFont(const QString& path, ResourceCheckMessages& messages, Shown shown, unsigned formatA,
                  unsigned formatB)
{
    ResourceCheckFile file(path);
    if (!readableAndLonger(file, kPclFontMinimum, messages, shown, path))
        return false;
    const auto descriptor = findPclFontHeader(file);
    // A header escape at the very end has no descriptor behind it.
    if (!descriptor || file.size() - *descriptor < kDescriptorStartRead)
        return refuseMissing(file, messages, shown, qrl::ids::kFileErrorFormat,
                             qrl::ids::kFontDescriptorMissing, path);
    const int format = file.at(*descriptor + kFormatByte);
    if (format >= 0 && (static_cast<unsigned>(format) == formatA || static_cast<unsigned>(format) == formatB))
        return true;
    return refuseMissing(file, messages, shown, qrl::ids::kFileErrorFormat, qrl::ids::kFormatNumberError,
                         path);
}

} // namespace

bool CheckTrueTypeFile(const QString& path, ResourceCheckMessages& messages)
{
    constexpr Shown shown = Shown::Always;
    ResourceCheckFile file(path);
    if (!readableAndLonger(file, kTrueTypeMinimum, messages, shown, path))
        return false;
    // The table count and the whole directory lie inside the first window.
    const std::size_t size = file.size();
    const auto b = file.bytes(0, kDirectoryOffset + kMaxTables * kDirectoryEntrySize);
    if (b.size() < kTrueTypeMinimum)
        return refuseMissing(file, messages, shown, qrl::ids::kFileErrorFormat, qrl::ids::kFileLengthError,
                             path);
    const unsigned tables = qrl::bytes::getU16BE(&b[kTableCountOffset]);
    if (tables < kMinTables || tables > kMaxTables)
        return refuse(messages, shown, qrl::ids::kFileErrorFormat, qrl::ids::kTableCountError, path);

    std::optional<std::size_t> head;
    for (unsigned i = 0; i < tables && !head; ++i) {
        const std::size_t entry = kDirectoryOffset + i * kDirectoryEntrySize;
        // A directory that runs past the end of the file is a cut-off font.
        if (entry > b.size() || kDirectoryEntrySize > b.size() - entry)
            return refuse(messages, shown, qrl::ids::kFileErrorFormat, qrl::ids::kFileLengthError, path);
        if (std::equal(kHeadTag.begin(), kHeadTag.end(), b.begin() + static_cast<std::ptrdiff_t>(entry)))
            head = entry;
    }
    if (!head)
        return refuse(messages, shown, qrl::ids::kFileErrorFormat, qrl::ids::kHeadTableMissing, path);

    const std::uint32_t offset = qrl::bytes::getU32BE(&b[*head + kEntryOffsetField]);
    // The size is above 172, so the subtraction cannot wrap; below size - 16 the magic number at
    // offset + 12 lies inside the file.
    if (offset >= size - 16)
        return refuse(messages, shown, qrl::ids::kFileErrorFormat, qrl::ids::kHeadOffsetError, path);
    if (!equalAt(file, offset + kMagicInHead, kHeadMagic))
        return refuseMissing(file, messages, shown, qrl::ids::kFileErrorFormat, qrl::ids::kMagicNumberMissing,
                             path);
    return true;
}

bool CheckPclScalableFont(const QString& path, ResourceCheckMessages& messages)
{
    return checkPclFont(path, messages, Shown::Always, 10, 11);
}

bool CheckPclBitmapFont(const QString& path, ResourceCheckMessages& messages)
{
    return checkPclFont(path, messages, Shown::Quietly, 0, 20);
}
