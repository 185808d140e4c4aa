#include "CProjSett.h"

#include "ProjectTextIds.h"
#include "StringTable.h"
#include "TextFormat.h"

#include <array>

namespace {

struct SizeRow {
    const char* name;
    std::uint32_t bytes;
};

constexpr std::uint32_t kKB = 1024;
constexpr std::uint32_t kMB = 1024 * 1024;

constexpr std::array<SizeRow, StorageSizeTable::kCount> kSizes = {{
    {"32 KB", 32 * kKB},   {"64 KB", 64 * kKB}, {"128 KB", 128 * kKB}, {"256 KB", 256 * kKB},
    {"512 KB", 512 * kKB}, {"1 MB", 1 * kMB},   {"2 MB", 2 * kMB},     {"4 MB", 4 * kMB},
    {"6 MB", 6 * kMB},     {"8 MB", 8 * kMB},   {"10 MB", 10 * kMB},   {"12 MB", 12 * kMB},
    {"14 MB", 14 * kMB},   {"16 MB", 16 * kMB}, {"20 MB", 20 * kMB},   {"24 MB", 24 * kMB},
    {"28 MB", 28 * kMB},   {"32 MB", 32 * kMB}, {"48 MB", 48 * kMB},   {"64 MB", 64 * kMB},
    {"80 MB", 80 * kMB},   {"96 MB", 96 * kMB}, {"128 MB", 128 * kMB}, {"Custom...", 0},
}};

} // namespace

QString StorageSizeTable::name(int index)
{
    return index >= 0 && index < kCount ? QString::fromLatin1(kSizes[static_cast<std::size_t>(index)].name)
                                        : QString();
}

std::uint32_t StorageSizeTable::bytes(int index)
{
    if (index < 0)
        return 0;
    if (index >= kCount)
        return static_cast<std::uint32_t>(index);
    return kSizes[static_cast<std::size_t>(index)].bytes;
}

bool CProjSett::GetNextSizeName(QString& name)
{
    if (m_sizeNameCursor < StorageSizeTable::kCount) {
        name = StorageSizeTable::name(m_sizeNameCursor++);
        return true;
    }
    name.clear();
    m_sizeNameCursor = 0;
    return false;
}

CapacityCheck checkCapacity(const CProjSett& settings, std::uint32_t itemCount, std::uint64_t totalBytes,
                            std::uint64_t bytesToAdd)
{
    CapacityCheck check;
    check.totalBytes = totalBytes + bytesToAdd;
    const std::uint64_t totalKB = check.totalBytes / 1024;
    if (isCardMedium(settings.m_medium)) {
        std::uint64_t capacity = StorageSizeTable::bytes(settings.m_storageSizeIndex);
        if (capacity == 0)
            capacity = settings.m_customSize;
        check.capacityBytes = capacity;
        check.fits = check.totalBytes <= capacity;
        const std::uint64_t free = check.fits ? capacity - check.totalBytes : 0;
        check.paneText = qrl::formatText(qrl::text(qrl::ids::kCardCapacityPane),
                                         {itemCount, static_cast<unsigned long long>(capacity / 1024),
                                          static_cast<unsigned long long>(totalKB),
                                          static_cast<unsigned long long>(free / 1024)});
    } else {
        check.paneText = qrl::formatText(qrl::text(qrl::ids::kDiskCapacityPane),
                                         {itemCount, static_cast<unsigned long long>(totalKB)});
    }
    return check;
}
