#pragma once

#include "CProjSett.h"

#include <QString>

namespace qrl::build {

// The build targets, as the dialog's target list orders them.
enum BuildTarget : int {
    kTargetCard = 0,      // "Card in printer"
    kTargetDisk = 1,      // "Hard Disk / Micro Drive in printer"
    kTargetEprom = 2,     // "Export File for EPROM"
    kTargetCardImage = 3, // "Export File for JEIDA (PCMCIA) Card"
};
inline constexpr int kTargetCount = 4;

// The EPROM export formats, as the dialog's format buttons order them.
enum ExportFormat : int {
    kExportHex = 0,            // S-record text
    kExportMotorolaBinary = 1, // the byte-pair-swapped image
    kExportIntelBinary = 2,    // the image as built
};

// What the build dialog hands to a build: its controls and the profile values they depend on.
struct BuildOptions {
    int target = kTargetCard;
    QString cardType;          // "SRAM", "JEIDA", "OTP", "Compact" or empty
    QString printerName;       // a printer's name, or the pseudo-printer "FILE:"
    bool format = false;       // format the card or disk before the first slot
    bool protectAfter = false; // switch write protection on after the project
    bool ignoreProtection = false;
    bool tarnwick = false;
    int exportFormat = kExportHex; // an ExportFormat
    int writeProtection = 1;       // the profile's "CFWriteProtection"
    // The command file for "FILE:"; when empty the build asks for it.
    QString outputPath;
    // Where the output file dialog opens (the builds directory).
    QString buildsDirectory;
    // The program's help file (platform/Language.h); messages point to it only when it is there.
    QString helpFilePath;
};

// How a build ended, and what the document must take over.
struct BuildResult {
    bool closeDialog = true; // false: refused before the build, or a question or file dialog was cancelled
    bool delivered = false;  // the project reached the spooler or the file
    bool modified = false;   // the settings below differ from the project's
    CProjSett settings;      // the project's settings after the build (the medium built for)
};

} // namespace qrl::build
