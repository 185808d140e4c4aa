#include "BuildTarget.h"

#include "TextFormat.h"

#include <cstdint>

namespace qrl::build {

namespace {

// The extra settings value of the EPROM and the disk targets.
constexpr std::uint16_t kEpromExtraSettings = 3;
constexpr std::uint16_t kDiskExtraSettings = 4;

constexpr std::uint32_t kMegabyte = 1024 * 1024;

bool isDiskMedium(StorageMedium medium)
{
    return medium == kHardDisk || medium == kMicroDrive;
}

// The fields a target switch may change, to tell whether it changed any.
bool sameStorage(const CProjSett& a, const CProjSett& b)
{
    return a.m_medium == b.m_medium && a.m_extraSettings == b.m_extraSettings &&
           a.m_storageSizeIndex == b.m_storageSizeIndex;
}

} // namespace

QString GetCardTypeText(StorageMedium medium)
{
    switch (medium) {
    case kSramCard:
        return QString::fromLatin1(kCardSram);
    case kJeidaCard:
        return QString::fromLatin1(kCardJeida);
    case kOtpCard:
        return QString::fromLatin1(kCardOtp);
    case kCompactFlashCard:
        return QString::fromLatin1(kCardCompact);
    default:
        return {};
    }
}

StorageMedium mediumOfCardType(const QString& cardType)
{
    if (cardType == QLatin1String(kCardSram))
        return kSramCard;
    if (cardType == QLatin1String(kCardJeida))
        return kJeidaCard;
    if (cardType == QLatin1String(kCardOtp))
        return kOtpCard;
    return kCompactFlashCard;
}

BuildTarget targetOfMedium(StorageMedium medium, QString& cardType)
{
    cardType.clear();
    if (isCardMedium(medium)) {
        cardType = GetCardTypeText(medium);
        return BuildTarget::Card;
    }
    if (medium == kEprom)
        return BuildTarget::Eprom;
    if (isDiskMedium(medium))
        return BuildTarget::Disk;
    cardType = QString::fromLatin1(kCardCompact);
    return BuildTarget::Card;
}

StorageMedium engineMedium(BuildTarget target, const QString& cardType, StorageMedium projectMedium)
{
    switch (target) {
    case BuildTarget::Disk:
        return isDiskMedium(projectMedium) ? projectMedium : kHardDisk;
    case BuildTarget::Eprom:
        return kEprom;
    case BuildTarget::CardImage:
        return kJeidaCard;
    default:
        return mediumOfCardType(cardType);
    }
}

TargetChange switchTarget(TargetState& state, CProjSett& settings)
{
    const CProjSett before = settings;
    const bool targetChanged = state.target != state.lastTarget;
    TargetChange change;
    switch (state.target) {
    case BuildTarget::CardImage:
        state.cardType = QString::fromLatin1(kCardJeida);
        break;
    case BuildTarget::Eprom:
        if (targetChanged || settings.m_medium != kEprom)
            settings.m_extraSettings = kEpromExtraSettings;
        break;
    case BuildTarget::Disk:
        if (targetChanged || !isDiskMedium(settings.m_medium))
            settings.m_extraSettings = kDiskExtraSettings;
        break;
    default:
        if ((state.tarnwick && state.cardType != QLatin1String(kCardCompact)) || state.cardType.isEmpty()) {
            state.cardType = QString::fromLatin1(kCardCompact);
            settings.m_storageSizeIndex = StorageSizeTable::kDefaultIndex;
            change.capacityChanged = true;
        }
        break;
    }
    // Every target writes the medium it builds for, so the project never keeps the medium of a
    // target left earlier (an EPROM project shown as a card, say).
    settings.m_medium = engineMedium(state.target, state.cardType, settings.m_medium);
    state.lastTarget = state.target;
    change.modified = targetChanged || !sameStorage(before, settings);
    change.capacityChanged = change.capacityChanged || before.m_medium != settings.m_medium;
    return change;
}

QString GetCapacityText(const CProjSett& settings)
{
    std::uint32_t capacity = StorageSizeTable::bytes(settings.m_storageSizeIndex);
    if (capacity == 0)
        capacity = settings.m_customSize;
    if (capacity > kMegabyte - 1 && capacity % kMegabyte == 0)
        return qrl::formatText(QStringLiteral("%lu MB"), {capacity / kMegabyte});
    return qrl::formatText(QStringLiteral("%lu KB"), {capacity / 1024});
}

} // namespace qrl::build
