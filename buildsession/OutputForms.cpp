#include "OutputForms.h"

#include "BuildSessionTextIds.h"

#include "vintrel.h"

#include <iterator>

namespace qrl::build {

namespace {

constexpr const char* kEpromTarget = "Export File for EPROM";

constexpr OutputForm kOutputForms[] = {
    {BuildTarget::Card, "Card in printer", ExportFormat::Hex, nullptr, 0, nullptr, 0, 0},
    {BuildTarget::Disk, "Hard Disk / Micro Drive in printer", ExportFormat::Hex, nullptr, 0, nullptr, 0, 0},
    {BuildTarget::Eprom, kEpromTarget, ExportFormat::Hex, "Motorola S3 &hex output", VINTREL_EXPORT_SRECORDS,
     ".hex", ids::kHexExportFilter, ids::kHexExportTitle},
    {BuildTarget::Eprom, kEpromTarget, ExportFormat::MotorolaBinary, "Motorola bin&ary output",
     VINTREL_EXPORT_SWAPPED, ".bin", ids::kBinaryExportFilter, ids::kBinaryExportTitle},
    {BuildTarget::Eprom, kEpromTarget, ExportFormat::IntelBinary, "&Intel binary output",
     VINTREL_EXPORT_PLAIN, ".bin", ids::kBinaryExportFilter, ids::kBinaryExportTitle},
    {BuildTarget::CardImage, "Export File for JEIDA (PCMCIA) Card", ExportFormat::Hex, nullptr, 0, ".bxf",
     ids::kCardImageFilter, ids::kBinaryExportTitle},
};

} // namespace

std::span<const OutputForm> outputForms()
{
    return kOutputForms;
}

const OutputForm& outputForm(BuildTarget target, ExportFormat format)
{
    const OutputForm* first = nullptr;
    for (const OutputForm& form : kOutputForms) {
        if (form.target != target)
            continue;
        if (!form.formLabel || form.format == format)
            return form;
        if (!first)
            first = &form;
    }
    // Only a value cast from outside the enumerations ends here: the target's first form, else the card.
    return first ? *first : kOutputForms[0];
}

BuildTarget targetAt(int index)
{
    const OutputForm* previous = nullptr;
    int position = -1;
    for (const OutputForm& form : kOutputForms) {
        if (!previous || previous->target != form.target)
            ++position;
        if (position == index)
            return form.target;
        previous = &form;
    }
    return BuildTarget::Card;
}

ExportFormat exportFormatAt(int index)
{
    int position = 0;
    for (const OutputForm& form : kOutputForms) {
        if (!form.formLabel)
            continue;
        if (position++ == index)
            return form.format;
    }
    return ExportFormat::Hex;
}

} // namespace qrl::build
