#pragma once

#include "CcpyJob.h"

#include <QByteArray>

// The bytes of the CCPY command files and of the two scratch parts the enable file is made of.
// Lines end in CR LF; the files end with "EXIT;" and no line end. Expects a job whose pages
// checkPages() accepts.
namespace qrl::ccpy {

inline constexpr int kMaxCommandLength = 255;
inline constexpr char kNoOverlay[] = "None";
inline constexpr char kFileEnd[] = "EXIT;";

// The printer macro of page i (0 for the first page): "S0", "S1", ...
QByteArray pageMacroName(int page);
// "[2026/12/10 - 11:45];\r\n" for the local time given.
QByteArray timeStamp(const QDateTime& time);

// The page macro file of page i: MCRO ... ENDM.
QByteArray pageMacroText(const CcpyJob& job, int page);
// The command scratch part: CCPY E, one PSRC/AMCR/TERM line per page, ENDC.
QByteArray commandText(const CcpyJob& job);
// The enable file up to the page macros: "!R!", its comments and one DELM per page.
QByteArray enableFileHead(const CcpyJob& job);
// The top-level duplex command after the page macros; empty without duplex.
QByteArray enableFileDuplex(const CcpyJob& job);
// The whole disable file.
QByteArray disableFileText(const CcpyJob& job);

// Whether a macro name can stand unquoted in "CALL name;": not empty, no quote, no ';' or ','
// (they would end the parameter), no blank or control byte, and short enough for one command.
bool isCallableName(const QByteArray& name);
// The index of the first page whose overlay cannot be called, or -1 when all can.
int firstUncallablePage(const CcpyJob& job);

} // namespace qrl::ccpy
