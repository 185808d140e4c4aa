// Writes the slot image "SLT%05d.SLT" of one slot from the resource files of its links: a 196-byte
// header, a directory of 8-byte entries and the resource files back to back, grouped by directory
// kind. A form or program-data slot of a card or disk is the bare resource file instead.
#pragma once

#include "vintrel.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vintrel {

class OutputFile;

// The header of a slot image, big-endian: the first four bytes, then where each field stands.
inline constexpr std::uint32_t kSlotImageMagic = 0xAE00A002;
inline constexpr std::size_t kSlotMagicOffset = 0;
inline constexpr std::size_t kSlotHeaderWordOffset = 4;
inline constexpr std::size_t kSlotMediumWordOffset = 6;
inline constexpr std::size_t kSlotImageSizeOffset = 8;
inline constexpr std::size_t kSlotFormatTextOffset = 12;
inline constexpr std::size_t kSlotDateOffset = 16;
inline constexpr std::size_t kSlotNoticeOffset = 34;
inline constexpr std::size_t kSlotEntryCountOffset = 192;
// The header in front of the directory, and one directory entry.
inline constexpr std::size_t kSlotHeaderSize = 196;
inline constexpr std::size_t kSlotDirectoryEntrySize = 8;
// A directory entry: a word 1, the directory kind, and the offset from its own offset field to the
// resource's data.
inline constexpr std::uint16_t kSlotEntryWord = 1;
inline constexpr std::size_t kSlotEntryKindOffset = 2;
inline constexpr std::size_t kSlotEntryDataOffset = 4;

class SlotImageWriter {
public:
    SlotImageWriter(const BuildContext& context, std::uint8_t medium) : m_context(context), m_medium(medium)
    {
    }

    // False when a block cannot be read, a resource file is missing or the image cannot be
    // written; an image written in part stays. Once the image is complete, the resource files it
    // holds are removed.
    bool write(std::uint32_t slot);

private:
    struct Resource {
        std::string path;
        std::uint64_t size;
        std::uint16_t directoryKind;
    };

    bool collect(const SlotRecord& slot);
    bool writeHeader(OutputFile& image, std::uint32_t imageSize) const;
    bool copyResources(OutputFile& image) const;

    const BuildContext& m_context;
    std::uint8_t m_medium;
    std::vector<Resource> m_resources;
    bool m_holdsFormOrData = false;
};

} // namespace vintrel
