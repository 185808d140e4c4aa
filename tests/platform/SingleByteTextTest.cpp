#include "SingleByteText.h"

#include <gtest/gtest.h>

namespace sb = qrl::singlebyte;

TEST(SingleByteText, TextsAreOneByteACharacterAndOnlyTheirOwnByte)
{
    const QString accents = QStringLiteral("a") + QString(20, QChar(0xE9));
    EXPECT_TRUE(sb::fits(accents));
    EXPECT_EQ(sb::toBytes(accents), QByteArray("a") + QByteArray(20, '\xe9'));
    EXPECT_EQ(sb::fromBytes(sb::toBytes(accents)), accents);
    EXPECT_EQ(sb::toBytes(QStringLiteral("\u00ff\u0000x")), QByteArray("\xff\0x", 3));

    const QString euro = QStringLiteral("B\u00fcro \u20ac \u0142");
    EXPECT_FALSE(sb::fits(euro));
    EXPECT_EQ(sb::firstUnfit(euro), 5);
    EXPECT_EQ(sb::toBytes(euro), QByteArray("B\xfcro _ _"));
}

TEST(SingleByteText, StoredBytesAreTakenAsEarlierUtf8OnlyWhenEveryHighByteIsALatin1Pair)
{
    struct Case {
        const char* what;
        QByteArray stored;
        QString text;
    };
    const Case cases[] = {
        {"ASCII", "Logo 1", QStringLiteral("Logo 1")},
        {"earlier UTF-8",
         "Gr\xc3\xbc\xc3\x9f"
         "e \xc2\xb0",
         QStringLiteral("Gr\u00fc\u00dfe \u00b0")},
        {"Latin-1",
         "Gr\xfc\xdf"
         "e",
         QStringLiteral("Gr\u00fc\u00dfe")},
        {"a pair beside a lone byte", "\xc3\xa9\xe9", QStringLiteral("\u00c3\u00a9\u00e9")},
        {"a lead byte at the end", "ab\xc3", QStringLiteral("ab\u00c3")},
        {"a lead byte before ASCII", "\xc3x", QStringLiteral("\u00c3x")},
        {"UTF-8 past Latin-1", "\xe2\x82\xac", QStringLiteral("\u00e2\u0082\u00ac")},
        {"UTF-8 past Latin-1 beside a pair", "\xc3\xa9\xc5\x82", QStringLiteral("\u00c3\u00a9\u00c5\u0082")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sb::fromStored(c.stored), c.text) << c.what;
        // Whatever the reading, what is written back is single bytes of the text shown.
        EXPECT_EQ(sb::normalised(c.stored), sb::toBytes(c.text)) << c.what;
    }
}
