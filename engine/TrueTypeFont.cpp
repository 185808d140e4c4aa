#include "TrueTypeFont.h"

#include "ByteOrder.h"
#include "InputFile.h"

#include <limits>

namespace vintrel {
namespace {

constexpr std::size_t kOffsetTableSize = 12;
constexpr std::size_t kDirectoryEntrySize = 16;
constexpr std::uint32_t kTrueTypeVersion = 0x00010000;
constexpr std::uint32_t kAppleTrueTypeVersion = tagValue("true");
constexpr std::uint16_t kWindowsPlatform = 3;
constexpr std::uint16_t kUnicodeBmpEncoding = 1;
constexpr std::uint16_t kSegmentMapFormat = 4;
constexpr std::uint64_t kHeadLocaFormat = 50;
constexpr std::uint64_t kHheaMetricCount = 34;

} // namespace

bool TrueTypeFont::load(const std::string& path)
{
    InputFile file;
    if (!file.open(path) || file.size() > std::numeric_limits<std::uint32_t>::max())
        return false;
    std::vector<unsigned char> bytes(static_cast<std::size_t>(file.size()));
    return file.read(bytes.data(), bytes.size()) && parse(std::move(bytes));
}

bool TrueTypeFont::parse(std::vector<unsigned char> bytes)
{
    m_bytes = std::move(bytes);
    m_tables.clear();
    if (m_bytes.size() > std::numeric_limits<std::uint32_t>::max())
        return false;
    qrl::bytes::Reader reader(m_bytes.data(), m_bytes.size());
    const std::uint32_t version = reader.readU32BE();
    const std::uint16_t count = reader.readU16BE();
    m_searchRange = reader.readU16BE();
    m_entrySelector = reader.readU16BE();
    m_rangeShift = reader.readU16BE();
    if (!reader.ok() || (version != kTrueTypeVersion && version != kAppleTrueTypeVersion))
        return false;
    if (count > (m_bytes.size() - kOffsetTableSize) / kDirectoryEntrySize)
        return false;
    m_tables.reserve(count);
    for (std::uint16_t i = 0; i < count; ++i) {
        TableEntry entry{reader.readU32BE(), reader.readU32BE(), reader.readU32BE(), reader.readU32BE()};
        if (entry.offset > m_bytes.size() || entry.length > m_bytes.size() - entry.offset)
            return false;
        m_tables.push_back(entry);
    }
    return reader.ok();
}

const TableEntry* TrueTypeFont::table(const char tag[5]) const
{
    const std::uint32_t wanted = tagValue(tag);
    for (const TableEntry& entry : m_tables)
        if (entry.tag == wanted)
            return &entry;
    return nullptr;
}

std::optional<std::uint32_t> TrueTypeFont::value(std::uint64_t base, std::uint64_t offset,
                                                 unsigned size) const
{
    if (size != 1 && size != 2 && size != 4)
        return std::nullopt;
    const std::uint64_t total = m_bytes.size();
    if (base > total || offset > total - base || size > total - base - offset)
        return std::nullopt;
    const unsigned char* p = m_bytes.data() + base + offset;
    if (size == 1)
        return *p;
    return size == 2 ? qrl::bytes::getU16BE(p) : qrl::bytes::getU32BE(p);
}

bool TrueTypeFont::prepareGlyphLookup()
{
    const TableEntry* cmap = table("cmap");
    const TableEntry* head = table("head");
    m_loca = table("loca");
    m_glyf = table("glyf");
    m_hmtx = table("hmtx");
    if (!cmap || !head || !m_loca || !m_glyf || !m_hmtx)
        return false;
    const auto locaFormat = value(head->offset, kHeadLocaFormat, 2);
    if (!locaFormat || head->length < kHeadLocaFormat + 2)
        return false;
    m_longLoca = *locaFormat != 0;

    const TableEntry* hhea = table("hhea");
    const auto declared = hhea && hhea->length >= kHheaMetricCount + 2
                              ? value(hhea->offset, kHheaMetricCount, 2)
                              : std::nullopt;
    const std::uint32_t fitting = m_hmtx->length / 4;
    m_metricCount = declared && *declared < fitting ? *declared : fitting;

    m_cmapEnd = static_cast<std::uint64_t>(cmap->offset) + cmap->length;
    const auto subtables = value(cmap->offset, 2, 2);
    if (!subtables || cmap->length < 4)
        return false;
    for (std::uint32_t i = 0; i < *subtables; ++i) {
        const std::uint64_t record = 4 + 8ull * i;
        if (record + 8 > cmap->length)
            return false;
        if (value(cmap->offset, record, 2) != kWindowsPlatform ||
            value(cmap->offset, record + 2, 2) != kUnicodeBmpEncoding)
            continue;
        const std::uint64_t subtable =
            cmap->offset + static_cast<std::uint64_t>(*value(cmap->offset, record + 4, 4));
        if (subtable + 14 > m_cmapEnd || value(subtable, 0, 2) != kSegmentMapFormat)
            return false;
        m_segCount = static_cast<std::uint16_t>(*value(subtable, 6, 2) / 2);
        // End codes, pad, start codes, deltas and range offsets: 8 bytes a segment and 2 more.
        if (m_segCount == 0 || subtable + 16 + 8ull * m_segCount > m_cmapEnd)
            return false;
        m_segments = subtable;
        return true;
    }
    return false;
}

std::optional<std::uint16_t> TrueTypeFont::glyphOf(std::uint16_t unicode) const
{
    const std::uint64_t ends = m_segments + 14;
    const std::uint64_t s2 = 2ull * m_segCount;
    for (std::uint64_t i = 0; i < m_segCount; ++i) {
        if (*value(ends, 2 * i, 2) < unicode)
            continue;
        const std::uint32_t start = *value(ends + s2 + 2, 2 * i, 2);
        if (start > unicode)
            return std::nullopt;
        const std::uint32_t delta = *value(ends + 2 * s2 + 2, 2 * i, 2);
        const std::uint64_t rangeAt = ends + 3 * s2 + 2 + 2 * i;
        const std::uint32_t rangeOffset = *value(rangeAt, 0, 2);
        if (rangeOffset == 0)
            return static_cast<std::uint16_t>(unicode + delta);
        const std::uint64_t at = rangeAt + rangeOffset + 2ull * (unicode - start);
        if (at + 2 > m_cmapEnd)
            return std::uint16_t{0};
        const std::uint32_t glyph = *value(at, 0, 2);
        return static_cast<std::uint16_t>(glyph == 0 ? 0 : glyph + delta);
    }
    return std::nullopt;
}

std::optional<GlyphLocation> TrueTypeFont::locate(std::uint16_t glyph) const
{
    const unsigned size = m_longLoca ? 4 : 2;
    const std::uint64_t entries = m_loca->length / size;
    if (static_cast<std::uint64_t>(glyph) + 1 >= entries)
        return std::nullopt;
    std::uint64_t start = *value(m_loca->offset, static_cast<std::uint64_t>(glyph) * size, size);
    std::uint64_t end = *value(m_loca->offset, (static_cast<std::uint64_t>(glyph) + 1) * size, size);
    if (!m_longLoca) {
        start *= 2;
        end *= 2;
    }
    if (end < start || start > m_glyf->length || end - start > m_glyf->length - start)
        return std::nullopt;
    return GlyphLocation{static_cast<std::uint32_t>(m_glyf->offset + start),
                         static_cast<std::uint32_t>(end - start)};
}

std::optional<std::uint16_t> TrueTypeFont::advanceWidth(std::uint16_t glyph) const
{
    if (m_metricCount == 0)
        return std::nullopt;
    const std::uint32_t metric = glyph < m_metricCount ? glyph : m_metricCount - 1;
    const auto width = value(m_hmtx->offset, 4ull * metric, 2);
    if (!width)
        return std::nullopt;
    return static_cast<std::uint16_t>(*width);
}

} // namespace vintrel
