// The font description ("FNT%05d.SFA"): one key and one value per line, written from a PCL font's
// descriptor or an LDFC font's "SFA" command and read back to make the font header.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vintrel {

// The keys in the order in which they are written.
enum class DescriptionKey : std::size_t {
    Type,
    Format,
    FontType,
    NameLength,
    FirstCode,
    LastCode,
    SymbolSet,
    Orientation,
    Spacing,
    Pitch,
    Height,
    CapHeight,
    Vmi,
    Style,
    StrokeWeight,
    SerifStyle,
    Typeface,
    ScaleFactor,
    MasterUnderlinePosition,
    MasterUnderlineHeight,
    StrokeWidth,
    FontName, // the one text value
    ResolutionX,
    ResolutionY,
    Rotation,
    LdfcFont,
    Count,
};

class FontDescription {
public:
    std::int32_t value(DescriptionKey key) const { return m_values[index(key)]; }
    void set(DescriptionKey key, std::int32_t value) { m_values[index(key)] = value; }
    const std::string& fontName() const { return m_fontName; }
    // Also sets the name length. The name is written up to its first line break, so that it can
    // never add lines of its own.
    void setFontName(std::string_view name);
    // Only a PCL font of descriptor format 20 describes its resolution.
    void setWritesResolution(bool writes) { m_writesResolution = writes; }

    // A PCL font's text: each line a line feed, the key left-aligned in 26 columns and the value;
    // a line feed after the last.
    std::string formatPcl() const;
    // An LDFC font's text: each line the key left-aligned in 27 columns, the value and a line feed.
    std::string formatLdfc() const;

    // Reads a description: per line of at most 79 characters, the first word is the key and a
    // numeric key's value is read as a decimal number (0 when there is none). The font name is
    // taken only when `readFontName` is set. Unknown keys are passed over; a key given twice
    // keeps its last value; a key not given is 0.
    static FontDescription parse(std::string_view text, bool readFontName);

private:
    static std::size_t index(DescriptionKey key) { return static_cast<std::size_t>(key); }

    std::array<std::int32_t, static_cast<std::size_t>(DescriptionKey::Count)> m_values{};
    std::string m_fontName;
    bool m_writesResolution = false;
};

} // namespace vintrel
