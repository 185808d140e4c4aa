#include "SlotImageWalker.h"

#include "ByteOrder.h"

#include <algorithm>
#include <array>

namespace qrl::test {
namespace {

constexpr std::size_t kHeader = 196;
constexpr std::array<std::uint16_t, 5> kKindOrder = {0, 1, 48, 32, 16};

std::size_t kindRank(std::uint16_t kind)
{
    return static_cast<std::size_t>(std::find(kKindOrder.begin(), kKindOrder.end(), kind) -
                                    kKindOrder.begin());
}

} // namespace

std::string walkSlotImage(const std::string& bytes, WalkedImage& image)
{
    using namespace qrl::bytes;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    if (size < kHeader)
        return "shorter than the header";
    if (getU32BE(p) != 0xAE00A002u)
        return "bad magic";
    if (getU16BE(p + 4) != 0x00C0)
        return "bad word at 4";
    image.mediumWord = getU16BE(p + 6);
    if (image.mediumWord != 0 && image.mediumWord != 2)
        return "bad medium word";
    if (getU32BE(p + 8) != size)
        return "image size field differs from the file size";
    if (bytes.compare(12, 4, "100A") != 0)
        return "bad format text";
    image.date = bytes.substr(16, 8);
    if (!std::all_of(image.date.begin(), image.date.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return "date is not eight digits";
    if (!std::all_of(p + 24, p + 34, [](unsigned char c) { return c == 0; }))
        return "bytes 24 to 33 are not zero";
    image.notice = getFixedText(p + 34, 158);
    if (image.notice.size() > 66 ||
        !std::all_of(p + 34 + image.notice.size(), p + 192, [](unsigned char c) { return c == 0; }))
        return "notice field is not zero-filled text of at most 66 characters";
    const std::size_t entries = getU16BE(p + 192);
    if (getU16BE(p + 194) != 0)
        return "bad word at 194";
    const std::size_t dataStart = kHeader + 8 * entries;
    if (dataStart > size)
        return "directory runs past the end";

    image.resources.clear();
    std::size_t expected = dataStart;
    for (std::size_t k = 0; k < entries; ++k) {
        const unsigned char* entry = p + kHeader + 8 * k;
        if (getU16BE(entry) != 1)
            return "entry " + std::to_string(k) + " does not begin with 1";
        const std::uint16_t kind = getU16BE(entry + 2);
        if (kindRank(kind) == kKindOrder.size())
            return "entry " + std::to_string(k) + " has an unknown kind";
        if (!image.resources.empty() && kindRank(kind) < kindRank(image.resources.back().kind))
            return "entry " + std::to_string(k) + " is out of kind order";
        const std::size_t offsetField = kHeader + 8 * k + 4;
        const std::uint32_t offset = getU32BE(entry + 4);
        if (offset > size - offsetField)
            return "entry " + std::to_string(k) + " points past the end";
        const std::size_t start = offsetField + offset;
        if (start < expected)
            return "entry " + std::to_string(k) + " overlaps the one before";
        if (!image.resources.empty())
            image.resources.back().size = start - image.resources.back().offset;
        else if (start != dataStart)
            return "the first resource does not follow the directory";
        image.resources.push_back({kind, start, 0});
        expected = start;
    }
    if (!image.resources.empty())
        image.resources.back().size = size - image.resources.back().offset;
    else if (dataStart != size)
        return "bytes after an empty directory";
    return {};
}

} // namespace qrl::test
