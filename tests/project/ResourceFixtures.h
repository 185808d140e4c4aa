#pragma once

#include <cstdint>
#include <string>

// Small resource files built in code, with the parts the item scans look at.
namespace qrl::test::fixtures {

std::string u16le(std::uint16_t v);
std::string u16be(std::uint16_t v);
std::string u32be(std::uint32_t v);

// A PCL soft font: `prefix`, the header escape ESC ) s 64 W and a 64-byte descriptor holding the
// typeface at bytes 25-26 and the 15-byte name at 48, then `tail`.
std::string pclFont(std::uint16_t typeface, const std::string& name, const std::string& prefix = {},
                    const std::string& tail = std::string(16, '\0'));

struct TrueTypeLayout {
    std::uint32_t tableOffset = 0;   // 0: where the table really is
    std::uint16_t storageOffset = 0; // 0: behind the records
    std::uint16_t platform = 1;
    std::uint16_t nameId = 6;
    std::uint16_t count = 1;
};
// A TrueType file whose only table is "name" with one name record holding `name`, padded past
// 100 bytes.
std::string trueType(const std::string& name, const TrueTypeLayout& layout = {});

} // namespace qrl::test::fixtures
