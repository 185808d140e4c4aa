#pragma once

#include "CProjSett.h"
#include "OutputForms.h"

#include <QString>

namespace qrl::build {

// What the build dialog hands to a build: its controls and the profile values they depend on.
struct BuildOptions {
    BuildTarget target = BuildTarget::Card;
    QString cardType;          // "SRAM", "JEIDA", "OTP", "Compact" or empty
    QString printerName;       // a printer's name, or the pseudo-printer "FILE:"
    bool format = false;       // format the card or disk before the first slot
    bool protectAfter = false; // switch write protection on after the project
    bool ignoreProtection = false;
    bool tarnwick = false;
    ExportFormat exportFormat = ExportFormat::Hex;
    int writeProtection = 1; // the profile's "CFWriteProtection"
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
