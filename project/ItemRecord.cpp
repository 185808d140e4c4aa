#include "ItemRecord.h"

#include "ByteOrder.h"

using namespace qrl::bytes;

ItemRecord::Bytes ItemRecord::encode() const
{
    Bytes b{};
    b[0] = resourceType;
    putFixedText(&b[kNameOffset], kNameFieldSize, name);
    putU32LE(&b[kResourceIdOffset], resourceId);
    putU32LE(&b[kTypefaceIdOffset], typefaceId);
    b[kSymbolSetOffset] = symbolSet;
    b[kSpareOffset] = spare;
    putU16LE(&b[kAutomaticFlagOffset], automaticFlag);
    putFixedText(&b[kPathOffset], kPathFieldSize, path);
    putU32LE(&b[kFileSizeOffset], fileSize);
    return b;
}

ItemRecord ItemRecord::decode(const unsigned char* b)
{
    ItemRecord r;
    r.resourceType = b[0];
    r.name = getFixedText(&b[kNameOffset], kNameFieldSize);
    if (r.name.size() > kMaxNameLength)
        r.name.resize(kMaxNameLength);
    r.resourceId = getU32LE(&b[kResourceIdOffset]);
    r.typefaceId = getU32LE(&b[kTypefaceIdOffset]);
    r.symbolSet = b[kSymbolSetOffset];
    r.spare = b[kSpareOffset];
    r.automaticFlag = getU16LE(&b[kAutomaticFlagOffset]);
    r.path = getFixedText(&b[kPathOffset], kPathFieldSize);
    if (r.path.size() > kMaxPathLength)
        r.path.resize(kMaxPathLength);
    r.fileSize = getU32LE(&b[kFileSizeOffset]);
    return r;
}
