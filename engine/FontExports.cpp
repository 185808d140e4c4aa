// MakeSFA, MakeFontHeader and CreateFontResource: the font files of a PCL or LDFC font item. Each
// reads its input whole, starts from a cleared converter state, removes an output left by an
// earlier build before it begins, and writes its output whole or not at all.
#include "vintrel.h"

#include "ExportGuard.h"
#include "FontConversion.h"
#include "FontDescription.h"
#include "FontDiagnostics.h"
#include "FontHeader.h"
#include "FontState.h"
#include "InputFile.h"
#include "OutputFile.h"
#include "ResourceFiles.h"
#include "ScratchFile.h"

#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vintrel {
namespace {

// A file of the working directory written beside its name and moved onto it once it is whole.
class FontOutputFile : public FontOutput {
public:
    explicit FontOutputFile(std::string path) : m_path(std::move(path)) {}

    bool open() override { return m_file.createReplacing(m_path); }
    bool write(std::span<const unsigned char> bytes) override
    {
        return m_file.write(bytes.data(), bytes.size()) && m_file.commit();
    }

private:
    std::string m_path;
    OutputFile m_file;
};

// The whole file in one read, its size from the file system.
bool loadFile(const char* path, std::vector<unsigned char>& bytes)
{
    InputFile input;
    if (!path || !input.open(path) || input.size() > std::numeric_limits<std::size_t>::max())
        return false;
    bytes.resize(static_cast<std::size_t>(input.size()));
    return bytes.empty() || input.read(bytes.data(), bytes.size());
}

// The font file; when it cannot be read, the classifier's line and the export's.
bool loadFont(FontState& state, const char* path, FontFunction exportName, std::vector<unsigned char>& font)
{
    if (loadFile(path, font))
        return true;
    reportFailure(state, FontFunction::GetFontFormat, 0);
    return reportFailure(state, exportName, 0);
}

// The output's name, with any file of that name from an earlier build removed.
std::string freshOutput(FileStem stem, std::uint32_t itemIndex)
{
    std::string name = indexedName(stem, itemIndex);
    removeFile(name);
    return name;
}

bool makeSfa(const char* fontPath, std::uint32_t itemIndex, const char* fontName, std::uint32_t fontNumber,
             std::uint32_t typefaceNumber)
{
    FontState& state = resetFontState();
    state.request = FontRequest{fontName ? fontName : "", fontNumber, typefaceNumber};
    FontOutputFile output(freshOutput(kFontDescription, itemIndex));
    std::vector<unsigned char> font;
    return loadFont(state, fontPath, FontFunction::MakeSFA, font) && describeFont(state, font, output);
}

bool makeFontHeader(std::uint32_t itemIndex, const char* fontName, std::uint32_t fontNumber)
{
    FontState& state = resetFontState();
    FontOutputFile output(freshOutput(kFontHeader, itemIndex));
    std::vector<unsigned char> text;
    if (!loadFile(indexedName(kFontDescription, itemIndex).c_str(), text))
        return reportFailure(state, FontFunction::MakeFontHeader, 1);
    const std::string_view name = fontName ? fontName : "";
    const FontDescription description = FontDescription::parse(
        std::string_view(reinterpret_cast<const char*>(text.data()), text.size()), name.empty());
    const std::vector<unsigned char> header = buildFontHeader(
        description, name.empty() ? std::string_view(description.fontName()) : name, fontNumber);
    if (!output.open() || !output.write(header))
        return reportFailure(state, FontFunction::MakeFontHeader, 3);
    return true;
}

bool createFontResource(const char* fontPath, std::uint32_t itemIndex, std::uint32_t fontNumber)
{
    FontState& state = resetFontState();
    state.request.fontNumber = fontNumber;
    FontOutputFile output(freshOutput(kGlyphResource, itemIndex));
    std::vector<unsigned char> font;
    return loadFont(state, fontPath, FontFunction::CreateFontResource, font) &&
           buildFontResource(state, font, output);
}

} // namespace
} // namespace vintrel

extern "C" {

VINTREL_API int MakeSFA(const char* fontPath, uint32_t itemIndex, const char* fontName, uint32_t fontNumber,
                        uint32_t typefaceNumber)
{
    return vintrel::guardedExport(
        [&] { return vintrel::makeSfa(fontPath, itemIndex, fontName, fontNumber, typefaceNumber); });
}

VINTREL_API int MakeFontHeader(uint32_t itemIndex, const char* fontName, uint32_t fontNumber)
{
    return vintrel::guardedExport([&] { return vintrel::makeFontHeader(itemIndex, fontName, fontNumber); });
}

VINTREL_API int CreateFontResource(const char* fontPath, uint32_t itemIndex, uint32_t fontNumber)
{
    return vintrel::guardedExport(
        [&] { return vintrel::createFontResource(fontPath, itemIndex, fontNumber); });
}

} // extern "C"
