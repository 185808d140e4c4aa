#pragma once

#include "BuildOptions.h"
#include "SlotCommands.h"

#include <QByteArray>
#include <QString>

#include <vector>

struct BuildContext;

namespace qrl {
class Spooler;
}

namespace qrl::build {

class BuildMonitor;
class DeliverySink;

// What the delivery needs of the build: the target and its switches.
struct DeliveryOptions {
    BuildTarget target = BuildTarget::Card; // a printer target
    bool compactFlash = false;
    bool format = false;
    bool ignoreProtection = false;
    bool protectAfter = false;
    bool tarnwick = false;
    int writeProtection = 1; // "CFWriteProtection"
    QByteArray powerOnForm;  // the name of the power-on form; empty for none
};

// Writes the slot images of a build, each behind its prefix and followed by the closing command,
// to one RAW spooler job or one command file; both roads write the same bytes. Works in the
// current directory, where the engine wrote "SLT%05d.SLT". Every road ends with the slot images
// removed; a failed road leaves no job that prints and no partial file.
class SlotDelivery {
public:
    SlotDelivery(BuildContext& context, const DeliveryOptions& options, BuildMonitor& monitor);

    // True when every slot and the trailing commands reached the printer's queue.
    bool WriteSlotsToPrinter(qrl::Spooler& spooler, const QString& printerName);
    // True when the whole stream is in the file at `path`, which replaces it only then.
    bool WriteSlotsToFile(const QString& path);

    // Slot `index`'s prefix (the write-protection off job before the first) appended to `out`;
    // trims a Tarnwick macro slot first. False after its message when a program-data slot image
    // cannot be opened, a name cannot stand in a command, or the trim fails.
    bool WriteSlotPrefix(int kind, const QByteArray& slotName, int index, bool withFormat, QByteArray& out);

    // The slot image of slot `index` in the current directory.
    static QString slotImageName(int index);
    // Cuts a Tarnwick macro slot image to the macro's own bytes (from offset 236), dropping the
    // zero bytes among its last four. The trimmed copy is written and checked before it replaces
    // the image; false (image unchanged) when that fails or the image is too short to hold a
    // macro. An image that cannot be opened stays as it is (true).
    static bool TrimSlotFile(int index);
    // 2 when the program-data slot image opens, else 0 after message 2380.
    static int ProgramDataSlotType(const QString& fileName);

private:
    bool writeSlots(DeliverySink& sink);
    bool writeSlot(DeliverySink& sink, int index);
    bool writeTrailer(DeliverySink& sink);
    bool sendFile(DeliverySink& sink, const QString& fileName);

    BuildContext& m_context;
    DeliveryOptions m_options;
    BuildMonitor& m_monitor;
    CommandFamily m_family;
    std::vector<char> m_block; // the slot images pass through it, one block at a time
};

} // namespace qrl::build
