#include "ItemRecord.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(ItemRecord, EveryFieldLandsAtItsOffsetLittleEndian)
{
    ItemRecord r;
    r.resourceType = 6;
    r.name = "LOGO";
    r.resourceId = 0x11223344;
    r.typefaceId = 0x55667788;
    r.symbolSet = 31;
    r.automaticFlag = 0x0102;
    r.path = "/res/macros/logo.mcr";
    r.fileSize = 0xA1B2C3D4;
    const ItemRecord::Bytes b = r.encode();
    ASSERT_EQ(b.size(), 306u);
    struct Field {
        std::size_t offset;
        std::vector<unsigned char> bytes;
    };
    const Field fields[] = {
        {0, {6}},
        {1, {'L', 'O', 'G', 'O', 0}},
        {34, {0x44, 0x33, 0x22, 0x11}},
        {38, {0x88, 0x77, 0x66, 0x55}},
        {42, {31, 0}},
        {44, {0x02, 0x01}},
        {46, {'/', 'r', 'e', 's'}},
        {302, {0xD4, 0xC3, 0xB2, 0xA1}},
    };
    for (const Field& f : fields)
        for (std::size_t i = 0; i < f.bytes.size(); ++i)
            EXPECT_EQ(b[f.offset + i], f.bytes[i]) << "offset " << f.offset + i;
    // Everything after a text is zero: no stale bytes reach a project file.
    for (std::size_t i = 1 + 5; i < 34; ++i)
        EXPECT_EQ(b[i], 0) << i;
    for (std::size_t i = 46 + r.path.size(); i < 302; ++i)
        EXPECT_EQ(b[i], 0) << i;
    EXPECT_EQ(ItemRecord::decode(b.data()), r);
}

TEST(ItemRecord, TextsAreBoundedBothWays)
{
    ItemRecord r;
    r.name = std::string(40, 'N');
    r.path = std::string(300, 'p');
    const ItemRecord::Bytes b = r.encode();
    EXPECT_EQ(b[33], 0);  // the name field ends in a NUL
    EXPECT_EQ(b[301], 0); // so does the path field
    const ItemRecord back = ItemRecord::decode(b.data());
    EXPECT_EQ(back.name, std::string(32, 'N'));
    EXPECT_EQ(back.path, std::string(255, 'p'));

    // A hostile record without any NUL never reads one field into the next.
    ItemRecord::Bytes hostile;
    std::memset(hostile.data(), 'X', hostile.size());
    const ItemRecord h = ItemRecord::decode(hostile.data());
    EXPECT_EQ(h.name.size(), 32u);
    EXPECT_EQ(h.path.size(), 255u);
    EXPECT_EQ(h.resourceId, 0x58585858u);
}
