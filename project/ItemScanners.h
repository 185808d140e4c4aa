#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

// Scans of a resource file's bytes for an item's name and numbers. Standard C++ only. Every scan
// stays inside the bytes it is given: a structure cut off by the end of the file counts as not
// found, so the caller takes its fallback.
namespace qrl::itemscan {

using Bytes = std::span<const unsigned char>;

// The bytes of a container of chars (a std::string, a QByteArray).
template <typename Container>
Bytes bytesOf(const Container& data)
{
    return {reinterpret_cast<const unsigned char*>(data.data()), static_cast<std::size_t>(data.size())};
}

// The typeface and font id fallback of the PCL and LDFC scans.
inline constexpr std::uint32_t kFallbackId = 2000;
// A PCL font header escape ends with a 'W' within the first 98 bytes.
inline constexpr std::size_t kFontHeaderWindow = 98;
// The "*c<n>D" font id parameter is looked for in the first 100 bytes.
inline constexpr std::size_t kFontIdWindow = 100;
// Macro ids above this are refused by the printer.
inline constexpr std::uint32_t kMaxPclMacroId = 32767;

// Typeface number (descriptor bytes 25 and 26, low byte first) behind the first 'W' of the first
// 98 bytes; kFallbackId when there is no 'W' or the descriptor is cut off.
std::uint32_t pclTypeface(Bytes file);

// The same number behind the 'W' that ends the first font-header escape (ESC ) s ... W) of a file
// longer than 69 bytes; nothing when there is none.
std::optional<std::uint32_t> findPclTypeface(Bytes file);

// 50000 + (n mod 10000) for the last "*c<n>D" parameter of the first 100 bytes; nothing when the
// first 98 bytes hold no 'W' or there is no such parameter.
std::optional<std::uint32_t> pclFontId(Bytes file);

// The decimal number behind the first "LDFC" (any case), read from the 16 bytes behind it (fewer
// where the file ends sooner) up to the first ','. Nothing when there is no "LDFC" or the number
// does not fit 32 bits.
std::optional<std::uint32_t> ldfcFontId(Bytes file);

struct TrueTypeName {
    enum Result { NoNameTable, NoRecord, Found } result = NoNameTable;
    std::string name; // bytes up to the first NUL
};
// The PostScript name (platform 1, name id 6, length at most 256) from the first "name" table
// found. NoRecord also when the table or the name lies outside the file.
TrueTypeName trueTypeName(Bytes file);

// Font descriptor bytes 48 to 62 behind the first 'W' of the first 98 bytes, trailing spaces
// removed; empty when there is no 'W' or the descriptor is cut off.
std::string pclFontName(Bytes file);

struct McroName {
    enum Result { NoMcro, Found, Unusable } result = NoMcro;
    std::string name; // 1 to 4 bytes when Found
};
inline constexpr std::size_t kMaxMcroNameLength = 4;
// The macro name behind the first "MCRO" (any case). It stops at ';', '%', blanks and control
// characters, so no line end or tab reaches a printer command. Unusable when fewer than 13 bytes
// follow "MCRO" or no character is left.
McroName mcroName(Bytes file);

// The digits (one to five) of the first ESC & f <digits> Y/y group; "NG" for a file of 20 bytes
// or less or one without such a group.
std::string pclMacroIdText(Bytes file);

struct PclMacroId {
    enum Result { NotFound, OutOfRange, Found } result = NotFound;
    std::uint32_t value = 0;
};
// The macro id of a PCL macro: the digits in front of the first 'Y' or 'y' that follows an "&f"
// with no '&' or 'f' in between. OutOfRange above 32767, also for digit runs that would overflow.
PclMacroId pclMacroId(Bytes file);

struct PclMacroBody {
    std::optional<std::size_t> start; // first byte behind the definition's start command
    std::optional<std::size_t> end;   // position of ESC & f 1 X (or x) at or behind the start
};
// Where the body of a PCL macro definition lies.
PclMacroBody pclMacroBody(Bytes file);

} // namespace qrl::itemscan
