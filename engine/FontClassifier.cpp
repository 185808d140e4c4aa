#include "FontClassifier.h"

#include "PclEscapeScanner.h"

#include <cstddef>

namespace vintrel {
namespace {

constexpr std::size_t kSniffSize = 80;
constexpr unsigned char kEscape = 0x1B;
constexpr std::size_t kFormatOffset = 2;
constexpr std::size_t kFormatBytesRead = 4;

FontClass classOfFormat(unsigned format)
{
    switch (format) {
    case 0:
        return FontClass::PclBitmap;
    case 10:
        return FontClass::PclScalable;
    case 11:
        return FontClass::PclScalableUnbound;
    case 15:
        return FontClass::PclFormat15;
    case 20:
        return FontClass::PclResolutionBitmap;
    default:
        return FontClass::Unknown;
    }
}

FontClass classifyPcl(std::span<const unsigned char> font)
{
    PclEscapeScanner scanner(font);
    PclEscape escape;
    while (scanner.next(escape)) {
        if (escape.key != kPclFontHeaderKey)
            continue;
        // Only what the command itself holds counts; a header too short to carry its format is
        // no recognised header.
        const PclCommandData data = scanner.takeData(escape.value);
        if (data.bytes.size() < kFormatBytesRead)
            return FontClass::Ldfc;
        return classOfFormat(data.bytes[kFormatOffset]);
    }
    return FontClass::Ldfc;
}

} // namespace

FontClass classifyFont(std::span<const unsigned char> font)
{
    const std::size_t sniff = font.size() < kSniffSize ? font.size() : kSniffSize;
    for (std::size_t i = 0; i < sniff; ++i) {
        if (font[i] == '!' && i + 1 < sniff && font[i + 1] == 'R')
            return FontClass::Ldfc;
        if (font[i] == kEscape)
            return classifyPcl(font);
    }
    return FontClass::Ldfc;
}

} // namespace vintrel
