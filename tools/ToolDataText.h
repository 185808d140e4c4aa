#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The bytes of the tool data file "tooldata.dat" as the printer tools read them: entries of a tag
// in square brackets followed by a value on the same line, lines ended by CR LF. Nothing here
// touches a file; every function works over the whole file's bytes and never reads past them.
//
// A tag counts only where a line begins (offset 0 or just after a LF), so a tag-like text inside
// a value or in the middle of a macro line is never taken for an entry.
namespace qrl::tooldata {

inline constexpr const char* kFileName = "tooldata.dat";

inline constexpr const char* kCallMacroTag = "CALL_MCRO";
inline constexpr const char* kCallParamTag = "CALL_PARAM";
inline constexpr const char* kCallRepeatTag = "CALL_RPT";
inline constexpr const char* kMacroFileTag = "MACRO_FILE";
// A custom macro entry is "[CUSTOM_MCRO|" name "]" text CR LF.
inline constexpr const char* kCustomMacroKey = "CUSTOM_MCRO|";
inline constexpr const char* kCustomMacroTag = "[CUSTOM_MCRO|";

// What a missing file is created with: empty CALL values, an empty path and no custom macro (its
// last line has no "|").
inline constexpr const char kSkeleton[] = "[CALL_MCRO]\r\n[CALL_PARAM]\r\n[CALL_RPT]\r\n[MACRO_FILE]\r\n"
                                          "[CUSTOM_MCRO1]\r\n";
inline constexpr qsizetype kSkeletonSize = sizeof(kSkeleton) - 1;

// A tag is found only when it begins before this offset.
inline constexpr qsizetype kTagWindow = 10000;
// The longest custom macro name written (the search key and the name share 256 bytes) and read.
inline constexpr qsizetype kMaxNameWritten = 243;
inline constexpr qsizetype kMaxNameRead = 255;
// The longest path of the file to send.
inline constexpr qsizetype kMaxPath = 260;

// The tag search of every reader: the pattern is "[" text "]" with `bracket`, else `text`; the
// first line start at or after `from` that begins before the tag window and holds the pattern.
// The offset just after the pattern, or nothing.
std::optional<qsizetype> FindSection(const QByteArray& file, QByteArrayView text, qsizetype from,
                                     bool bracket);

// True when one of the file's tags begins at `offset`.
bool isTagAt(const QByteArray& file, qsizetype offset);

// The value of "[" tag "]": the bytes after it up to the line end (CR or LF) or the end of the
// file; nothing when the tag is not found.
std::optional<QByteArray> readValue(const QByteArray& file, const char* tag);

// The next custom macro name whose tag begins at or after `offset` (anywhere in the file, no tag
// window). On success `offset` is the name's first byte, so the next call finds the following
// entry. An entry whose name has no "]" on its line or is longer than kMaxNameRead is skipped.
bool nextCustomMacroName(const QByteArray& file, qint64& offset, QByteArray& name);

// The text of the custom macro `name`: the bytes after its tag up to the next tag at a line start
// (or the end of the file), without the CR LF that ends the entry. Nothing when its tag is not
// found within the tag window.
std::optional<QByteArray> readCustomMacro(const QByteArray& file, const QByteArray& name);

} // namespace qrl::tooldata
