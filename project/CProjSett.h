#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// The target medium of a project. Its number is what the project file and the engine take.
enum class StorageMedium : std::uint16_t {
    kSramCard = 0,
    kJeidaCard = 1,
    kOtpCard = 2,
    kEprom = 3,
    kHardDisk = 4,
    kCompactFlashCard = 5,
    kMicroDrive = 6,
};
using enum StorageMedium;

inline constexpr int kMediumCount = 7;

// The number of a medium, for the project file and the engine.
constexpr std::uint8_t mediumNumber(StorageMedium medium)
{
    return static_cast<std::uint8_t>(medium);
}

// The medium a number names; none for a number outside 0 to 6.
constexpr std::optional<StorageMedium> mediumOfNumber(int number)
{
    if (number < 0 || number >= kMediumCount)
        return std::nullopt;
    return static_cast<StorageMedium>(number);
}

// The capacity test applies to the card media only.
inline bool isCardMedium(StorageMedium medium)
{
    return medium == kSramCard || medium == kJeidaCard || medium == kOtpCard || medium == kCompactFlashCard;
}

// Which media the project settings dialog offers: all of them (the project window and the child
// frame), no EPROM or disks (a card in the printer) or the JEIDA card only (a card image).
enum class MediaOffer { All, NoEpromOrDisks, JeidaOnly };

// The storage sizes a card can have: index 0 to 23, 23 being the custom size.
struct StorageSizeTable {
    static constexpr int kCount = 24;
    static constexpr int kCustomIndex = 23;
    static constexpr int kDefaultIndex = 22;
    static constexpr int kOwnIndex = 999; // "the project's own index" for GetCapacityInBytes
    // The name of an index ("32 KB" ... "128 MB", "Custom..."), empty outside 0 to 23.
    static QString name(int index);
    // Bytes of an index; 0 for the custom index; an index above 23 answers itself.
    static std::uint32_t bytes(int index);
};

// The project's storage settings.
class CProjSett {
public:
    virtual ~CProjSett() = default;

    // Lists the 24 size names: TRUE with the next name, FALSE (and an empty name) after the last.
    bool GetNextSizeName(QString& name);

    std::uint16_t m_sizeNameCursor = 0;
    std::uint16_t m_storageSizeIndex = StorageSizeTable::kDefaultIndex;
    StorageMedium m_medium = kCompactFlashCard;
    std::uint16_t m_extraSettings = 0;
    std::uint32_t m_customSize = 0;
};

// The capacity test of a project and the text of the main window's capacity pane.
struct CapacityCheck {
    bool fits = true; // false: the files plus the bytes to add exceed the card's capacity
    QString paneText; // the project's figures (free 0 when over capacity)
    std::uint64_t totalBytes = 0;
    std::uint64_t capacityBytes = 0; // 0 for media without a limit
};

// Totals are summed in 64 bits, so no number of large files wraps past a card's capacity.
CapacityCheck checkCapacity(const CProjSett& settings, std::uint32_t itemCount, std::uint64_t totalBytes,
                            std::uint64_t bytesToAdd);
