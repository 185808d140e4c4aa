#include "TrueTypeSymbolSets.h"

#include <algorithm>
#include <array>

namespace vintrel {
namespace {

// The printer's number of each set (number * 32 + letter - 64), in the order of the program's
// symbol-set list; the unbounded row 0 has no such name and uses 56.
constexpr std::array<std::uint16_t, kSymbolSetCount> kSymbolSetValues = {
    56,  4,   9,   14,  19,  20,  21,  37,  38,  39,  53,  78,  83,  174, 180, 232,
    234, 277, 293, 308, 309, 330, 341, 373, 394, 405, 426, 458, 565, 621, 629, 18540};

constexpr std::uint16_t kWideCode = 150;  // present only in sets that use the whole 0-255 range
constexpr std::uint16_t kUpperCode = 200; // present in sets with an upper half

std::uint8_t fontTypeOf(std::uint32_t index, const std::vector<CodeEntry>& entries)
{
    if (index == 0)
        return kUnboundedFontType;
    const auto has = [&](std::uint16_t code) {
        return std::any_of(entries.begin(), entries.end(),
                           [&](const CodeEntry& e) { return e.code == code; });
    };
    if (has(kWideCode))
        return 2;
    return has(kUpperCode) ? 1 : 0;
}

// Appends the range's codes until the list is full; false once it is.
bool appendRange(const SymbolRange& range, std::vector<CodeEntry>& entries)
{
    if (range.kind == 1) {
        if (entries.size() >= kCodeListMax)
            return false;
        entries.push_back({static_cast<std::uint16_t>(range.first), static_cast<std::uint16_t>(range.last)});
        return true;
    }
    for (std::uint32_t code = range.first; code <= range.last; ++code) {
        if (entries.size() >= kCodeListMax)
            return false;
        entries.push_back({static_cast<std::uint16_t>(code), static_cast<std::uint16_t>(code)});
    }
    return true;
}

} // namespace

SymbolSet symbolSet(std::size_t index)
{
    return {kSymbolSetValues[index], symbolSetRanges(index)};
}

std::optional<CodeList> buildCodeList(std::uint32_t index)
{
    if (index >= kSymbolSetCount)
        return std::nullopt;
    const SymbolSet set = symbolSet(index);
    CodeList list{set.value, 0, {}};
    list.entries.reserve(kCodeListMax);
    for (const SymbolRange& range : set.ranges) {
        if (!appendRange(range, list.entries))
            break;
    }
    list.fontType = fontTypeOf(index, list.entries);
    return list;
}

} // namespace vintrel
