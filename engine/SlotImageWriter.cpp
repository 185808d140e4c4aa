#include "SlotImageWriter.h"

#include "BlockCopy.h"
#include "ByteOrder.h"
#include "ContextAccess.h"
#include "InputFile.h"
#include "OutputFile.h"
#include "Progress.h"
#include "ResourceFiles.h"
#include "ScratchFile.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <limits>

namespace vintrel {
namespace {

constexpr std::uint16_t kHeaderWord = 0x00C0;
constexpr std::uint16_t kEpromMediumWord = 0;
constexpr std::uint16_t kCardMediumWord = 2;
constexpr char kFormatText[] = "100A";
constexpr std::size_t kFormatTextSize = sizeof kFormatText - 1;
constexpr std::size_t kDateSize = 8;
constexpr std::size_t kNoticeFieldSize = 158;
constexpr char kNotice[] = "Quorlyn32 resource slot image";
static_assert(sizeof kNotice - 1 <= 66, "the notice holds at most 66 characters");
static_assert(kSlotFormatTextOffset + kFormatTextSize == kSlotDateOffset);
static_assert(kSlotNoticeOffset + kNoticeFieldSize == kSlotEntryCountOffset);

// Today's local date as eight digits, formatted from integers so that no locale can change it.
void putDate(unsigned char* field)
{
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    char text[32] = "00000000";
    static_assert(sizeof "00000000" - 1 == kDateSize);
    if (local)
        std::snprintf(text, sizeof text, "%04d%02d%02d", (local->tm_year + 1900) % 10000, local->tm_mon + 1,
                      local->tm_mday);
    std::memcpy(field, text, kDateSize);
}

} // namespace

bool SlotImageWriter::write(std::uint32_t slot)
{
    const auto record = readSlot(m_context, slot);
    if (!record || !collect(*record))
        return false;
    std::uint64_t total = kSlotHeaderSize + kSlotDirectoryEntrySize * m_resources.size();
    for (const Resource& r : m_resources)
        total += r.size;
    if (total > std::numeric_limits<std::uint32_t>::max())
        return false;

    OutputFile image;
    if (!image.create(indexedName(kSlotImage, slot)))
        return false;
    if (!m_holdsFormOrData || m_medium == VINTREL_EPROM) {
        if (!writeHeader(image, static_cast<std::uint32_t>(total)))
            return false;
    }
    if (!copyResources(image) || !image.commit())
        return false;
    // Nothing reads a resource file once its slot image is complete. Removed at once, it leaves
    // the page cache before it could be written back to the disk, which would make its removal slow.
    for (const Resource& r : m_resources)
        removeFile(r.path);
    return true;
}

// Measures the resource files of the slot's links, in link order and each item's file order.
bool SlotImageWriter::collect(const SlotRecord& slot)
{
    m_resources.clear();
    m_holdsFormOrData = false;
    if (slot.firstLink > slot.endLink || slot.endLink > m_context.linkCount)
        return false;
    for (std::uint32_t link = slot.firstLink; link < slot.endLink; ++link) {
        const auto itemIndex = readLink(m_context, link);
        const auto item = itemIndex ? readItem(m_context, *itemIndex) : std::nullopt;
        if (!item)
            return false;
        const ResourceType* type = resourceTypeOf(item->engineType);
        if (!type)
            continue;
        if (item->engineType == VINTREL_FORM || item->engineType == VINTREL_PROGRAM_DATA)
            m_holdsFormOrData = true;
        for (const SlotFile& file : type->slotFiles) {
            if (file.stepBeforeCollecting)
                reportProgress(&m_context, kSlotFileStep);
            Resource resource{indexedName(file.stem, *itemIndex), 0, file.directoryKind};
            if (!regularFileSize(resource.path, resource.size))
                return false;
            m_resources.push_back(std::move(resource));
        }
    }
    return true;
}

// Header and directory. An entry's offset counts from its own offset field to its data, which
// follows the directory in the same order as the entries.
bool SlotImageWriter::writeHeader(OutputFile& image, std::uint32_t imageSize) const
{
    using namespace qrl::bytes;
    const std::size_t entries = m_resources.size();
    std::vector<unsigned char> header(kSlotHeaderSize + kSlotDirectoryEntrySize * entries, 0);
    putU32BE(header.data() + kSlotMagicOffset, kSlotImageMagic);
    putU16BE(header.data() + kSlotHeaderWordOffset, kHeaderWord);
    putU16BE(header.data() + kSlotMediumWordOffset,
             m_medium == VINTREL_EPROM ? kEpromMediumWord : kCardMediumWord);
    putU32BE(header.data() + kSlotImageSizeOffset, imageSize);
    std::memcpy(header.data() + kSlotFormatTextOffset, kFormatText, kFormatTextSize);
    putDate(header.data() + kSlotDateOffset);
    putFixedText(header.data() + kSlotNoticeOffset, kNoticeFieldSize, kNotice);
    putU16BE(header.data() + kSlotEntryCountOffset, static_cast<std::uint16_t>(entries));

    unsigned char* entry = header.data() + kSlotHeaderSize;
    std::uint64_t dataBefore = 0;
    std::size_t remainingEntries = entries;
    for (std::uint16_t kind : kDirectoryOrder) {
        for (const Resource& r : m_resources) {
            if (r.directoryKind != kind)
                continue;
            --remainingEntries;
            putU16BE(entry, kSlotEntryWord);
            putU16BE(entry + kSlotEntryKindOffset, kind);
            // From this offset field: the rest of this entry, the entries after it, the data before.
            const std::uint64_t offset = kSlotDirectoryEntrySize * remainingEntries +
                                         (kSlotDirectoryEntrySize - kSlotEntryDataOffset) + dataBefore;
            putU32BE(entry + kSlotEntryDataOffset, static_cast<std::uint32_t>(offset));
            dataBefore += r.size;
            entry += kSlotDirectoryEntrySize;
        }
    }
    return image.write(header.data(), header.size());
}

bool SlotImageWriter::copyResources(OutputFile& image) const
{
    for (std::uint16_t kind : kDirectoryOrder) {
        for (const Resource& r : m_resources) {
            if (kind == kFormDirectory || kind == kProgramDataDirectory)
                reportProgress(&m_context, kSlotCopyStep);
            else if (kind == kMacroDirectory && r.directoryKind == kMacroDirectory)
                reportProgress(&m_context, kSlotFileStep);
            if (r.directoryKind != kind)
                continue;
            InputFile file;
            if (!file.open(r.path) || !copyBytes(file, image, r.size))
                return false;
        }
    }
    return true;
}

} // namespace vintrel
