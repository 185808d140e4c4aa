#pragma once

#include "OutputForms.h"

#include <QByteArray>

#include <vector>

// The printer commands around the slot images of a build: the prefix that tells the printer
// where to store a slot, the closing command, the power-on form command and the job-language
// jobs that switch a medium's write protection. All bytes; names are the records' bytes.
namespace qrl::build {

// The slot kinds the engine gives.
enum SlotKind : int {
    kSlotFonts = 1,
    kSlotForms = 2,
    kSlotMacros = 16,
    kSlotProgramData = 128,
};

// The command family that names the medium.
enum class CommandFamily {
    IccdCard, // ICCD on drive A: cards other than Compact Flash
    RwerCard, // RWER on drive A: Compact Flash card
    RwerDisk, // RWER on drive 0: the printer's disk
    RwrfCard, // RWRF on drive A: Compact Flash card of a Tarnwick printer
    RwrfDisk, // RWRF on drive 0: the disk of a Tarnwick printer
};

// The family of a printer target (the card or the disk) and card type; the Tarnwick printer has its
// own.
CommandFamily commandFamily(BuildTarget target, bool compactFlash, bool tarnwick);
inline bool isTarnwickFamily(CommandFamily family)
{
    return family == CommandFamily::RwrfCard || family == CommandFamily::RwrfDisk;
}

// The closing command after every slot image.
inline constexpr char kSlotEnd[] = "WRED;EXIT,E;\r\n";
inline constexpr int kMaxCommandLength = 255;

// Why a name cannot stand in a printer command, or Ok. A quote would end the quoted parameter
// and a control byte would break the command line; a PCL macro number that the Tarnwick family
// writes unquoted must be digits only.
enum class NameCheck { Ok, Quote, ControlByte, NotANumber };
NameCheck checkCommandName(const QByteArray& name);
NameCheck checkSlotName(int kind, const QByteArray& name, CommandFamily family);

// The prefix of a slot: the with-format template formats the medium first. Empty for a kind
// without a template. Expects a name that checkSlotName accepts.
QByteArray slotPrefix(int kind, const QByteArray& slotName, CommandFamily family, bool withFormat);

// The job that switches the write protection of a Compact Flash card (`disk` false) or of the
// printer's disk off or on.
QByteArray MakeWriteProtectJob(bool off, bool disk);

// The power-on form command for the form's name: "!R!FRPO I0,'name';EXIT,E;".
QByteArray MakePowerOnFormCommand(const QByteArray& formName);

} // namespace qrl::build
