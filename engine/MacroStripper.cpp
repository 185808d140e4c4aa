#include "MacroStripper.h"

#include <limits>

namespace vintrel {
namespace {

constexpr std::string_view kComment = "CMNT";
constexpr std::string_view kDelimiter = "DELM";
constexpr std::string_view kExit = "EXIT";
constexpr std::string_view kMacroHeader = "MCRO";
constexpr std::string_view kColourRaster = "RVCL";
constexpr std::string_view kImageRaster = "GRRD";
constexpr std::string_view kImageEnd = "ENDG";

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isFraming(char c)
{
    return c == ' ' || c == '\r' || c == '\n';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::string MacroStripper::strip(std::string_view source)
{
    return MacroStripper(source).run();
}

std::string MacroStripper::run()
{
    m_out.reserve(m_in.size());
    while (m_pos < m_in.size()) {
        if (atCommandModeStart()) {
            m_pos += 3;
            skipFraming();
            m_atCommandStart = true;
            continue;
        }
        const char c = m_in[m_pos];
        if (m_atCommandStart) {
            if (isFraming(c) || c == '\t') {
                m_out += c;
                ++m_pos;
                continue;
            }
            if (handleCommandStart())
                continue;
            m_atCommandStart = false;
        }
        if (c == '"' || c == '\'') {
            copyQuoted();
            continue;
        }
        m_out += c;
        ++m_pos;
        if (c == ';') {
            m_atCommandStart = true;
            if (m_imageFollows)
                copyImageData();
        }
    }
    return std::move(m_out);
}

bool MacroStripper::atCommandModeStart() const
{
    return m_in.size() - m_pos >= 3 && m_in[m_pos] == '!' && upper(m_in[m_pos + 1]) == 'R' &&
           m_in[m_pos + 2] == '!';
}

bool MacroStripper::keywordAt(std::size_t pos, std::string_view keyword) const
{
    if (m_in.size() - pos < keyword.size())
        return false;
    for (std::size_t i = 0; i < keyword.size(); ++i) {
        if (upper(m_in[pos + i]) != keyword[i])
            return false;
    }
    return true;
}

// At the first character of a command: true when the command was consumed here.
bool MacroStripper::handleCommandStart()
{
    if (m_rasterRows) {
        if (copyRasterRow())
            return true;
        m_rasterRows = false;
    }
    if (keywordAt(m_pos, kComment) || keywordAt(m_pos, kDelimiter) || keywordAt(m_pos, kExit)) {
        m_pos += 4;
        dropThroughSemicolon();
        skipFraming();
        return true;
    }
    if (keywordAt(m_pos, kMacroHeader)) {
        replaceMacroHeader();
        return true;
    }
    if (keywordAt(m_pos, kColourRaster))
        m_rasterRows = true;
    else if (keywordAt(m_pos, kImageRaster))
        m_imageFollows = true;
    return false;
}

// A colour raster row: a decimal byte count, ",", and that many bytes of any value.
bool MacroStripper::copyRasterRow()
{
    std::size_t end = m_pos;
    std::size_t count = 0;
    while (end < m_in.size() && isDigit(m_in[end])) {
        const std::size_t digit = static_cast<std::size_t>(m_in[end] - '0');
        count = count > (std::numeric_limits<std::size_t>::max() - digit) / 10
                    ? std::numeric_limits<std::size_t>::max()
                    : count * 10 + digit;
        ++end;
    }
    if (end == m_pos || end == m_in.size() || m_in[end] != ',')
        return false;
    ++end;
    const std::size_t rest = m_in.size() - end;
    end += count < rest ? count : rest;
    m_out.append(m_in.substr(m_pos, end - m_pos));
    m_pos = end;
    m_atCommandStart = false;
    return true;
}

// The image bytes after a GRRD command carry no count: they end at the image's closing ";ENDG",
// taken as the last one of the source so that bytes inside the image that happen to look like it
// cannot cut it short.
void MacroStripper::copyImageData()
{
    m_imageFollows = false;
    std::size_t end = m_in.size();
    for (std::size_t j = m_in.size(); j-- > m_pos;) {
        if (m_in[j] == ';' && keywordAt(j + 1, kImageEnd)) {
            end = j;
            break;
        }
    }
    m_out.append(m_in.substr(m_pos, end - m_pos));
    m_pos = end;
}

void MacroStripper::copyQuoted()
{
    const char quote = m_in[m_pos];
    const std::size_t close = m_in.find(quote, m_pos + 1);
    const std::size_t end = close == std::string_view::npos ? m_in.size() : close + 1;
    m_out.append(m_in.substr(m_pos, end - m_pos));
    m_pos = end;
}

// "MCRO name;" and "MCRO name ;" become "%"; "MCRO name p..." keeps the first character of its
// parameters in place of the header.
void MacroStripper::replaceMacroHeader()
{
    m_pos += kMacroHeader.size();
    while (m_pos < m_in.size() && m_in[m_pos] == ' ')
        ++m_pos;
    while (m_pos < m_in.size() && m_in[m_pos] != ';' && m_in[m_pos] != ' ')
        ++m_pos;
    if (m_pos == m_in.size())
        return;
    if (m_in[m_pos] == ';') {
        ++m_pos;
        m_out += '%';
    } else {
        skipFraming();
        if (m_pos == m_in.size())
            return;
        const char first = m_in[m_pos++];
        if (first == ';') {
            m_out += '%';
        } else {
            m_out += first;
            dropThroughSemicolon();
        }
    }
    skipFraming();
}

void MacroStripper::dropThroughSemicolon()
{
    while (m_pos < m_in.size()) {
        if (m_in[m_pos++] == ';')
            return;
    }
}

void MacroStripper::skipFraming()
{
    while (m_pos < m_in.size() && isFraming(m_in[m_pos]))
        ++m_pos;
}

} // namespace vintrel
