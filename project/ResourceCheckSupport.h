#pragma once

#include "ResourceCheckMessages.h"

#include <QString>

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

class ResourceCheckFile;

// What the content checks and the font-number scans share: the refusal message and the scans of
// PCL and Tellurade files.
namespace qrl::resourcecheck {

// Whether a check's messages follow the project's messages switch.
enum class Shown { Always, Quietly };

// Shows format/error/hint kHintNotInserted for `path` as `shown` says; always answers false, so a check can
// `return refuse(...)`.
bool refuse(ResourceCheckMessages& messages, Shown shown, int formatId, int errorId, const QString& path);

// True when `file` is readable and longer than `minimum` bytes; otherwise refuses it with error
// kErrorOpeningFile or kFileLengthError (format kFileErrorFormat).
bool readableAndLonger(const ResourceCheckFile& file, std::size_t minimum, ResourceCheckMessages& messages,
                       Shown shown, const QString& path);

// Refuses `file` with `errorId`, or as unreadable (kErrorOpeningFile) when what the check missed
// was cut off because the file shrank while it was read.
bool refuseMissing(const ResourceCheckFile& file, ResourceCheckMessages& messages, Shown shown, int formatId,
                   int errorId, const QString& path);

// The position just after the "W" of the first PCL font header escape (ESC ")" "s" ... "W"), or
// none. ESC starts the escape again from any state; other bytes leave the state unchanged.
std::optional<std::size_t> findPclFontHeader(std::span<const unsigned char> bytes);
std::optional<std::size_t> findPclFontHeader(ResourceCheckFile& file);

// The first position p in [from, lastStart] at which `keyword` lies wholly inside the bytes,
// compared exactly or without regard to ASCII case; none when there is no such position.
std::optional<std::size_t> findKeyword(std::span<const unsigned char> bytes, std::size_t from,
                                       std::size_t lastStart, std::string_view keyword, bool matchCase);
std::optional<std::size_t> findKeyword(ResourceCheckFile& file, std::size_t from, std::size_t lastStart,
                                       std::string_view keyword, bool matchCase);

} // namespace qrl::resourcecheck
