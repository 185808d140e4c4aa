#include "ResourceFiles.h"

#include "vintrel.h"

#include <charconv>

namespace vintrel {
namespace {

constexpr SlotFile trueTypeFiles[] = {
    {{"TTH", ".HDR"}, kFontHeaderDirectory, false},
    {{"TTD", ".RSC"}, kFontDataDirectory, true},
    {{"TTI", ".RSC"}, kFontDataDirectory, true},
};
constexpr SlotFile glyphFontFiles[] = {
    {kFontHeader, kFontHeaderDirectory, true},
    {kGlyphResource, kFontDataDirectory, true},
};
constexpr FileStem glyphFontConversionFiles[] = {kFontDescription};
constexpr SlotFile macroFiles[] = {{{"BMD", ".RSC"}, kMacroDirectory, true}};
constexpr SlotFile formFiles[] = {{{"BHD", ".RSC"}, kFormDirectory, false}};
constexpr SlotFile programDataFiles[] = {{{"BPD", ".RSC"}, kProgramDataDirectory, false}};

constexpr ResourceType trueType{kFontSlot, trueTypeFiles, {}};
constexpr ResourceType glyphFont{kFontSlot, glyphFontFiles, glyphFontConversionFiles};
constexpr ResourceType macro{kMacroSlot, macroFiles, {}};
constexpr ResourceType form{kFormSlot, formFiles, {}};
constexpr ResourceType programData{kProgramDataSlot, programDataFiles, {}};

} // namespace

std::string indexedName(FileStem stem, std::uint32_t index)
{
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, index).ptr;
    const auto count = static_cast<std::size_t>(end - digits);
    std::string name(stem.prefix);
    if (count < 5)
        name.append(5 - count, '0');
    name.append(digits, count);
    name += stem.extension;
    return name;
}

const ResourceType* resourceTypeOf(std::uint8_t engineType)
{
    switch (engineType) {
    case VINTREL_TRUETYPE_FONT:
        return &trueType;
    case VINTREL_PCL_EO_FONT:
    case VINTREL_PCL_BITMAP_FONT:
    case VINTREL_LDFC_FONT:
        return &glyphFont;
    case VINTREL_PCL_MACRO:
    case VINTREL_PRINTER_MACRO:
        return &macro;
    case VINTREL_FORM:
        return &form;
    case VINTREL_PROGRAM_DATA:
        return &programData;
    default:
        return nullptr;
    }
}

} // namespace vintrel
