#pragma once

#include "BitmapToMacroForm.h"

#include <QString>

#include <optional>

class CQuorlyn32Doc;

// Where the focus goes after a refusal of the dialog's entries.
struct BitmapToMacroRefusal {
    enum class Focus { MacroName, MacroFile, PositionX, PositionY, OutputWidth, OutputHeight };
    Focus focus = Focus::MacroName;
};

namespace qrl::bitmapmacro {

inline constexpr const char* kTooBigText = "Too big value.\r\nPlease check the value";
inline constexpr const char* kNotANumberMark = "#Value";
inline constexpr const char* kProbeFileName = "mewhat.trt";

// The checks of "&Save macro..." and "Add &to Project", in order; the first failure shows its
// message through qrl::ui() (a field that is no number only gets "#Value") and is the answer,
// nothing when all pass. `form` receives the corrections the checks make (upper-cased and
// cleaned name, "," turned into ".", "#Value" in a field that is no number). `project` (may be
// null) is the project the macro is for: its macro names and files must not be taken. The macro
// file must not be the image. Runs the folder probe of the macro file.
std::optional<BitmapToMacroRefusal> checkForm(BitmapToMacroForm& form, const CQuorlyn32Doc* project);

// The macro name (upper-cased and cleaned in place) with the project's names, and the macro file
// path with the project's files (no probe); shared by the checks and the add road. Each shows its
// message when it refuses.
bool checkMacroName(QString& name, const CQuorlyn32Doc* project);
bool checkMacroFilePath(const QString& path, const CQuorlyn32Doc* project);

// Refuses, with its message, a macro file that is the image itself: the same file by identity,
// so also through a link, a second name or another spelling of the path. Writing the macro there
// would destroy the image it is made from.
bool checkMacroFileIsNotImage(const QString& macroFilePath, const QString& imagePath);

// Whether a file can be created in the folder of `macroFilePath`: "mewhat.trt" is created there
// and deleted again. A file of that name that is already there is left alone (the test then uses a
// fresh name), and nothing of the test stays behind.
bool probeFolder(const QString& macroFilePath);
// The probe, showing the file message when it fails.
bool probeFolderOrTell(const QString& macroFilePath);

// True when `text` holds only digits, "," and "." (what the number entries accept as typed).
bool isNumberEntry(const QString& text);

} // namespace qrl::bitmapmacro
