#include "TrueTypeResources.h"

#include "ByteOrder.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace vintrel {
namespace {

using qrl::bytes::putU16BE;
using qrl::bytes::putU32BE;

constexpr std::uint32_t kHeaderWord = 0x000A0000;
constexpr std::uint16_t kHeaderDescriptor = 790;
constexpr std::uint8_t kHeaderFormat = 1;
constexpr std::uint32_t kDataWord = 0x800E0000;
constexpr std::uint32_t kIndexWord = 0x800F0000;
constexpr unsigned char kDataId[2] = {0xC3, 0xE4};
constexpr unsigned char kIndexId[2] = {0xC9, 0xE4};
constexpr std::size_t kNameFieldSize = 32;
constexpr std::uint16_t kUnmappedCode = 0xFFFE;
constexpr unsigned char kRecordDescriptor[4] = {0x0F, 0x00, 0x02, 0x0F}; // format 15, class 15
constexpr std::size_t kRecordOverhead = 10; // descriptor, size word, glyph index, pad, checksum
constexpr std::size_t kFontDataBlockSize = 12;
constexpr std::uint32_t kOmittedTables[] = {tagValue("OS/2"), tagValue("cmap"), tagValue("glyf"),
                                            tagValue("loca"), tagValue("name"), tagValue("post")};

struct SegmentEntry {
    std::uint16_t size;
    std::uint8_t first;
    std::uint8_t second;
};
constexpr SegmentEntry kSegmentEntries[] = {{4, 0, 1},  {22, 0, 1}, {22, 0, 2},
                                            {22, 1, 0}, {0, 1, 0},  {4, 1, 0}};
constexpr std::uint16_t kSegmentTrailer = 5;

std::size_t padded(std::size_t size)
{
    return (size + 3) / 4 * 4;
}

// The resource id: two id bytes and the font number.
void putResourceId(unsigned char* p, const unsigned char id[2], std::uint16_t fontNumber)
{
    p[0] = id[0];
    p[1] = id[1];
    putU16BE(p + 2, fontNumber);
}

bool isOmitted(std::uint32_t tag)
{
    for (std::uint32_t omitted : kOmittedTables)
        if (tag == omitted)
            return true;
    return false;
}

std::uint16_t firstCode(std::uint8_t fontType)
{
    return fontType == 2 || fontType == kUnboundedFontType ? 0 : 32;
}

std::uint16_t lastCode(const CodeList& codes)
{
    if (codes.fontType == kUnboundedFontType)
        return static_cast<std::uint16_t>(codes.entries.size());
    return codes.fontType == 0 ? 127 : 255;
}

} // namespace

std::vector<unsigned char> buildHeaderResource(const TrueTypeState& state)
{
    std::vector<unsigned char> out(kTrueTypeHeaderSize, 0);
    unsigned char* p = out.data();
    putU32BE(p, kTrueTypeHeaderSize);
    putU32BE(p + 4, kHeaderWord);
    putU16BE(p + 8, kHeaderDescriptor);
    p[10] = kHeaderFormat;
    p[11] = state.codes.fontType;
    putU16BE(p + 12, state.fontNumber);
    putU16BE(p + 14, 0xFFFF);
    putU16BE(p + 16, firstCode(state.codes.fontType));
    putU16BE(p + 18, lastCode(state.codes));
    putU16BE(p + 20, state.codes.symbolSetValue);
    putU16BE(p + 22, 1);
    putU16BE(p + 24, state.header.spaceWidth);
    putU16BE(p + 28, state.header.height); // 26 and 30 stay 0
    putU16BE(p + 32, state.header.styleFlags);
    putU16BE(p + 34, state.header.styleWord);
    putU16BE(p + 36, state.typefaceNumber);
    putU16BE(p + 38, state.header.unitsPerEm); // 40 to 47 stay 0
    std::memcpy(p + 48, state.typefaceName.data(), std::min(state.typefaceName.size(), kNameFieldSize));
    unsigned char* segment = p + 48 + kNameFieldSize + 8;
    putU16BE(segment, static_cast<std::uint16_t>(std::size(kSegmentEntries)));
    segment += 2;
    for (const SegmentEntry& entry : kSegmentEntries) {
        putU16BE(segment, entry.size);
        segment[2] = entry.first;
        segment[3] = entry.second;
        segment += 4;
    }
    putU16BE(segment, kSegmentTrailer);
    putResourceId(segment + 10, kDataId, state.fontNumber);
    putResourceId(segment + 14, kIndexId, state.fontNumber);
    return out;
}

std::vector<unsigned char> buildTableSegment(const TrueTypeFont& font)
{
    std::vector<const TableEntry*> kept;
    for (const TableEntry& entry : font.tables())
        if (!isOmitted(entry.tag))
            kept.push_back(&entry);
    const std::size_t directorySize = 12 + 16 * (kept.size() + 1);
    std::size_t size = directorySize;
    for (const TableEntry* entry : kept)
        size += padded(entry->length);
    if (size > std::numeric_limits<std::uint32_t>::max())
        return {};

    std::vector<unsigned char> out(size, 0);
    unsigned char* p = out.data();
    putU32BE(p, 0x00010000);
    putU16BE(p + 4, static_cast<std::uint16_t>(kept.size() + 1));
    putU16BE(p + 6, font.searchRange());
    putU16BE(p + 8, font.entrySelector());
    putU16BE(p + 10, font.rangeShift());
    putU32BE(p + 12, tagValue("gdir")); // checksum, offset and length 0
    unsigned char* entry = p + 28;
    std::size_t at = directorySize;
    for (const TableEntry* table : kept) {
        putU32BE(entry, table->tag);
        putU32BE(entry + 4, table->checksum);
        putU32BE(entry + 8, static_cast<std::uint32_t>(at));
        putU32BE(entry + 12, table->length);
        std::memcpy(p + at, font.bytes().data() + table->offset, table->length);
        at += padded(table->length);
        entry += 16;
    }
    return out;
}

std::vector<unsigned char> buildDataResource(const TrueTypeState& state)
{
    const std::size_t n = state.records.size();
    const std::size_t directoryAt = 24 + 4 * n + kFontDataBlockSize;
    const std::size_t recordsAt = directoryAt + state.segment.size();
    std::uint64_t total = recordsAt;
    for (const GlyphRecord& record : state.records)
        total += padded(record.outline.length + kRecordOverhead);
    if (n > kGlyphRecordMax || total > std::numeric_limits<std::uint32_t>::max())
        return {};

    std::vector<unsigned char> out(static_cast<std::size_t>(total), 0);
    unsigned char* p = out.data();
    putU32BE(p, static_cast<std::uint32_t>(total));
    putU32BE(p + 4, kDataWord);
    putResourceId(p + 8, kDataId, state.fontNumber);
    putU16BE(p + 12, static_cast<std::uint16_t>(n + 2));
    putU32BE(p + 16, static_cast<std::uint32_t>(4 * n + 8));
    putU32BE(p + 20, static_cast<std::uint32_t>(4 * n + 16));
    std::memcpy(p + directoryAt, state.segment.data(), state.segment.size());

    const unsigned char* font = state.font.bytes().data();
    std::size_t at = recordsAt;
    for (std::size_t i = 0; i < n; ++i) {
        const GlyphRecord& record = state.records[i];
        const std::size_t field = 24 + 4 * i;
        putU32BE(p + field, static_cast<std::uint32_t>(at - field));
        unsigned char* r = p + at;
        const std::uint32_t length = record.outline.length;
        std::memcpy(r, kRecordDescriptor, sizeof kRecordDescriptor);
        putU16BE(r + 4, static_cast<std::uint16_t>(length + 4));
        putU16BE(r + 6, record.glyph);
        std::memcpy(r + 8, font + record.outline.offset, length);
        r[9 + length] = static_cast<unsigned char>(-addToChecksum(0, r + 4, length + 4));
        at += padded(length + kRecordOverhead);
    }
    return out;
}

std::vector<unsigned char> buildIndexResource(const TrueTypeState& state)
{
    const std::size_t n = state.records.size();
    const std::size_t size = 28 + 2 * n + (n % 2 ? 2 : 0);
    std::vector<unsigned char> out(size, 0);
    unsigned char* p = out.data();
    putU32BE(p, static_cast<std::uint32_t>(size));
    putU32BE(p + 4, kIndexWord);
    putResourceId(p + 8, kIndexId, state.fontNumber);
    putU16BE(p + 12, static_cast<std::uint16_t>(n + 2));
    putU16BE(p + 14, 2);
    if (state.codes.fontType == kUnboundedFontType) {
        putU16BE(p + 16, 0xFFFF);
        putU16BE(p + 18, 0xFFFF);
        putU16BE(p + 20, 63);
        putU16BE(p + 22, 0xFFFE);
    }
    std::memcpy(p + 24, "PAGT", 4);
    // Mapped records come first in the glyph data, component-only ones after them.
    unsigned char* code = p + 28;
    for (const GlyphRecord& record : state.records) {
        putU16BE(code, record.componentOnly ? kUnmappedCode : record.code);
        code += 2;
    }
    return out;
}

} // namespace vintrel
