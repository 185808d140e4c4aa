// The 32 symbol sets a TrueType font can be converted for, in the order of the program's
// symbol-set list, and the code list each one gives: which printer code stands for which Unicode
// character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vintrel {

inline constexpr std::size_t kSymbolSetCount = 32;
inline constexpr std::size_t kCodeListMax = 1024;
// The font type of the unbounded set (row 0); the other rows give 0, 1 or 2.
inline constexpr std::uint8_t kUnboundedFontType = 11;

// Kind 0: the printer codes first to last, each standing for the Unicode value equal to itself.
// Kind 1: the single printer code first, standing for the Unicode value last.
struct SymbolRange {
    std::uint32_t kind;
    std::uint32_t first;
    std::uint32_t last;
};

struct SymbolSet {
    std::uint16_t value; // the printer's symbol-set number: number * 32 + letter - 64
    std::span<const SymbolRange> ranges;
};

struct CodeEntry {
    std::uint16_t code;
    std::uint16_t unicode;
};

struct CodeList {
    std::uint16_t symbolSetValue;
    std::uint8_t fontType;
    std::vector<CodeEntry> entries; // at most kCodeListMax, in the order of the row's ranges
};

// Row `index` of the table; index below kSymbolSetCount.
SymbolSet symbolSet(std::size_t index);

// The ranges of row `index` (below kSymbolSetCount), in code order. Generated at build time from
// data/rows.tsv, the table's only source.
std::span<const SymbolRange> symbolSetRanges(std::size_t index);

// The code list and font type of row `index`, or nothing for an index above the table.
std::optional<CodeList> buildCodeList(std::uint32_t index);

} // namespace vintrel
