#pragma once

#include "ResourceCheckMessages.h"

#include <QString>

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

class ResourceCheckFile;

// What the content checks and the font-number scans share: their string ids, the refusal
// message and the scans of PCL and Tellurade files.
namespace resourcecheck {

// Message formats and the hint.
inline constexpr int kFileErrorFormat = 2400;   // length errors and font header errors
inline constexpr int kFileFailureFormat = 2404; // missing structures, keywords, headers
inline constexpr int kNotInsertedHint = 2401;
inline constexpr int kCheckFileHint = 2407;
// Error definitions.
inline constexpr int kCouldNotAccessFile = 2232;
inline constexpr int kErrorOpeningFile = 2380;
inline constexpr int kProgramDataStructure = 2391;
inline constexpr int kTableCountError = 2395;
inline constexpr int kHeadTableMissing = 2396;
inline constexpr int kHeadOffsetError = 2397;
inline constexpr int kMagicNumberMissing = 2398;
inline constexpr int kFileLengthError = 2403;
inline constexpr int kFileNotFound = 2405;
inline constexpr int kFontDescriptorMissing = 2410;
inline constexpr int kFormatNumberError = 2411;
inline constexpr int kPclMacroNumberMissing = 2415;
inline constexpr int kPclMacroStartMissing = 2416;
inline constexpr int kPclMacroEndMissing = 2417;
inline constexpr int kProgramDataSlotError = 2420;
inline constexpr int kMcroMissing = 2440;
inline constexpr int kEndmMissing = 2441;
inline constexpr int kStartSequenceMissing = 2442;
inline constexpr int kExitMissing = 2443;
inline constexpr int kLdfcMissing = 2450;
inline constexpr int kSfaMissing = 2451;

// Whether a check's messages follow the project's messages switch.
enum class Shown { Always, Quietly };

// Shows format/error/hint 2401 for `path` as `shown` says; always answers false, so a check can
// `return refuse(...)`.
bool refuse(ResourceCheckMessages& messages, Shown shown, int formatId, int errorId, const QString& path);

// True when `file` could be read whole and is longer than `minimum` bytes; otherwise refuses it
// with error 2380 or 2403 (format 2400).
bool readableAndLonger(const ResourceCheckFile& file, std::size_t minimum, ResourceCheckMessages& messages,
                       Shown shown, const QString& path);

// The position just after the "W" of the first PCL font header escape (ESC ")" "s" ... "W"), or
// none. ESC starts the escape again from any state; other bytes leave the state unchanged.
std::optional<std::size_t> findPclFontHeader(std::span<const unsigned char> bytes);

// The first position p in [from, lastStart] at which `keyword` lies wholly inside `bytes`, compared
// exactly or without regard to ASCII case; none when there is no such position.
std::optional<std::size_t> findKeyword(std::span<const unsigned char> bytes, std::size_t from,
                                       std::size_t lastStart, std::string_view keyword, bool matchCase);

} // namespace resourcecheck
