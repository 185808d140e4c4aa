#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// What kind of resource an item is: the tab it is shown on.
enum class ResourceKind : std::uint16_t {
    kKindFont = 0,
    kKindMacro = 1,
    kKindForm = 2,
    kKindData = 3,
    kKindNone = 0xFFFF,
};
using enum ResourceKind;

// The four kinds an item can have, in tab order.
inline constexpr int kKindCount = 4;

// The number of a kind: its tab and its icon.
constexpr int kindNumber(ResourceKind kind)
{
    return static_cast<int>(kind);
}

// The kind a tab or icon number names; none for a number outside 0 to 3.
constexpr std::optional<ResourceKind> kindOfNumber(int number)
{
    if (number < 0 || number >= kKindCount)
        return std::nullopt;
    return static_cast<ResourceKind>(number);
}

// The item's type; a type list's index is a subtype.
enum ResourceSubtype : int {
    kTrueTypeFont = 0,
    kPclEoFont = 1,
    kPclBitmapPortraitFont = 2,
    kPclBitmapLandscapeFont = 3,
    kZentrixBitmapFont = 4,
    kPclMacro = 5,
    kTelluradeMacro = 6,
    kApplicationForm = 7,
    kProgramData = 8,
    kSubtypeUnknownDescription = 99, // mapped, but to a description outside the nine names
    kSubtypeUnmapped = 999,          // no mapping for the extension
};

inline constexpr int kSubtypeCount = 9;

// The nine type names, in subtype order: the descriptions of the extension map and the entries
// of every type list.
inline constexpr std::array<const char*, kSubtypeCount> kSubtypeNames = {
    "True Type Font",      "HP PCL EO Font", "HP Bitmap Portrait Font", "HP Bitmap Landscape Font",
    "Zentrix Bitmap Font", "PCL Macro",      "Tellurade Macro",         "Application Generated Form",
    "Program Data",
};

// The type name of a subtype, empty outside 0 to 8.
inline QString subtypeName(int subtype)
{
    return subtype >= 0 && subtype < kSubtypeCount ? QString::fromLatin1(kSubtypeNames[subtype]) : QString();
}
