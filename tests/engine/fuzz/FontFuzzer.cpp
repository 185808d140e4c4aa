// Fuzz entry for the font converters: any bytes are read as a PCL bitmap font, a PCL scalable font
// and an LDFC font in every mode, converted as the exports convert them, and read as a font
// description; nothing may crash, and every glyph resource and header made is well formed.
#include "ByteOrder.h"
#include "FontConversion.h"
#include "FontDescription.h"
#include "FontGlyphResource.h"
#include "FontHeader.h"
#include "FontState.h"
#include "LdfcFontReader.h"
#include "PclFontReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>
#include <vector>

namespace {

using namespace vintrel;

class MemoryOutput : public FontOutput {
public:
    bool open() override { return true; }
    bool write(std::span<const unsigned char> bytes) override
    {
        m_bytes.assign(bytes.begin(), bytes.end());
        return true;
    }
    std::string_view text() const { return {reinterpret_cast<const char*>(m_bytes.data()), m_bytes.size()}; }

    std::vector<unsigned char> m_bytes;
};

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// The size word is the size, the offset table fits, and every glyph starts inside the resource on
// a multiple of 4 bytes.
void checkResource(const std::vector<unsigned char>& resource)
{
    require(resource.size() >= 16 && qrl::bytes::getU32BE(resource.data()) == resource.size());
    const std::size_t entries = qrl::bytes::getU16BE(resource.data() + 12);
    require(entries > 0 && 16 + 4 * entries <= resource.size());
    for (std::size_t code = 0; code < entries; ++code) {
        const std::size_t entry = 16 + 4 * code;
        const std::uint32_t offset = qrl::bytes::getU32BE(resource.data() + entry);
        require(offset == 0 || (offset < resource.size() - entry && (entry + offset) % 4 == 0));
    }
}

void checkHeader(std::string_view description)
{
    const std::vector<unsigned char> header =
        buildFontHeader(FontDescription::parse(description, true), "", 1);
    require(header.size() == qrl::bytes::getU32BE(header.data()));
}

void startFont()
{
    resetFontState().request = FontRequest{"Fuzz", 1000, 77};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const unsigned char> font(data, size);
    startFont();
    MemoryOutput description;
    if (describeFont(fontState(), font, description))
        checkHeader(description.text());
    startFont();
    MemoryOutput resource;
    if (buildFontResource(fontState(), font, resource))
        checkResource(resource.m_bytes);

    // Each reader on its own, whatever the kind of the bytes.
    for (int reader = 0; reader < 3; ++reader) {
        for (const FontMode mode : {FontMode::Collect, FontMode::Describe, FontMode::Resource}) {
            startFont();
            FontState& state = fontState();
            const bool read =
                reader == 2 ? readLdfcFont(state, font, mode)
                            : readPclFont(state, font,
                                          reader == 0 ? PclFontKind::Bitmap : PclFontKind::Scalable, mode);
            if (read && mode == FontMode::Describe)
                checkHeader(state.description);
            std::vector<unsigned char> glyphs;
            const auto kind = reader == 1 ? GlyphResourceKind::Scalable : GlyphResourceKind::Bitmap;
            if (read && mode == FontMode::Resource && buildGlyphResource(state, kind, glyphs))
                checkResource(glyphs);
        }
    }
    checkHeader({reinterpret_cast<const char*>(data), size});
    return 0;
}
