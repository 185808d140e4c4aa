#include "MacroStripper.h"

#include <algorithm>
#include <cstring>
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

// Inside a command only these bytes change what happens next; a run of any others is copied as it is.
bool isSpecial(char c)
{
    return c == '!' || c == '"' || c == '\'' || c == ';';
}

// The window and the output block of the thread's strips. Made anew for every macro, they would
// be given back to the system after each one and faulted in again page by page for the next.
struct Buffers {
    std::vector<char> window;
    std::string out;
};

Buffers& threadBuffers()
{
    thread_local Buffers buffers;
    return buffers;
}

} // namespace

std::string MacroStripper::strip(std::string_view source)
{
    std::string out;
    const Reader read = [source](std::uint64_t offset, char* buffer, std::size_t count) {
        std::memcpy(buffer, source.data() + offset, count);
        return true;
    };
    const Writer write = [&out](const char* data, std::size_t count) {
        out.append(data, count);
        return true;
    };
    strip(source.size(), read, write);
    return out;
}

bool MacroStripper::strip(std::uint64_t size, const Reader& read, const Writer& write, std::size_t window)
{
    return MacroStripper(size, read, write, std::max<std::size_t>(window, 1)).run();
}

MacroStripper::MacroStripper(std::uint64_t size, const Reader& read, const Writer& write, std::size_t window)
    : m_read(read), m_write(write), m_size(size), m_window(threadBuffers().window),
      m_windowSize(
          static_cast<std::size_t>(std::min<std::uint64_t>(window, std::max<std::uint64_t>(size, 1)))),
      m_out(threadBuffers().out)
{
    if (m_window.size() < m_windowSize)
        m_window.resize(m_windowSize);
    m_out.clear();
    m_out.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(size, kOutBlock)));
}

bool MacroStripper::run()
{
    while (more(m_pos)) {
        if (atCommandModeStart()) {
            m_pos += 3;
            skipFraming();
            m_atCommandStart = true;
            continue;
        }
        const char c = at(m_pos);
        if (m_atCommandStart) {
            if (isFraming(c) || c == '\t') {
                emit(c);
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
        if (!isSpecial(c)) {
            const std::uint64_t end = ordinaryRunEnd(m_pos);
            copyRange(m_pos, end);
            m_pos = end;
            continue;
        }
        emit(c);
        ++m_pos;
        if (c == ';') {
            m_atCommandStart = true;
            if (m_imageFollows)
                copyImageData();
        }
    }
    if (!m_out.empty())
        flush();
    return !m_failed;
}

char MacroStripper::at(std::uint64_t pos)
{
    if (pos - m_windowStart < m_windowLength)
        return m_window[static_cast<std::size_t>(pos - m_windowStart)];
    return load(pos) ? m_window[0] : '\0';
}

// The window from `pos` on; after a failed read every later access answers no byte.
bool MacroStripper::load(std::uint64_t pos)
{
    if (!more(pos))
        return false;
    const auto length = static_cast<std::size_t>(std::min<std::uint64_t>(m_windowSize, m_size - pos));
    if (!m_read(pos, m_window.data(), length)) {
        fail();
        m_windowLength = 0;
        return false;
    }
    m_windowStart = pos;
    m_windowLength = length;
    return true;
}

void MacroStripper::emit(const char* data, std::size_t count)
{
    m_out.append(data, count);
    if (m_out.size() >= kOutBlock)
        flush();
}

void MacroStripper::flush()
{
    if (!m_failed && !m_write(m_out.data(), m_out.size()))
        fail();
    m_out.clear();
}

void MacroStripper::copyRange(std::uint64_t from, std::uint64_t to)
{
    while (from < to && more(from)) {
        if (from - m_windowStart >= m_windowLength && !load(from))
            return;
        const auto offset = static_cast<std::size_t>(from - m_windowStart);
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(to - from, m_windowLength - offset));
        emit(m_window.data() + offset, n);
        from += n;
    }
}

// The position of the first `c` at or after `from`, or the end of the source.
std::uint64_t MacroStripper::find(char c, std::uint64_t from)
{
    while (more(from)) {
        if (from - m_windowStart >= m_windowLength && !load(from))
            break;
        const char* begin = m_window.data() + (from - m_windowStart);
        const std::size_t n = m_windowLength - static_cast<std::size_t>(from - m_windowStart);
        if (const void* hit = std::memchr(begin, c, n))
            return from + static_cast<std::uint64_t>(static_cast<const char*>(hit) - begin);
        from += n;
    }
    return m_size;
}

// The end of the run of bytes from `from` that are no special byte, within the window.
std::uint64_t MacroStripper::ordinaryRunEnd(std::uint64_t from)
{
    if (from - m_windowStart >= m_windowLength && !load(from))
        return from;
    const char* begin = m_window.data() + (from - m_windowStart);
    const char* end = m_window.data() + m_windowLength;
    return from + static_cast<std::uint64_t>(std::find_if(begin + 1, end, isSpecial) - begin);
}

bool MacroStripper::atCommandModeStart()
{
    return at(m_pos) == '!' && remaining(m_pos) >= 3 && upper(at(m_pos + 1)) == 'R' && at(m_pos + 2) == '!';
}

bool MacroStripper::keywordAt(std::uint64_t pos, std::string_view keyword)
{
    if (remaining(pos) < keyword.size())
        return false;
    for (std::size_t i = 0; i < keyword.size(); ++i) {
        if (upper(at(pos + i)) != keyword[i])
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
    // Every keyword looked for here starts with one of these.
    const char first = upper(at(m_pos));
    if (first != 'C' && first != 'D' && first != 'E' && first != 'M' && first != 'R' && first != 'G')
        return false;
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
    std::uint64_t end = m_pos;
    std::uint64_t count = 0;
    while (more(end) && isDigit(at(end))) {
        const auto digit = static_cast<std::uint64_t>(at(end) - '0');
        count = count > (std::numeric_limits<std::uint64_t>::max() - digit) / 10
                    ? std::numeric_limits<std::uint64_t>::max()
                    : count * 10 + digit;
        ++end;
    }
    if (end == m_pos || !more(end) || at(end) != ',')
        return false;
    ++end;
    const std::uint64_t rest = remaining(end);
    end += count < rest ? count : rest;
    copyRange(m_pos, end);
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
    const std::uint64_t end = lastImageEnd();
    copyRange(m_pos, end);
    m_pos = end;
}

// The last ";ENDG" at or after the position, else the end of the source. The position only grows,
// so the search from the first image stands for every later one.
std::uint64_t MacroStripper::lastImageEnd()
{
    if (!m_imageEndKnown) {
        m_imageEnd = findLastImageEnd(m_pos);
        m_imageEndKnown = true;
    }
    return m_imageEnd >= m_pos ? m_imageEnd : m_size;
}

// Searched from the end of the source backwards, one window at a time.
std::uint64_t MacroStripper::findLastImageEnd(std::uint64_t from)
{
    const std::size_t tail = kImageEnd.size();
    std::vector<char> block;
    for (std::uint64_t end = m_size; end > from && !m_failed;) {
        const std::uint64_t start = end - from > m_windowSize ? end - m_windowSize : from;
        const std::uint64_t stop = std::min<std::uint64_t>(m_size, end + tail);
        block.resize(static_cast<std::size_t>(stop - start));
        if (!m_read(start, block.data(), block.size())) {
            fail();
            break;
        }
        for (std::uint64_t j = end; j-- > start;) {
            const auto i = static_cast<std::size_t>(j - start);
            if (block[i] != ';' || block.size() - i - 1 < tail)
                continue;
            std::size_t k = 0;
            while (k < tail && upper(block[i + 1 + k]) == kImageEnd[k])
                ++k;
            if (k == tail)
                return j;
        }
        end = start;
    }
    return m_size;
}

void MacroStripper::copyQuoted()
{
    const char quote = at(m_pos);
    const std::uint64_t close = find(quote, m_pos + 1);
    const std::uint64_t end = more(close) ? close + 1 : m_size;
    copyRange(m_pos, end);
    m_pos = end;
}

// "MCRO name;" and "MCRO name ;" become "%"; "MCRO name p..." keeps the first character of its
// parameters in place of the header.
void MacroStripper::replaceMacroHeader()
{
    m_pos += kMacroHeader.size();
    while (more(m_pos) && at(m_pos) == ' ')
        ++m_pos;
    while (more(m_pos) && at(m_pos) != ';' && at(m_pos) != ' ')
        ++m_pos;
    if (!more(m_pos))
        return;
    if (at(m_pos) == ';') {
        ++m_pos;
        emit('%');
    } else {
        skipFraming();
        if (!more(m_pos))
            return;
        const char first = at(m_pos++);
        if (first == ';') {
            emit('%');
        } else {
            emit(first);
            dropThroughSemicolon();
        }
    }
    skipFraming();
}

void MacroStripper::dropThroughSemicolon()
{
    while (more(m_pos)) {
        if (at(m_pos++) == ';')
            return;
    }
}

void MacroStripper::skipFraming()
{
    while (more(m_pos) && isFraming(at(m_pos)))
        ++m_pos;
}

} // namespace vintrel
