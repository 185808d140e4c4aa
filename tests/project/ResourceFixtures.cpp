#include "ResourceFixtures.h"

namespace qrl::test::fixtures {

std::string u16le(std::uint16_t v)
{
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

std::string u16be(std::uint16_t v)
{
    return {static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)};
}

std::string u32be(std::uint32_t v)
{
    return u16be(static_cast<std::uint16_t>(v >> 16)) + u16be(static_cast<std::uint16_t>(v));
}

std::string pclFont(std::uint16_t typeface, const std::string& name, const std::string& prefix,
                    const std::string& tail)
{
    std::string descriptor(64, '\0');
    descriptor[2] = 20; // a bitmap font's format
    descriptor.replace(25, 2, u16le(typeface));
    std::string field = name.substr(0, 15);
    field.resize(15, ' ');
    descriptor.replace(48, 15, field);
    return prefix + "\x1b)s64W" + descriptor + tail;
}

std::string trueType(const std::string& name, const TrueTypeLayout& layout)
{
    constexpr std::uint32_t kTable = 12 + 16;
    const std::uint16_t storage = layout.storageOffset ? layout.storageOffset : 6 + 12;
    std::string table = u16be(0) + u16be(layout.count) + u16be(storage);
    table += u16be(layout.platform) + u16be(0) + u16be(0) + u16be(layout.nameId) +
             u16be(static_cast<std::uint16_t>(name.size())) + u16be(0);
    table += name;
    std::string file = u32be(0x00010000) + u16be(1) + u16be(16) + u16be(0) + u16be(0);
    file += "name" + u32be(0) + u32be(layout.tableOffset ? layout.tableOffset : kTable) +
            u32be(static_cast<std::uint32_t>(table.size()));
    file += table;
    file.resize(std::max<std::size_t>(file.size(), 128), '\0');
    return file;
}

} // namespace qrl::test::fixtures
