#pragma once

#include <cstdint>
#include <string>

// Project files built byte by byte at the offsets of the file formats, independent of the writer.
namespace qrl::test::projectbytes {

inline void putLE(std::string& s, std::size_t at, std::uint64_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        s[at + i] = static_cast<char>(v >> (8 * i));
}

inline void putText(std::string& s, std::size_t at, const std::string& text)
{
    s.replace(at, text.size(), text);
}

// A current-format header.
inline std::string header(std::uint32_t count, int medium = 5, int sizeIndex = 22, int extra = 0,
                          std::uint32_t custom = 0)
{
    std::string h(306, '\0');
    putLE(h, 34, count, 4);
    putLE(h, 38, static_cast<unsigned>(medium), 2);
    h[40] = static_cast<char>(sizeIndex);
    h[41] = static_cast<char>(extra);
    putLE(h, 44, 0xFFFF, 2);
    putText(h, 46, "PROJECT FILE");
    putLE(h, 302, custom, 4);
    return h;
}

// A 306-byte item record.
inline std::string record(int type, const std::string& name, const std::string& path, std::uint32_t id = 0,
                          std::uint32_t size = 0)
{
    std::string r(306, '\0');
    r[0] = static_cast<char>(type);
    putText(r, 1, name);
    putLE(r, 34, id, 4);
    putText(r, 46, path);
    putLE(r, 302, size, 4);
    return r;
}

// The header record of an older project: 209 or 203 bytes.
inline std::string oldHeader(std::size_t recordSize, int count)
{
    std::string h(recordSize, '\0');
    putLE(h, 0, static_cast<std::uint16_t>(count), 2);
    putText(h, 151, recordSize == 209 ? "PROJECT FILE 2" : "PROJECT FILE");
    return h;
}

struct OldItem {
    std::string path;
    int kind = 0;
    std::uint32_t fileSize = 0;
    std::uint32_t fontNumber = 0;
    std::uint32_t typeface = 0;
    int symbolSet = 0;
    std::string name;
};

inline std::string oldRecord(std::size_t recordSize, const OldItem& item)
{
    std::string r(recordSize, '\0');
    putText(r, 2, item.path);
    putLE(r, 143, static_cast<std::uint16_t>(item.kind), 2);
    putLE(r, 145, item.fileSize, 4);
    if (recordSize == 209) {
        putLE(r, 167, item.fontNumber, 4);
        putLE(r, 171, item.typeface, 4);
        r[175] = static_cast<char>(item.symbolSet);
        putText(r, 177, item.name);
    } else {
        putLE(r, 167, item.fontNumber, 2);
        putText(r, 171, item.name);
    }
    return r;
}

} // namespace qrl::test::projectbytes
