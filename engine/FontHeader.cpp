#include "FontHeader.h"

#include "ByteOrder.h"
#include "FontDescription.h"

#include <cstddef>

namespace vintrel {
namespace {

using Key = DescriptionKey;

constexpr std::size_t kScalableSize = 132;
constexpr std::size_t kBitmapSize = 116;
constexpr std::int32_t kScalableType = 3;
constexpr std::uint16_t kLdfcLastCode = 256;
constexpr std::size_t kNameField = 48;
constexpr std::size_t kNameFieldSize = 32;
constexpr std::size_t kTail = 88;

std::uint16_t formatWord(std::int32_t format)
{
    switch (format) {
    case 3:
        return 3;
    case 20:
        return 20;
    case 10:
        return 6;
    default:
        return 0;
    }
}

// The tail of a bitmap font's header: two words, three segment entries, eight zero bytes and the
// resource id.
void putBitmapTail(unsigned char* p, std::uint32_t fontNumber)
{
    using qrl::bytes::putU16BE;
    using qrl::bytes::putU32BE;
    putU16BE(p, 3);
    putU16BE(p + 2, 3);
    for (std::size_t i = 0; i < 3; ++i)
        putU32BE(p + 4 + 4 * i, 0x0001000A);
    putFontResourceId(p + 24, fontNumber);
}

// The tail of a scalable font's header; its fourth entry tells a serif face and a bold stroke.
void putScalableTail(unsigned char* p, const FontDescription& d, std::uint32_t fontNumber)
{
    using qrl::bytes::putU16BE;
    using qrl::bytes::putU32BE;
    const std::uint16_t bold = d.value(Key::StrokeWeight) > 0 ? 1 : 0;
    const std::uint16_t face = d.value(Key::SerifStyle) < 128 ? static_cast<std::uint16_t>(2 | bold) : bold;
    putU16BE(p, 6);
    putU16BE(p + 2, 4);
    putU32BE(p + 4, 0x00010016);
    putU32BE(p + 8, 0x00010016);
    putU32BE(p + 12, 0x00020016);
    putU16BE(p + 16, 0x0100);
    putU16BE(p + 18, face);
    putU32BE(p + 20, 0x01000004);
    putU32BE(p + 24, 0x01000005);
    putFontResourceId(p + 36, fontNumber);
}

} // namespace

void putFontResourceId(unsigned char* field, std::uint32_t fontNumber)
{
    field[0] = 0xC2;
    field[1] = 0xCD;
    qrl::bytes::putU16BE(field + 2, static_cast<std::uint16_t>(fontNumber));
}

std::vector<unsigned char> buildFontHeader(const FontDescription& d, std::string_view name,
                                           std::uint32_t fontNumber)
{
    using qrl::bytes::putU16BE;
    using qrl::bytes::putU32BE;
    const auto byte = [&d](Key key) { return static_cast<unsigned char>(d.value(key)); };
    const auto word = [&d](Key key) { return static_cast<std::uint16_t>(d.value(key)); };
    const bool scalable = d.value(Key::Type) == kScalableType;
    std::vector<unsigned char> header(scalable ? kScalableSize : kBitmapSize, 0);
    unsigned char* p = header.data();

    putU32BE(p, static_cast<std::uint32_t>(header.size()));
    putU16BE(p + 4, formatWord(d.value(Key::Format)));
    p[8] = byte(Key::Type);
    p[9] = byte(Key::Format);
    p[10] = byte(Key::FontType);
    p[11] = static_cast<unsigned char>(name.size() < 0xFF ? name.size() : 0xFF);
    putU16BE(p + 12, static_cast<std::uint16_t>(fontNumber));
    putU16BE(p + 14, 0xFFFF);
    putU16BE(p + 18, d.value(Key::LdfcFont) == 1 ? kLdfcLastCode : word(Key::LastCode));
    putU16BE(p + 20, word(Key::SymbolSet));
    p[22] = byte(Key::Orientation);
    p[23] = byte(Key::Spacing);
    putU16BE(p + 24, word(Key::Pitch));
    putU16BE(p + 26, word(Key::Height));
    putU16BE(p + 28, word(Key::CapHeight));
    putU16BE(p + 30, word(Key::Vmi));
    putU16BE(p + 32, word(Key::Style));
    p[34] = byte(Key::StrokeWeight);
    p[35] = byte(Key::SerifStyle);
    putU16BE(p + 36, word(Key::Typeface));
    putU16BE(p + 38, word(Key::ScaleFactor));
    putU16BE(p + 40, word(Key::MasterUnderlinePosition));
    putU16BE(p + 42, word(Key::MasterUnderlineHeight));
    putU32BE(p + 44, static_cast<std::uint32_t>(d.value(Key::StrokeWidth)));
    qrl::bytes::putFixedText(p + kNameField, kNameFieldSize, name);
    putU16BE(p + 80, word(Key::ResolutionX));
    putU16BE(p + 82, word(Key::ResolutionY));
    p[86] = byte(Key::Rotation);
    p[87] = byte(Key::LdfcFont);
    if (scalable)
        putScalableTail(p + kTail, d, fontNumber);
    else
        putBitmapTail(p + kTail, fontNumber);
    return header;
}

} // namespace vintrel
