#pragma once

#include "EmcrSources.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <array>

// One assignment slot of the EMCR creator: the macro run for pages from a paper source (and
// side), its parameters and its repeat count. Empty texts when nothing is set.
struct EmcrAssignment {
    QString macro;
    QString parameters;
    QString repeatCount;

    bool isAssigned() const { return !macro.isEmpty(); }
};

// Everything the two EMCR command files are written from.
struct EmcrCommandJob {
    std::array<EmcrAssignment, qrl::emcr::kSlotCount> assignments; // by slot: 2 x source + side
    bool duplex = false;
    bool longEdge = true;
    int optionMask = 126; // which comment lines, see EmcrOptions.h
    QString versionText;  // the program's version for the version comment
    QDateTime time;       // the creation time comment; invalid: the moment of writing
};

namespace qrl::emcr {

// Why an assignment cannot become a printer command.
enum class TextError {
    None,
    MacroName,      // empty, or a byte that would end or split the command or its comment
    Parameters,     // a control byte, a ';', a character outside Latin-1 or a string left open
    RepeatCount,    // not a number from 2 to 32767
    CommandTooLong, // the EMCR command or one of its comments passes 255 bytes
};

// Whether a macro name can stand bare in the command: printable ASCII without a quote, ';' or ','.
bool acceptableName(const QString& name);
// Whether a character can stand in an assignment's parameters: printable Latin-1 other than ';'
// (which would end the command, or its comment, early and let the rest run as commands).
bool isParameterChar(QChar c);
// Whether parameters can stand in the command as typed: every character one of the above, and no
// string left open as the printer reads it (a quote opens a string only the same quote closes).
bool acceptableParameters(const QString& parameters);

// One printer command may not pass this many bytes (its line end not counted).
inline constexpr int kMaxCommandBytes = 255;

// The rows the assigner shows, in row order, that carry a macro.
int assignedRowCount(const EmcrCommandJob& job);
// The first problem of the assigned rows; `row` receives its row.
TextError checkAssignments(const EmcrCommandJob& job, int* row = nullptr);
// The string id of the message that tells the user about a problem.
int messageOf(TextError error);

// The files' bytes. Nothing is built (empty result) while checkAssignments finds a problem.
QByteArray enableFileBytes(const EmcrCommandJob& job);
QByteArray disableFileBytes(const EmcrCommandJob& job);

// Writes bytes whole to `path`, replacing a file there only once every byte is on disk. On any
// failure the old file is kept, a message names the cause and the path, and false comes back.
bool writeCommandFile(const QByteArray& bytes, const QString& path);

} // namespace qrl::emcr

// Write the enable or the disable file to `path`. False (after a message) when the assignments
// cannot be written as commands or the file cannot be written whole.
bool WriteEmcrEnableFile(const EmcrCommandJob& job, const QString& path);
bool WriteEmcrDisableFile(const EmcrCommandJob& job, const QString& path);
