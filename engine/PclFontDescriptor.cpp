#include "PclFontDescriptor.h"

#include "ByteOrder.h"
#include "FontState.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace vintrel {
namespace {

constexpr std::size_t kBaseSize = 64;
constexpr std::size_t kResolutionSize = 68;
constexpr unsigned kResolutionFormat = 20;

// Field positions of the descriptor.
constexpr std::size_t kFormat = 2;
constexpr std::size_t kFontType = 3;
constexpr std::size_t kStyleHigh = 4;
constexpr std::size_t kOrientation = 12;
constexpr std::size_t kSpacing = 13;
constexpr std::size_t kSymbolSet = 14;
constexpr std::size_t kPitch = 16;
constexpr std::size_t kHeight = 18;
constexpr std::size_t kStyleLow = 23;
constexpr std::size_t kStrokeWeight = 24;
constexpr std::size_t kSerifStyle = 27;
constexpr std::size_t kUnderlinePosition = 30;
constexpr std::size_t kUnderlineThickness = 31;
constexpr std::size_t kCapHeight = 42;
constexpr std::size_t kScaleFactor = 64;
constexpr std::size_t kResolutionX = 64;
constexpr std::size_t kResolutionY = 66;
constexpr std::size_t kMasterUnderlinePosition = 70;
constexpr std::size_t kMasterUnderlineHeight = 72;

bool isScalable(unsigned format)
{
    return format == 10 || format == 11 || format == 211;
}

std::size_t descriptorSize(unsigned format)
{
    if (isScalable(format))
        return kPclDescriptorMax;
    return format == kResolutionFormat ? kResolutionSize : kBaseSize;
}

} // namespace

bool readPclDescriptor(FontState& state, std::span<const unsigned char> data, FontFunction reporter)
{
    state.descriptor.fill(0);
    if (data.size() < kBaseSize)
        return reportFailure(state, reporter, 0);
    const std::size_t size = descriptorSize(data[kFormat]);
    if (data.size() < size)
        return reportFailure(state, reporter, 1);
    std::copy_n(data.begin(), size, state.descriptor.begin());
    return true;
}

FontDescription describePclFont(const FontState& state)
{
    using qrl::bytes::getU16BE;
    using Key = DescriptionKey;
    const unsigned char* d = state.descriptor.data();
    const unsigned format = d[kFormat];
    const bool scalable = isScalable(format);
    // The stroke weight and the underline positions are signed in the descriptor.
    const auto signedByte = [d](std::size_t at) {
        return static_cast<std::int32_t>(static_cast<std::int8_t>(d[at]));
    };

    FontDescription description;
    description.set(Key::Type, scalable ? 3 : 2);
    description.set(Key::Format, format == 0 || format == kResolutionFormat ? 0 : format == 10 ? 10 : 3);
    description.set(Key::FontType, d[kFontType]);
    description.set(Key::FirstCode, std::max(state.collectedCodes.lowest, 0));
    description.set(Key::LastCode, std::max(state.collectedCodes.highest, 0));
    description.set(Key::SymbolSet, getU16BE(d + kSymbolSet));
    description.set(Key::Orientation, d[kOrientation]);
    description.set(Key::Spacing, d[kSpacing]);
    description.set(Key::Pitch, getU16BE(d + kPitch));
    description.set(Key::Height, getU16BE(d + kHeight));
    description.set(Key::CapHeight, getU16BE(d + kCapHeight));
    description.set(Key::Vmi, getU16BE(d + kHeight));
    description.set(Key::Style, (d[kStyleHigh] << 8) | d[kStyleLow]);
    description.set(Key::StrokeWeight, signedByte(kStrokeWeight));
    description.set(Key::SerifStyle, d[kSerifStyle]);
    description.set(Key::Typeface, static_cast<std::int32_t>(state.request.typefaceNumber));
    description.set(Key::ScaleFactor, scalable ? getU16BE(d + kScaleFactor) : 0);
    description.set(Key::MasterUnderlinePosition,
                    scalable ? static_cast<std::int16_t>(getU16BE(d + kMasterUnderlinePosition))
                             : signedByte(kUnderlinePosition));
    description.set(Key::MasterUnderlineHeight,
                    scalable ? getU16BE(d + kMasterUnderlineHeight) : d[kUnderlineThickness]);
    description.set(Key::StrokeWidth, 0);
    description.setFontName(state.request.name);
    if (format == kResolutionFormat) {
        description.setWritesResolution(true);
        description.set(Key::ResolutionX, getU16BE(d + kResolutionX));
        description.set(Key::ResolutionY, getU16BE(d + kResolutionY));
    }
    description.set(Key::Rotation, d[kOrientation]);
    description.set(Key::LdfcFont, 0);
    return description;
}

} // namespace vintrel
