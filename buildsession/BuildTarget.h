#pragma once

#include "CProjSett.h"
#include "OutputForms.h"

#include <QString>

// The rules that tie the build target, the card type and the project's medium together.
namespace qrl::build {

// The card type texts; the text, not the medium number, decides the card branches of a build.
inline constexpr const char* kCardSram = "SRAM";
inline constexpr const char* kCardJeida = "JEIDA";
inline constexpr const char* kCardOtp = "OTP";
inline constexpr const char* kCardCompact = "Compact";

// "SRAM", "JEIDA", "OTP" or "Compact" for the card media, empty for any other medium.
QString GetCardTypeText(StorageMedium medium);
// The medium of a card type text; Compact Flash for an empty or unknown text.
StorageMedium mediumOfCardType(const QString& cardType);

// The target a project's medium opens the dialog with; `cardType` receives the card type shown.
BuildTarget targetOfMedium(StorageMedium medium, QString& cardType);

// The medium the engine builds for, from the target and card type alone: the card of the card
// type, the project's disk or micro drive (the disk when it is neither), the EPROM, the JEIDA card.
StorageMedium engineMedium(BuildTarget target, const QString& cardType, StorageMedium projectMedium);

// The dialog's target state.
struct TargetState {
    BuildTarget target = BuildTarget::Card;
    BuildTarget lastTarget = BuildTarget::Card;
    QString cardType;
    bool tarnwick = false;
};

// What a change of target did to the project.
struct TargetChange {
    bool modified = false;        // the document is to be marked modified
    bool capacityChanged = false; // the capacity pane is to be refreshed
};

// Applies the target in `state` to the project's settings: each target writes the medium it
// builds for (and for the EPROM and the disk the extra settings value 3 or 4); the card target
// with the Tarnwick printer, or with no card type, becomes a Compact Flash card of the default
// size. The last target becomes the target.
TargetChange switchTarget(TargetState& state, CProjSett& settings);

// The capacity text of the project's size: "128 MB", or kilobytes when not whole megabytes.
QString GetCapacityText(const CProjSett& settings);

} // namespace qrl::build
