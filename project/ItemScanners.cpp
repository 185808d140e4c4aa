#include "ItemScanners.h"

#include "ByteOrder.h"
#include "ResourceCheckSupport.h"

#include <algorithm>

namespace qrl::itemscan {

namespace {

constexpr unsigned char kEsc = 0x1B;
// The font descriptor begins right behind the 'W' of the header escape.
constexpr std::size_t kTypefaceOffset = 25;
constexpr std::size_t kFontNameOffset = 48;
constexpr std::size_t kFontNameLength = 15;

bool isDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

unsigned char upper(unsigned char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

// The first position where `word` (given in upper case) stands, in any case.
std::optional<std::size_t> findNoCase(Bytes file, std::string_view word)
{
    if (file.size() < word.size())
        return std::nullopt;
    for (std::size_t p = 0; p <= file.size() - word.size(); ++p) {
        std::size_t i = 0;
        while (i < word.size() && upper(file[p + i]) == static_cast<unsigned char>(word[i]))
            ++i;
        if (i == word.size())
            return p;
    }
    return std::nullopt;
}

bool matchesAt(Bytes file, std::size_t p, std::string_view bytes)
{
    if (p > file.size() || bytes.size() > file.size() - p)
        return false;
    return std::equal(bytes.begin(), bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(p),
                      [](char a, unsigned char b) { return static_cast<unsigned char>(a) == b; });
}

std::optional<std::size_t> firstHeaderW(Bytes file)
{
    const std::size_t n = std::min(file.size(), kFontHeaderWindow);
    for (std::size_t i = 0; i < n; ++i)
        if (file[i] == 'W')
            return i;
    return std::nullopt;
}

std::optional<std::uint32_t> descriptorTypeface(Bytes file, std::size_t w)
{
    qrl::bytes::Reader r(file.data(), file.size());
    if (!r.seek(w + 1) || !r.skip(kTypefaceOffset))
        return std::nullopt;
    const std::uint16_t typeface = r.readU16LE();
    return r.ok() ? std::optional<std::uint32_t>(typeface) : std::nullopt;
}

// The decimal number of the leading digits of `n` bytes (0 without any); nothing when it does not
// fit 32 bits.
std::optional<std::uint32_t> leadingNumber(const unsigned char* p, std::size_t n)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < n && isDigit(p[i]); ++i) {
        value = value * 10 + (p[i] - '0');
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

} // namespace

std::uint32_t pclTypeface(Bytes file)
{
    const auto w = firstHeaderW(file);
    if (!w)
        return kFallbackId;
    return descriptorTypeface(file, *w).value_or(kFallbackId);
}

std::optional<std::uint32_t> findPclTypeface(Bytes file)
{
    if (file.size() <= 69)
        return std::nullopt;
    // The same escape search as the content check's: the position just after the "W".
    if (const std::optional<std::size_t> end = qrl::resourcecheck::findPclFontHeader(file))
        return descriptorTypeface(file, *end - 1);
    return std::nullopt;
}

std::optional<std::uint32_t> pclFontId(Bytes file)
{
    if (!firstHeaderW(file))
        return std::nullopt;
    const std::size_t n = std::min(file.size(), kFontIdWindow);
    std::optional<std::uint32_t> id;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (file[i] != '*' || file[i + 1] != 'c')
            continue;
        // The 'D' must come within the six characters behind "*c".
        const std::size_t last = std::min(i + 7, n - 1);
        for (std::size_t d = i + 2; d <= last; ++d) {
            if (file[d] != 'D')
                continue;
            const auto value = leadingNumber(&file[i + 2], d - i - 2);
            id = 50000 + value.value_or(0) % 10000;
            break;
        }
    }
    return id;
}

std::optional<std::uint32_t> ldfcFontId(Bytes file)
{
    constexpr std::size_t kFieldLength = 16;
    const auto p = findNoCase(file, "LDFC");
    if (!p)
        return std::nullopt;
    // A short file ends the field early ("LDFC 77,0;" at the end of the file is font 77).
    const auto field = file.subspan(*p + 4, std::min(kFieldLength, file.size() - (*p + 4)));
    std::size_t n = 0;
    while (n < field.size() && field[n] != ',')
        ++n;
    std::size_t i = 0;
    while (i < n && (field[i] == ' ' || field[i] == '\t' || field[i] == '\r' || field[i] == '\n'))
        ++i;
    return leadingNumber(field.data() + i, n - i);
}

std::string pclFontName(Bytes file)
{
    const auto w = firstHeaderW(file);
    if (!w)
        return {};
    qrl::bytes::Reader r(file.data(), file.size());
    const unsigned char* p =
        r.seek(*w + 1) && r.skip(kFontNameOffset) ? r.readBytes(kFontNameLength) : nullptr;
    if (!p)
        return {};
    std::string name(reinterpret_cast<const char*>(p), kFontNameLength);
    name.resize(std::min(name.find('\0'), name.size()));
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    return name;
}

std::string pclMacroIdText(Bytes file)
{
    constexpr std::size_t kMaxDigits = 5;
    if (file.size() <= 20)
        return "NG";
    for (std::size_t p = 0; p + 3 <= file.size(); ++p) {
        if (!matchesAt(file, p, "\x1b&f"))
            continue;
        std::size_t j = p + 3;
        while (j < file.size() && j - (p + 3) < kMaxDigits && isDigit(file[j]))
            ++j;
        if (j > p + 3 && j < file.size() && (file[j] == 'Y' || file[j] == 'y'))
            return std::string(reinterpret_cast<const char*>(&file[p + 3]), j - (p + 3));
    }
    return "NG";
}

PclMacroId pclMacroId(Bytes file)
{
    std::size_t from = 0;
    for (;;) {
        std::size_t q = from;
        while (q + 1 < file.size() && !(file[q] == '&' && file[q + 1] == 'f'))
            ++q;
        if (q + 1 >= file.size())
            return {};
        std::size_t y = q + 2;
        while (y < file.size() && file[y] != 'Y' && file[y] != 'y')
            ++y;
        if (y >= file.size())
            return {};
        const auto between = file.subspan(q + 2, y - (q + 2));
        if (std::any_of(between.begin(), between.end(),
                        [](unsigned char c) { return c == '&' || c == 'f'; })) {
            from = q + 1;
            continue;
        }
        std::size_t k = y;
        while (k > q + 2 && isDigit(file[k - 1]))
            --k;
        if (k == y)
            return {};
        std::uint32_t value = 0;
        for (std::size_t i = k; i < y; ++i) {
            value = value * 10 + (file[i] - '0');
            // Stop before the sum can wrap back into the accepted range.
            if (value > kMaxPclMacroId)
                return {PclMacroId::OutOfRange, 0};
        }
        return {PclMacroId::Found, value};
    }
}

PclMacroBody pclMacroBody(Bytes file)
{
    PclMacroBody body;
    for (std::size_t p = 0; p + 3 <= file.size() && !body.start; ++p) {
        if (!matchesAt(file, p, "\x1b&f"))
            continue;
        // One parameter after another: a value, then its letter; a lower-case letter goes on with
        // the same escape. "0X", "0x" or a bare "X" starts the definition.
        std::size_t i = p + 3;
        while (i < file.size()) {
            const std::size_t valueStart = i;
            while (i < file.size() && file[i] >= 0x2A && file[i] <= 0x3F)
                ++i;
            if (i >= file.size())
                break;
            const unsigned char letter = file[i];
            const std::size_t valueLength = i - valueStart;
            const bool zero = valueLength == 1 && file[valueStart] == '0';
            if ((letter == 'X' && (valueLength == 0 || zero)) || (letter == 'x' && zero)) {
                body.start = i + 1;
                break;
            }
            if (letter < 'a' || letter > 'z')
                break;
            ++i;
        }
    }
    if (!body.start)
        return body;
    for (std::size_t p = *body.start; p + 5 <= file.size(); ++p) {
        if (matchesAt(file, p, "\x1b&f1X") || matchesAt(file, p, "\x1b&f1x")) {
            body.end = p;
            break;
        }
    }
    return body;
}

TrueTypeName trueTypeName(Bytes file)
{
    TrueTypeName out;
    if (file.size() <= 8)
        return out;
    std::optional<std::size_t> tag;
    for (std::size_t p = 0; p < file.size() - 8 && !tag; ++p)
        if (matchesAt(file, p, "name"))
            tag = p;
    if (!tag)
        return out;
    out.result = TrueTypeName::NoRecord;
    qrl::bytes::Reader r(file.data(), file.size());
    r.seek(*tag + 8);
    const std::uint64_t table = r.readU32BE();
    if (!r.ok() || table > file.size() || !r.seek(static_cast<std::size_t>(table)) || !r.skip(2))
        return out;
    const std::uint16_t count = r.readU16BE();
    const std::uint64_t storage = table + r.readU16BE();
    for (std::uint16_t i = 0; i < count && r.ok(); ++i) {
        const std::uint16_t platform = r.readU16BE();
        r.skip(4); // encoding and language
        const std::uint16_t nameId = r.readU16BE();
        const std::uint16_t length = r.readU16BE();
        const std::uint64_t at = storage + r.readU16BE();
        if (!r.ok() || platform != 1 || nameId != 6 || length > 256)
            continue;
        // A name that lies outside the file does not qualify.
        if (at > file.size() || length > file.size() - at)
            continue;
        out.name.assign(reinterpret_cast<const char*>(&file[static_cast<std::size_t>(at)]), length);
        out.name.resize(std::min(out.name.find('\0'), out.name.size()));
        out.result = TrueTypeName::Found;
        return out;
    }
    return out;
}

McroName mcroName(Bytes file)
{
    constexpr std::size_t kMinBehind = 13;
    constexpr std::size_t kFieldLength = 16;
    McroName out;
    const auto p = findNoCase(file, "MCRO");
    if (!p)
        return out;
    out.result = McroName::Unusable;
    const std::size_t from = *p + 4;
    const std::size_t behind = file.size() - from;
    if (behind < kMinBehind)
        return out;
    const auto field = file.subspan(from, std::min(behind, kFieldLength));
    std::size_t i = 0;
    while (i < field.size() && (field[i] == ' ' || field[i] == '\t'))
        ++i;
    while (i < field.size() && out.name.size() < kMaxMcroNameLength) {
        const unsigned char c = field[i++];
        if (c == ';' || c == '%' || c <= ' ' || c == 0x7F)
            break;
        out.name.push_back(static_cast<char>(c));
    }
    if (!out.name.empty())
        out.result = McroName::Found;
    return out;
}

} // namespace qrl::itemscan
