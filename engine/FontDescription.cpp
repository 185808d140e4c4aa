#include "FontDescription.h"

#include "FontText.h"

#include <charconv>
#include <cstdint>

namespace vintrel {
namespace {

struct KeyFormat {
    const char* name;
    int pclWidth; // the value's right-aligned width in a PCL font's text, 0 for none
};

constexpr KeyFormat kKeys[] = {
    {"type", 0},
    {"format", 0},
    {"fonttype", 0},
    {"namelength", 0},
    {"firstcode", 0},
    {"lastcode", 0},
    {"symbolset", 0},
    {"orientation", 0},
    {"spacing", 0},
    {"pitch", 0},
    {"height", 0},
    {"capheight", 0},
    {"vmi", 0},
    {"style", 0},
    {"strokeweight", 0},
    {"serifstyle", 11},
    {"typeface", 0},
    {"scalefactor", 11},
    {"masterunderlineposition", 10},
    {"masterunderlineheight", 11},
    {"strokewidth", 11},
    {"fontname", 0},
    {"resolutionx", 0},
    {"resolutiony", 0},
    {"rotation", 0},
    {"ldfcfont", 0},
};
static_assert(sizeof kKeys / sizeof kKeys[0] == static_cast<std::size_t>(DescriptionKey::Count),
              "one format per key");

constexpr std::size_t kPclKeyColumns = 26;
constexpr std::size_t kLdfcKeyColumns = 27;
constexpr std::size_t kLineMax = 79;

std::string decimal(std::int32_t value, int width)
{
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const auto count = static_cast<std::size_t>(end - digits);
    std::string text;
    if (width > 0 && count < static_cast<std::size_t>(width))
        text.assign(static_cast<std::size_t>(width) - count, ' ');
    text.append(digits, count);
    return text;
}

std::string_view skipSpace(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return text.substr(i);
}

std::string_view firstWord(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && !isBlank(text[i]))
        ++i;
    return text.substr(0, i);
}

// A numeric key's value: a decimal number after blanks, 0 when there is none.
std::int32_t valueOf(std::string_view text)
{
    std::size_t pos = 0;
    std::int32_t value = 0;
    readDecimal(skipSpace(text), pos, value);
    return value;
}

} // namespace

void FontDescription::setFontName(std::string_view name)
{
    m_fontName.assign(name.substr(0, name.find_first_of("\r\n")));
    constexpr std::size_t lengthMax = 0x7FFFFFFF;
    set(DescriptionKey::NameLength,
        static_cast<std::int32_t>(name.size() < lengthMax ? name.size() : lengthMax));
}

std::string FontDescription::formatPcl() const
{
    std::string text;
    for (std::size_t i = 0; i < std::size(kKeys); ++i) {
        const auto key = static_cast<DescriptionKey>(i);
        if (!m_writesResolution && (key == DescriptionKey::ResolutionX || key == DescriptionKey::ResolutionY))
            continue;
        std::string name = kKeys[i].name;
        name.resize(kPclKeyColumns, ' ');
        text += '\n';
        text += name;
        text += key == DescriptionKey::FontName ? m_fontName : decimal(m_values[i], kKeys[i].pclWidth);
    }
    return text + '\n';
}

std::string FontDescription::formatLdfc() const
{
    std::string text;
    for (std::size_t i = 0; i < std::size(kKeys); ++i) {
        const auto key = static_cast<DescriptionKey>(i);
        if (key == DescriptionKey::ResolutionX || key == DescriptionKey::ResolutionY)
            continue;
        std::string name = kKeys[i].name;
        name.resize(kLdfcKeyColumns, ' ');
        text += name;
        text += key == DescriptionKey::FontName ? m_fontName : decimal(m_values[i], 0);
        text += '\n';
    }
    return text;
}

FontDescription FontDescription::parse(std::string_view text, bool readFontName)
{
    FontDescription description;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end).substr(0, kLineMax);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        const std::string_view rest = skipSpace(line);
        const std::string_view key = firstWord(rest);
        const std::string_view value = rest.substr(key.size());
        for (std::size_t i = 0; i < std::size(kKeys); ++i) {
            if (key != kKeys[i].name)
                continue;
            if (static_cast<DescriptionKey>(i) != DescriptionKey::FontName)
                description.m_values[i] = valueOf(value);
            else if (readFontName && !firstWord(skipSpace(value)).empty())
                description.m_fontName = firstWord(skipSpace(value));
            break;
        }
    }
    return description;
}

} // namespace vintrel
