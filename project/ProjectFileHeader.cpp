#include "ProjectFileHeader.h"

#include "ByteOrder.h"
#include "CProjSett.h"

#include <algorithm>

using namespace qrl::bytes;

ProjectFileHeader::Bytes ProjectFileHeader::encode() const
{
    Bytes b{};
    putU32LE(&b[kItemCountOffset], itemCount);
    putU16LE(&b[kMediumOffset], medium);
    b[kSizeIndexOffset] = sizeIndex;
    b[kExtraOffset] = extra;
    putU16LE(&b[kSignatureOffset], kSignature);
    putFixedText(&b[kMarkerOffset], kMarker.size() + 1, kMarker);
    if (sizeIndex == StorageSizeTable::kCustomIndex)
        putU32LE(&b[kCustomSizeOffset], customSize);
    return b;
}

ProjectFileHeader ProjectFileHeader::decode(const Bytes& b)
{
    ProjectFileHeader h;
    h.itemCount = getU32LE(&b[kItemCountOffset]);
    h.medium = b[kMediumOffset];
    h.sizeIndex = b[kSizeIndexOffset];
    h.extra = b[kExtraOffset];
    h.customSize = getU32LE(&b[kCustomSizeOffset]);
    return h;
}

bool ProjectFileHeader::hasMarker(const unsigned char* bytes, std::size_t size)
{
    // A file too short to hold the text and its zero byte does not match.
    if (size <= kMarkerOffset || size - kMarkerOffset < kMarker.size() + 1)
        return false;
    // The marker's field runs to the custom size; it never reads past the bytes given.
    const std::size_t field = std::min(size, kCustomSizeOffset) - kMarkerOffset;
    return getFixedText(bytes + kMarkerOffset, field) == kMarker;
}
