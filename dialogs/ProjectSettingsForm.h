#pragma once

#include "CProjSett.h"

#include <QString>

#include <cstdint>

class CQuorlyn32Doc;

// What the project settings dialog edits: the medium and capacity controls, loaded from a
// project's settings together with the bytes of the project's files.
struct ProjectSettingsForm {
    enum Unit { kUnitKB = 0, kUnitMB = 1 };
    static constexpr int kMaxCustomSizeDigits = 7;

    StorageMedium medium = kCompactFlashCard;
    int sizeIndex = -1; // a StorageSizeTable index, 23 the custom size; -1 before loading
    int unit = kUnitMB;
    QString customSizeText; // the custom size in `unit`, decimal digits only
    MediaOffer mode = MediaOffer::All;
    std::uint64_t projectBytes = 0; // the sum of the project's file sizes
};

// What OK writes into the project: the medium and the list's size index always; the custom size in
// bytes with index 23 (checked against the project on a card medium, the only media whose
// capacity is used).
struct ProjectSettingsChoice {
    StorageMedium medium = kCompactFlashCard;
    bool hasCapacity = false; // a card medium: the size was checked against the project
    int sizeIndex = StorageSizeTable::kDefaultIndex;
    std::uint32_t customSize = 0;
};

// The outcome of OK's checks: message 0 and the choice, or the id of the message to show
// (kCardCapacityNotSupported, kCapacityTooSmall, kNotANumber) and the control that takes the focus.
struct ProjectSettingsCheck {
    enum class Focus { None, CapacityList, CustomSize };
    int messageId = 0;
    Focus focus = Focus::None;
    ProjectSettingsChoice choice;
};

namespace qrl::projsett {

// The largest custom size, and the block every custom size is made of.
inline constexpr std::uint64_t kMaxCustomSize = 256ull << 20;
inline constexpr std::uint64_t kCustomSizeBlock = 32ull << 10;

// The form of a project's settings: a custom size is shown in MB when it is a whole number of MB
// of at least 1 MB, otherwise in KB; other indices show no custom size.
ProjectSettingsForm loadForm(const CProjSett& settings, std::uint64_t projectBytes, MediaOffer mode);

// Whether the dialog lets the user choose this medium in this mode.
bool isMediumEnabled(StorageMedium medium, MediaOffer mode);

// True for an empty text or one of ASCII digits only; any other character (also a sign, a blank or
// another script's digit) makes the text no number.
bool isNumberText(const QString& text);

// The check of a size chosen from the list: kCapacityTooSmall when that size is below the project's bytes,
// else 0. The custom entry is not checked here (its size is checked on OK).
int checkListedSize(int sizeIndex, std::uint64_t projectBytes);

// OK's checks. For a card medium: a listed size must hold the project's bytes (kCapacityTooSmall); a custom
// text must be a number (kNotANumber), hold the project's bytes (kCapacityTooSmall) and be a size the
// printers take, 32 KB to 256 MB in whole 32 KB blocks (kCardCapacityNotSupported). Other media have no
// capacity and pass; their choice still carries the list's size index, which a later change back to a card
// starts from, and a custom size the printers take; the custom entry without one becomes the default
// index, so that no project is left on the custom entry without a size.
ProjectSettingsCheck checkForm(const ProjectSettingsForm& form);

// Writes a checked choice into the project's settings, marks the project modified and refreshes
// the capacity pane for it with nothing about to be added.
void applyChoice(CQuorlyn32Doc& document, const ProjectSettingsChoice& choice);

} // namespace qrl::projsett
