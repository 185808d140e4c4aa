#include "ProjectFileOldRecord.h"

#include "ByteOrder.h"

#include <algorithm>

using namespace qrl::bytes;

namespace {

constexpr std::size_t kPathOffset = 2;
constexpr std::size_t kPathSize = 141;
constexpr std::size_t kKindOffset = 143;
constexpr std::size_t kFileSizeOffset = 145;
constexpr std::size_t kFontNumberOffset = 167;
constexpr std::size_t kTypefaceOffset209 = 171;
constexpr std::size_t kSymbolSetOffset209 = 175;
constexpr std::size_t kNameOffset203 = 171;
constexpr std::size_t kNameOffset209 = 177;
constexpr std::size_t kNameSize = 32;

int signed16(const unsigned char* p)
{
    return static_cast<std::int16_t>(getU16LE(p));
}

} // namespace

ProjectFileOldRecord ProjectFileOldRecord::decode(const unsigned char* b, std::size_t recordSize)
{
    ProjectFileOldRecord r;
    r.path = getFixedText(b + kPathOffset, kPathSize);
    r.kind = signed16(b + kKindOffset);
    r.fileSize = getU32LE(b + kFileSizeOffset);
    if (recordSize == kSize209) {
        r.fontNumber = getU32LE(b + kFontNumberOffset);
        r.typeface = getU32LE(b + kTypefaceOffset209);
        r.symbolSet = b[kSymbolSetOffset209];
        r.name = getFixedText(b + kNameOffset209, kNameSize);
    } else {
        r.fontNumber = getU16LE(b + kFontNumberOffset);
        r.name = getFixedText(b + kNameOffset203, kNameSize);
    }
    return r;
}

int ProjectFileOldRecord::headerCount(const unsigned char* b)
{
    return signed16(b);
}

bool ProjectFileOldRecord::hasMarker(const unsigned char* b, std::size_t available, std::size_t recordSize)
{
    const std::size_t size = std::min(available, recordSize);
    const std::string_view marker = recordSize == kSize209 ? kMarker209 : kMarker203;
    // A file too short to hold the text and its zero byte does not match.
    if (size <= kMarkerOffset || size - kMarkerOffset < marker.size() + 1)
        return false;
    return getFixedText(b + kMarkerOffset, size - kMarkerOffset) == marker;
}
