#pragma once

#include "ProjectFileTarget.h"

#include <QString>

#include <cstdint>
#include <span>

class CProjSett;
class QIODevice;
struct ItemRecord;

// The project file (".prj"): a 306-byte header followed by one 306-byte item record per item, and
// the import of the two older formats with 209- and 203-byte records. The readers and the
// writer work on an open, random-access device that the caller owns and closes.

enum ProjectFileKind : int {
    kProjectFileUnknown = 0,
    kProjectFileCurrent = 1,
    kProjectFileOld209 = 2, // also "an older format" when asked for in CheckProjectHeader
    kProjectFileOld203 = 3,
};

// The most items a project holds.
inline constexpr int kMaxProjectItems = 256;

// The kind of the file by its markers; the position is set back to 0.
ProjectFileKind GetProjectFileKind(QIODevice& file);

// Checks the markers for the kind expected (kProjectFileCurrent, or kProjectFileOld209 for either
// older format, which becomes kProjectFileOld203 for a 203-byte file). A mismatch shows its message
// for `path` (for an older format through `messages`) and answers false.
bool CheckProjectHeader(QIODevice& file, int& kind, const QString& path, ResourceCheckMessages& messages);

// Writes the header and the records in one block and checks the write; false with `error` filled
// when the device refuses any of it. More than kMaxProjectItems records are refused unwritten.
// Storing "Last Project" and clearing the modified flag stay with the caller, after its commit.
bool WriteProjectFile(QIODevice& file, const CProjSett& settings, std::span<const ItemRecord> records,
                      QString& error);

// Reads a current-format project into `target`: the settings (a medium or size index out of range
// is reset to its default with a message), then at most kMaxProjectItems records (a file cut short
// loads its whole records with a message). A refused item is skipped and marks the project
// modified; false when the header does not match or the user cancels. Clears the application's
// DOS-import flag on every exit.
bool ReadProjectFile(QIODevice& file, const QString& path, ProjectFileTarget& target);

// Imports an older-format project: medium Hard Disk, each record's type taken from its kind (fonts
// of 203-byte files classified by their content, macros by asking macroTypeQuestion()), at most
// kMaxProjectItems items. The project ends modified and marked imported. False when the markers do
// not match or the user cancels. Clears the DOS-import flag on every exit.
bool ImportDosProject(QIODevice& file, const QString& path, ProjectFileTarget& target);

// The open of a project file: an unknown file shows "Not a known Quorlyn project file"; an older
// format, or any file while the DOS-import flag is set, is imported; a current file is read.
// Clears the DOS-import flag on every exit.
bool LoadProjectFile(QIODevice& file, const QString& path, ProjectFileTarget& target);

// The font number of a Zentrix bitmap font file: after "!R!", "LDFC" and "SFA", the decimal number
// behind the eighth comma of the SFA command. False (after a quiet message for a short file or a
// missing word) when there is none.
bool GetSfaFontID(const QString& path, std::uint32_t& fontId, ResourceCheckMessages& messages);

// The font number of a PCL bitmap font: the 16-bit little-endian value 25 bytes into the font
// descriptor. False (after a quiet message) when the file has no complete descriptor there.
bool GetPclFontID(const QString& path, std::uint32_t& fontId, ResourceCheckMessages& messages);
