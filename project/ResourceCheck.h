#pragma once

#include "ResourceCheckMessages.h"

#include <QString>

// The content checks of resource files. Each takes the file's full path, reads the file (never
// changing it) and answers true when the build can rely on its structure; a refusal shows one
// message naming the file and the defect, through `messages`. Checks marked "quiet" show their
// messages through showFileMessage (silent while the project's messages are off), the others
// through showFileError (always). A file that cannot be opened or read is refused.

// The check that matches `subtype` (a ResourceSubtype); forms and unknown subtypes pass unread.
bool ValidateItemFile(const QString& path, int subtype, ResourceCheckMessages& messages);

// A TrueType table directory with a head table and its magic number.
bool CheckTrueTypeFile(const QString& path, ResourceCheckMessages& messages);
// A PCL font header with format 10 or 11.
bool CheckPclScalableFont(const QString& path, ResourceCheckMessages& messages);
// A PCL font header with format 0 or 20. Quiet.
bool CheckPclBitmapFont(const QString& path, ResourceCheckMessages& messages);
// The macro number, start and end escapes of a PCL macro definition.
bool CheckPclMacro(const QString& path, ResourceCheckMessages& messages);
// "!R!", "MCRO", "ENDM", "EXIT" in this order. Quiet.
bool CheckTelluradeMacro(const QString& path, ResourceCheckMessages& messages);
// "!R!", "LDFC", "SFA", "EXIT" in this order. Quiet.
bool CheckTelluradeFontFile(const QString& path, ResourceCheckMessages& messages);
// A slot-image or ELF header at the start of program data. Quiet.
bool CheckProgramData(const QString& path, ResourceCheckMessages& messages);

// Values of GetProgramDataType.
inline constexpr int kProgramDataRefused = 0;
inline constexpr int kProgramDataAccepted = 2;

// kProgramDataAccepted for an ELF file or a slot image whose bytes 198-199 are 00 10, otherwise
// kProgramDataRefused. A file that cannot be opened shows message kErrorOpeningFile first.
int GetProgramDataType(const QString& path);
