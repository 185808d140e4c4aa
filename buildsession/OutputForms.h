#pragma once

#include <cstdint>
#include <span>

// The build's output forms: where a build goes and, for an export, which file it makes. One table
// holds them; the build dialog's target list and format buttons, the save dialog of an export and
// the engine's format argument all read it, so a new form is one row (and its writer in the engine).
namespace qrl::build {

// The build targets, in the order of the dialog's target list.
enum class BuildTarget : int { Card, Disk, Eprom, CardImage };

// The forms of the EPROM export, in the order of the dialog's format buttons.
enum class ExportFormat : int { Hex, MotorolaBinary, IntelBinary };

struct OutputForm {
    BuildTarget target;
    const char* targetLabel;    // the target's entry in the dialog's target list
    ExportFormat format;        // the EPROM export's form this row is; Hex on the other targets' rows
    const char* formLabel;      // the format button of an EPROM form; nullptr on the other rows
    std::uint32_t engineFormat; // WriteFileQRL's format of an EPROM form; 0 on the other rows
    const char* extension;      // the export file's, with its dot; nullptr for a printer target
    int filterId;               // the save dialog's filter and title of an export; 0 otherwise
    int titleId;
};

// Every output form, the rows of one target together and in the order of the targets.
std::span<const OutputForm> outputForms();

// The row of a target and, for the EPROM, of its form (the other targets have one row each).
const OutputForm& outputForm(BuildTarget target, ExportFormat format = ExportFormat::Hex);

// The target at a position of the dialog's target list; the card for a position past the list.
BuildTarget targetAt(int index);
// The EPROM form of a format button's position; Hex for a position with no button.
ExportFormat exportFormatAt(int index);

inline int indexOf(BuildTarget target)
{
    return static_cast<int>(target);
}
inline int indexOf(ExportFormat format)
{
    return static_cast<int>(format);
}

// The targets whose slot images go to a printer (or its command file).
inline bool isPrinterTarget(BuildTarget target)
{
    return target == BuildTarget::Card || target == BuildTarget::Disk;
}

} // namespace qrl::build
