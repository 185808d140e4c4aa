#include "ProjectSettingsForm.h"

#include "BuildSessionTextIds.h"
#include "CQuorlyn32Doc.h"
#include "CapacityPane.h"
#include "DialogsTextIds.h"
#include "ProjectTextIds.h"
#include "TextFormat.h"

#include <charconv>
#include <limits>

namespace qrl::projsett {

namespace {

constexpr std::uint32_t kKB = 1024;
constexpr std::uint32_t kMB = 1024 * 1024;

// The custom size's bytes; a text of more digits than 64 bits hold answers the largest value,
// which no check takes for a size. Only called with a number text.
std::uint64_t customSizeBytes(const QString& text, int unit)
{
    if (text.isEmpty())
        return 0;
    const QByteArray digits = text.toLatin1();
    std::uint64_t value = 0;
    const auto res = std::from_chars(digits.constData(), digits.constData() + digits.size(), value);
    const int shift = unit == ProjectSettingsForm::kUnitKB ? 10 : 20;
    // 7 digits of MB shifted by 20 bits pass 32 bits: the bytes are kept in 64 bits.
    if (res.ec != std::errc() || value > (std::numeric_limits<std::uint64_t>::max() >> shift))
        return std::numeric_limits<std::uint64_t>::max();
    return value << shift;
}

bool isSupportedCustomSize(std::uint64_t bytes)
{
    return bytes != 0 && bytes <= kMaxCustomSize && bytes % kCustomSizeBlock == 0;
}

ProjectSettingsCheck refusal(int messageId, ProjectSettingsCheck::Focus focus)
{
    ProjectSettingsCheck check;
    check.messageId = messageId;
    check.focus = focus;
    return check;
}

} // namespace

ProjectSettingsForm loadForm(const CProjSett& settings, std::uint64_t projectBytes, MediaOffer mode)
{
    ProjectSettingsForm form;
    form.medium = settings.m_medium;
    form.sizeIndex = settings.m_storageSizeIndex;
    form.mode = mode;
    form.projectBytes = projectBytes;
    if (form.sizeIndex == StorageSizeTable::kCustomIndex) {
        const std::uint32_t bytes = settings.m_customSize;
        const bool inKB = bytes < kMB || bytes % kMB != 0;
        form.unit = inKB ? ProjectSettingsForm::kUnitKB : ProjectSettingsForm::kUnitMB;
        form.customSizeText = qrl::formatText(QStringLiteral("%lu"), {inKB ? bytes / kKB : bytes / kMB});
    }
    return form;
}

bool isMediumEnabled(StorageMedium medium, MediaOffer mode)
{
    switch (mode) {
    case MediaOffer::NoEpromOrDisks:
        return medium != kEprom && medium != kHardDisk && medium != kMicroDrive;
    case MediaOffer::JeidaOnly:
        return medium == kJeidaCard;
    case MediaOffer::All:
        break;
    }
    return true;
}

bool isNumberText(const QString& text)
{
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

int checkListedSize(int sizeIndex, std::uint64_t projectBytes)
{
    if (sizeIndex < 0 || sizeIndex >= StorageSizeTable::kCustomIndex)
        return 0;
    return StorageSizeTable::bytes(sizeIndex) < projectBytes ? qrl::ids::kCapacityTooSmall : 0;
}

ProjectSettingsCheck checkForm(const ProjectSettingsForm& form)
{
    using Focus = ProjectSettingsCheck::Focus;
    ProjectSettingsCheck check;
    check.choice.medium = form.medium;
    check.choice.sizeIndex = form.sizeIndex;
    if (!isCardMedium(form.medium)) {
        // No capacity to check here, but the custom entry is what a later change back to a card
        // starts from: a size the printers take is kept, and without one the entry is not kept.
        if (form.sizeIndex == StorageSizeTable::kCustomIndex) {
            const std::uint64_t bytes =
                isNumberText(form.customSizeText) ? customSizeBytes(form.customSizeText, form.unit) : 0;
            if (isSupportedCustomSize(bytes))
                check.choice.customSize = static_cast<std::uint32_t>(bytes);
            else
                check.choice.sizeIndex = StorageSizeTable::kDefaultIndex;
        }
        return check;
    }

    if (form.sizeIndex == StorageSizeTable::kCustomIndex) {
        if (!isNumberText(form.customSizeText))
            return refusal(qrl::ids::kNotANumber, Focus::CustomSize);
        const std::uint64_t bytes = customSizeBytes(form.customSizeText, form.unit);
        if (bytes < form.projectBytes)
            return refusal(qrl::ids::kCapacityTooSmall, Focus::CustomSize);
        if (!isSupportedCustomSize(bytes))
            return refusal(qrl::ids::kCardCapacityNotSupported, Focus::CustomSize);
        check.choice.customSize = static_cast<std::uint32_t>(bytes);
    } else if (form.sizeIndex < 0 || form.sizeIndex >= StorageSizeTable::kCount) {
        return refusal(qrl::ids::kCardCapacityNotSupported, Focus::CapacityList);
    } else if (checkListedSize(form.sizeIndex, form.projectBytes) != 0) {
        // A change of medium alone reaches here without a list change: the size is checked again.
        return refusal(qrl::ids::kCapacityTooSmall, Focus::CapacityList);
    }
    check.choice.hasCapacity = true;
    return check;
}

void applyChoice(CQuorlyn32Doc& document, const ProjectSettingsChoice& choice)
{
    CProjSett& settings = document.GetProjSett();
    settings.m_medium = choice.medium;
    if (choice.sizeIndex >= 0 && choice.sizeIndex < StorageSizeTable::kCount)
        settings.m_storageSizeIndex = static_cast<std::uint16_t>(choice.sizeIndex);
    // The custom entry is never stored without a size: a choice without one leaves the project's.
    if (choice.sizeIndex == StorageSizeTable::kCustomIndex && choice.customSize != 0)
        settings.m_customSize = choice.customSize;
    document.SetModifiedFlag();
    const auto itemCount = static_cast<std::uint32_t>(document.GetItemCount());
    updateCapacityPane(settings, itemCount, document.GetTotalInBytes(), 0);
}

} // namespace qrl::projsett
