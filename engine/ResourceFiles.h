// The fixed file names of a build and, per engine resource type, the resource files an item
// leaves in the working directory. Every name lives here once.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace vintrel {

// A per-item or per-slot file name: stem, the index in at least five digits, extension.
struct FileStem {
    const char* prefix;
    const char* extension;
};

std::string indexedName(FileStem stem, std::uint32_t index);

inline constexpr FileStem kSlotImage{"SLT", ".SLT"};
inline constexpr FileStem kFontDescription{"FNT", ".SFA"};
inline constexpr FileStem kFontHeader{"BBM", ".HDR"};
inline constexpr FileStem kGlyphResource{"BBM", ".RSC"};
inline constexpr FileStem kStrippedMacro{"BMD", ".TMP"};
inline constexpr const char* kFirstSlotImage = "SLT00000.SLT";
inline constexpr const char* kImageFile = "TEMP.BXF";
inline constexpr const char* kSwappedImageFile = "TEMP.HEX";

// Slot kinds (SlotRecord.kind). The EPROM's single slot holds whatever the project holds.
inline constexpr std::uint8_t kEpromSlot = 0;
inline constexpr std::uint8_t kFontSlot = 1;
inline constexpr std::uint8_t kFormSlot = 2;
inline constexpr std::uint8_t kMacroSlot = 16;
inline constexpr std::uint8_t kProgramDataSlot = 128;

// Directory kinds of a slot image, in the order in which its resources are grouped.
inline constexpr std::uint16_t kFontHeaderDirectory = 0;
inline constexpr std::uint16_t kFontDataDirectory = 1;
inline constexpr std::uint16_t kMacroDirectory = 48;
inline constexpr std::uint16_t kFormDirectory = 32;
inline constexpr std::uint16_t kProgramDataDirectory = 16;
inline constexpr std::uint16_t kDirectoryOrder[] = {kFontHeaderDirectory, kFontDataDirectory, kMacroDirectory,
                                                    kFormDirectory, kProgramDataDirectory};

// One resource file of an item as it goes into a slot image.
struct SlotFile {
    FileStem stem;
    std::uint16_t directoryKind;
    bool stepBeforeCollecting; // a progress step comes before the file is measured
};

struct ResourceType {
    std::uint8_t slotKind;                     // kind of a slot whose first item has this type
    std::span<const SlotFile> slotFiles;       // in slot order; the first is MakeResource's output
    std::span<const FileStem> conversionFiles; // written by the conversion, never put into a slot
};

// The files of an engine resource type, or nullptr for a skipped (255) or unknown type.
const ResourceType* resourceTypeOf(std::uint8_t engineType);

} // namespace vintrel
