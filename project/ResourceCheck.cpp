#include "ResourceCheck.h"

#include "ProjectTextIds.h"
#include "ResourceCheckFile.h"
#include "ResourceCheckSupport.h"
#include "ResourceTypes.h"
#include "StringTable.h"

#include <algorithm>
#include <array>

using namespace qrl::resourcecheck;

namespace {

// Program data is either a slot image (its magic bytes) or an ELF executable.
constexpr std::array<unsigned char, 4> kSlotImageMagic = {0xAE, 0x00, 0xA0, 0x02};
constexpr std::size_t kProgramDataMinimum = 192; // a file must be longer than this
// The slot kind of a program-data slot image, big-endian at 198.
constexpr std::size_t kSlotKindOffset = 198;
constexpr std::array<unsigned char, 2> kProgramDataSlotKind = {0x00, 0x10};

bool isElf(std::span<const unsigned char> b)
{
    return b.size() >= 4 && b[1] == 'E' && b[2] == 'L' && b[3] == 'F';
}

bool isSlotImage(std::span<const unsigned char> b)
{
    return b.size() >= kSlotImageMagic.size() &&
           std::equal(kSlotImageMagic.begin(), kSlotImageMagic.end(), b.begin());
}

} // namespace

bool ValidateItemFile(const QString& path, int subtype, ResourceCheckMessages& messages)
{
    switch (subtype) {
    case kTrueTypeFont:
        return CheckTrueTypeFile(path, messages);
    case kPclEoFont:
        return CheckPclScalableFont(path, messages);
    case kPclBitmapPortraitFont:
    case kPclBitmapLandscapeFont:
        return CheckPclBitmapFont(path, messages);
    case kZentrixBitmapFont:
        return CheckTelluradeFontFile(path, messages);
    case kPclMacro:
        return CheckPclMacro(path, messages);
    case kTelluradeMacro:
        return CheckTelluradeMacro(path, messages);
    case kProgramData:
        if (!CheckProgramData(path, messages))
            return false;
        if (GetProgramDataType(path) == kProgramDataRefused) {
            qrl::ui().message(qrl::text(qrl::ids::kProgramDataStructure));
            return false;
        }
        return true;
    default:
        // Forms are sent to the printer as they are; nothing in them is relied on.
        return true;
    }
}

// Both look at the first bytes of the file alone, whatever its size.
bool CheckProgramData(const QString& path, ResourceCheckMessages& messages)
{
    ResourceCheckFile file(path);
    if (!readableAndLonger(file, kProgramDataMinimum, messages, Shown::Quietly, path))
        return false;
    const auto b = file.bytes(0, kSlotImageMagic.size());
    if (isSlotImage(b) || isElf(b))
        return true;
    return refuseMissing(file, messages, Shown::Quietly, qrl::ids::kFileFailureFormat,
                         qrl::ids::kProgramDataSlotError, path);
}

int GetProgramDataType(const QString& path)
{
    ResourceCheckFile file(path);
    const auto b = file.bytes(0, kSlotKindOffset + kProgramDataSlotKind.size());
    if (!file.ok()) {
        qrl::ui().message(qrl::text(qrl::ids::kErrorOpeningFile));
        return kProgramDataRefused;
    }
    if (isElf(b))
        return kProgramDataAccepted;
    // A slot image too short to hold its slot kind is not acceptable data.
    if (isSlotImage(b) && b.size() >= kSlotKindOffset + kProgramDataSlotKind.size() &&
        b[kSlotKindOffset] == kProgramDataSlotKind[0] && b[kSlotKindOffset + 1] == kProgramDataSlotKind[1])
        return kProgramDataAccepted;
    return kProgramDataRefused;
}
