#include "LdfcFontReader.h"

#include "ByteOrder.h"
#include "FontDescription.h"
#include "LdfcCommandValues.h"
#include "PclBitmapRaster.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace vintrel {
namespace {

constexpr std::string_view kStart = "!R!";
constexpr std::size_t kCommandMax = 256;
constexpr std::size_t kEscapementCode = 256;
constexpr std::uint32_t kEscapementRows = 512;
constexpr std::int64_t kMaxDimension = 0xFFFF;
constexpr std::int32_t kLdfcLastCode = 256;

float unitScale(char unit, float current)
{
    switch (unit) {
    case 'C':
        return 11.811024f; // dots per millimetre at 300 dpi
    case 'D':
        return 1.0f;
    case 'I':
        return 300.0f;
    case 'P':
        return 4.15f;
    default:
        return current;
    }
}

// Truncates toward zero like the C conversion, with what no integer can hold saturated.
std::int32_t truncated(float value)
{
    if (value != value)
        return 0;
    if (value >= 2147483648.0f)
        return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483648.0f)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

FontDescription describeLdfcFont(const FontState& state)
{
    using Key = DescriptionKey;
    const LdfcFontValues& f = state.ldfc;
    const std::int32_t orientation = f.orientation == 2 ? 0 : f.orientation == 3 ? 1 : f.orientation;
    const std::int32_t height = truncated(f.height * 4);
    FontDescription d;
    d.set(Key::Type, 2);
    d.set(Key::Format, 0);
    d.set(Key::FontType, f.fontType >= 0 && f.fontType <= 2 ? f.fontType : 0);
    d.set(Key::FirstCode, 0);
    d.set(Key::LastCode, kLdfcLastCode);
    d.set(Key::SymbolSet, f.symbolSet);
    d.set(Key::Orientation, orientation);
    d.set(Key::Spacing, f.spacing == 'P' ? 1 : 0);
    d.set(Key::Pitch, truncated(f.pitch * 4));
    d.set(Key::Height, height);
    d.set(Key::CapHeight, height);
    d.set(Key::Vmi, height);
    d.set(Key::Style, f.style == 'I' ? 1 : 0);
    d.set(Key::StrokeWeight, f.strokeWeight);
    d.set(Key::Typeface, static_cast<std::int32_t>(state.request.typefaceNumber));
    d.setFontName(state.request.name);
    d.set(Key::Rotation, orientation);
    d.set(Key::LdfcFont, 1);
    return d;
}

class LdfcFontReader {
public:
    LdfcFontReader(FontState& state, std::span<const unsigned char> font) : m_state(state), m_font(font) {}

    bool run()
    {
        const auto start = std::search(m_font.begin(), m_font.end(), kStart.begin(), kStart.end());
        if (start == m_font.end())
            return false;
        m_pos = static_cast<std::size_t>(start - m_font.begin()) + kStart.size();
        while (nextCommand()) {
            const std::string_view command = m_command;
            if (command.starts_with("UNIT") && command.size() > 4)
                m_state.unitScale = unitScale(command[4], m_state.unitScale);
            else if (command.starts_with("SFA") && !readSfa(command.substr(3)))
                return false;
            else if (command.starts_with("LDFC"))
                readCharacter(command.substr(4));
        }
        if (m_state.mode == FontMode::Resource)
            finishResource();
        return true;
    }

private:
    // The next command up to its ";": blanks and line ends dropped, letters in upper case, at
    // most kCommandMax characters kept. False at the end of the file.
    bool nextCommand()
    {
        m_command.clear();
        while (m_pos < m_font.size()) {
            char c = static_cast<char>(m_font[m_pos++]);
            if (c == ';')
                return true;
            if (c == ' ' || c == '\r' || c == '\n')
                continue;
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
            if (m_command.size() < kCommandMax)
                m_command += c;
        }
        return false;
    }

    bool readSfa(std::string_view values)
    {
        float pitch = 0, height = 0, third = 0;
        char spacing = 0, style = 0;
        std::int32_t orientation = 0, symbolSet = 0, strokeWeight = 0, further = 0, fontType = 0;
        const int count = LdfcCommandValues::scan(values, pitch, height, spacing, orientation, symbolSet,
                                                  third, style, strokeWeight, further, fontType);
        if (count != 3 && count != 9 && count != 10)
            return false;
        LdfcFontValues& f = m_state.ldfc;
        f.pitch = pitch * m_state.unitScale;
        f.height = height * m_state.unitScale;
        f.spacing = spacing;
        if (count >= 9) {
            f.orientation = orientation;
            f.symbolSet = symbolSet;
            f.thirdLength = third * m_state.unitScale;
            f.style = style;
            f.strokeWeight = strokeWeight;
            f.further = further;
        }
        if (count == 10)
            f.fontType = fontType;
        if (m_state.mode == FontMode::Describe)
            m_state.description += describeLdfcFont(m_state).formatLdfc();
        return true;
    }

    // The raster words after an "LDFC" command, up to the next ";": "/" is six bits set, 0x40 to
    // 0x7F six bits, 0x30 to 0x3F the last four bits of a word. Decoded only when `decode` is set.
    std::vector<std::uint16_t> readRaster(bool decode)
    {
        std::vector<std::uint16_t> words;
        if (!decode) {
            const void* end = std::memchr(m_font.data() + m_pos, ';', m_font.size() - m_pos);
            m_pos = end ? static_cast<std::size_t>(static_cast<const unsigned char*>(end) - m_font.data()) + 1
                        : m_font.size();
            return words;
        }
        std::uint32_t bits = 0;
        while (m_pos < m_font.size()) {
            const unsigned char c = m_font[m_pos++];
            if (c == ';')
                break;
            if (c == '/')
                bits = (bits << 6) | 0x3F;
            else if (c >= 0x40 && c <= 0x7F)
                bits = (bits << 6) | (c & 0x3F);
            else if (c >= 0x30 && c <= 0x3F) {
                words.push_back(static_cast<std::uint16_t>((bits << 4) | (c & 0x0F)));
                bits = 0;
            }
        }
        return words;
    }

    void readCharacter(std::string_view values)
    {
        std::int32_t number = 0, code = 0, rows = 0, width = 0, top = 0, left = 0, e8 = 0, e4 = 0,
                     orientation = 0;
        const int count =
            LdfcCommandValues::scan(values, number, code, rows, width, top, left, e8, e4, orientation);
        const FontMode mode = m_state.mode;
        const std::vector<std::uint16_t> raster = readRaster(mode == FontMode::Resource);
        if (count != 8 && count != 9)
            return;
        const auto fontNumber = static_cast<std::uint32_t>(number);
        if (!m_state.ldfcFontNumber)
            m_state.ldfcFontNumber = fontNumber;
        CodeRecord* record = m_state.codes.find(code);
        if (*m_state.ldfcFontNumber != fontNumber || !record || rows < 0 || width < 0 ||
            rows > kMaxDimension || width > kMaxDimension)
            return;
        const std::uint64_t expected =
            static_cast<std::uint64_t>(rows) * wordsPerRow(static_cast<std::uint64_t>(width));
        if (expected > kMaxGlyphWords)
            return;
        if (mode == FontMode::Collect) {
            m_state.codes.noteSeen(code);
            record->present = true;
        }
        if (mode != FontMode::Resource || raster.size() < expected)
            return;
        const std::size_t offset = m_state.glyphData.size();
        appendWords(raster.data(), static_cast<std::size_t>(expected));
        *record = CodeRecord{};
        record->present = true;
        record->code = static_cast<std::uint16_t>(code);
        record->height = static_cast<std::uint32_t>(rows);
        record->width = static_cast<std::uint32_t>(width);
        record->top = top;
        record->left = left;
        record->escapement8 = e8;
        record->escapement4 = e4;
        record->orientation = count == 9 ? orientation : m_state.ldfc.orientation;
        record->dataOffset = offset;
        record->dataSize = m_state.glyphData.size() - offset;
    }

    void appendWords(const std::uint16_t* words, std::size_t count)
    {
        std::vector<unsigned char>& data = m_state.glyphData;
        const std::size_t at = data.size();
        data.resize(at + 2 * count);
        for (std::size_t i = 0; i < count; ++i)
            qrl::bytes::putU16BE(data.data() + at + 2 * i, words[i]);
    }

    // Shifts each glyph by its escapement as its orientation asks, then adds the escapements of
    // codes 0 to 255 as the raster of code 256, one dot wide and two rows per code.
    void finishResource()
    {
        FontCodeTable& codes = m_state.codes;
        std::vector<std::uint16_t> escapements;
        for (std::size_t code = 0; code < codes.size(); ++code) {
            CodeRecord& r = codes[code];
            if (r.present) {
                switch (r.orientation) {
                case 0:
                    r.left += r.escapement4;
                    break;
                case 1:
                    r.top += r.escapement8 - r.escapement4;
                    break;
                case 2:
                    r.left += r.escapement4 - r.escapement8;
                    break;
                case 3:
                    r.top -= r.escapement4;
                    break;
                default:
                    break;
                }
            }
            if (code < kEscapementCode) {
                escapements.push_back(static_cast<std::uint16_t>(r.escapement8));
                escapements.push_back(static_cast<std::uint16_t>(r.escapement4));
            }
        }
        CodeRecord& glyph = codes[kEscapementCode];
        glyph = CodeRecord{};
        glyph.present = true;
        glyph.code = static_cast<std::uint16_t>(kEscapementCode);
        glyph.width = 1;
        glyph.height = kEscapementRows;
        glyph.dataOffset = m_state.glyphData.size();
        appendWords(escapements.data(), escapements.size());
        glyph.dataSize = m_state.glyphData.size() - glyph.dataOffset;
    }

    FontState& m_state;
    std::span<const unsigned char> m_font;
    std::size_t m_pos = 0;
    std::string m_command;
};

} // namespace

bool readLdfcFont(FontState& state, std::span<const unsigned char> font, FontMode mode)
{
    beginPass(state, mode, kLdfcCodes);
    return LdfcFontReader(state, font).run();
}

} // namespace vintrel
