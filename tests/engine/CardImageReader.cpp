#include "CardImageReader.h"

#include "ByteOrder.h"

namespace qrl::test {
namespace {

const unsigned char* bytesOf(const std::string& s)
{
    return reinterpret_cast<const unsigned char*>(s.data());
}

// One tuple of a common part: its code, link and body.
struct Tuple {
    std::uint8_t code;
    std::string body;
};

// Reads the tuples from `at` up to and including the closing "FF 00"; `at` ends past it.
std::string readTuples(const std::string& image, std::size_t& at, std::vector<Tuple>& tuples)
{
    while (true) {
        if (image.size() < 2 || at > image.size() - 2)
            return "tuple chain runs past the image";
        const auto code = static_cast<std::uint8_t>(image[at]);
        const auto link = static_cast<std::uint8_t>(image[at + 1]);
        at += 2;
        if (code == 0xFF && link == 0)
            return {};
        if (link > image.size() - at)
            return "tuple body runs past the image";
        tuples.push_back({code, image.substr(at, link)});
        at += link;
    }
}

std::string readSlot(const std::string& image, std::size_t& at, bool first, CardImageSlot& slot, bool& more)
{
    std::vector<Tuple> tuples;
    if (std::string error = readTuples(image, at, tuples); !error.empty())
        return error;
    const std::vector<std::uint8_t> expected =
        first ? std::vector<std::uint8_t>{0x13, 0x40, 0x44, 0x41, 0x46, 0x43, 0x12}
              : std::vector<std::uint8_t>{0x13, 0x41, 0x46, 0x12};
    if (tuples.size() != expected.size())
        return "wrong number of tuples in a common part";
    std::uint32_t next = 0;
    for (std::size_t i = 0; i < tuples.size(); ++i) {
        const Tuple& t = tuples[i];
        const unsigned char* b = bytesOf(t.body);
        const bool last = i + 1 == tuples.size();
        if (last ? (t.code != 0x12 && t.code != 0xFF) : t.code != expected[i])
            return "unexpected tuple " + std::to_string(t.code);
        if (t.code == 0x13 && t.body != std::string("CIS\0", 4))
            return "bad link target";
        if (t.code == 0x41) {
            if (t.body.size() != 10 || b[0] != 0x80 || b[1] != 0)
                return "bad format tuple";
            slot.dataOffset = qrl::bytes::getU32LE(b + 2);
            slot.dataSize = qrl::bytes::getU32LE(b + 6);
        }
        if (t.code == 0x46) {
            if (t.body.size() != 24 || t.body.compare(0, 6, "\x80\x00QP\x01\x80", 6) != 0 || b[7] != 0 ||
                b[23] != 0)
                return "bad organisation tuple";
            slot.kind = b[6];
            slot.name = t.body.substr(8, 15).c_str();
        }
        if (last) {
            if (t.body.size() != 4)
                return "bad link tuple";
            next = qrl::bytes::getU32LE(b);
            more = t.code == 0x12;
        }
    }
    if (next < at || next > image.size())
        return "link outside the image";
    slot.position = at;
    slot.image = image.substr(at, next - at);
    at = next;
    return {};
}

} // namespace

std::string readCardImage(const std::string& delivered, CardImage& card)
{
    std::string image = delivered;
    for (std::size_t i = 0; i + 1 < image.size(); i += 2)
        std::swap(image[i], image[i + 1]);
    card.unswapped = image;
    if (image.size() < 24)
        return "no attribute part";
    std::string attribute;
    for (std::size_t i = 0; i < 24; i += 2) {
        if (image[i] != image[i + 1])
            return "attribute byte not doubled at " + std::to_string(i);
        attribute += image[i];
    }
    const unsigned char* a = bytesOf(attribute);
    if (a[0] != 0x01 || a[1] != 0x03 || a[4] != 0xFF || a[5] != 0x12 || a[6] != 0x04 ||
        qrl::bytes::getU32LE(a + 7) != 24 || a[11] != 0xFF)
        return "bad attribute part";
    card.deviceInfo = a[2];
    card.sizeCode = a[3];

    std::size_t at = 24;
    for (bool more = true; more;) {
        CardImageSlot slot;
        if (std::string error = readSlot(image, at, card.cardSlots.empty(), slot, more); !error.empty())
            return error;
        card.cardSlots.push_back(slot);
    }
    if (at != image.size())
        return "bytes after the last slot";
    return {};
}

} // namespace qrl::test
