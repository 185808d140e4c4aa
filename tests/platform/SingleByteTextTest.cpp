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
        // Read as UTF-8 this is "Ã" and U+0099, whose single bytes C3 99 would read as "Ù".
        {"pairs whose single bytes are a pair again", "\xc3\x83\xc2\x99",
         QStringLiteral("\u00c3\u0083\u00c2\u0099")},
        {"\"Ã\" before a Latin-1 letter", "\xc3\xc9", QStringLiteral("\u00c3\u00c9")},
        {"\"Â\" before a Latin-1 letter", "\xc2\xc9", QStringLiteral("\u00c2\u00c9")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sb::fromStored(c.stored), c.text) << c.what;
        // Whatever the reading, what is written back is single bytes of the text shown.
        EXPECT_EQ(sb::normalised(c.stored), sb::toBytes(c.text)) << c.what;
    }
}

// Every short string of the bytes that matter (ASCII, lead bytes, continuation bytes, lone
// letters): the bytes written back are read as the same text and written back unchanged.
TEST(SingleByteText, WritingBackWhatWasReadIsAFixedPoint)
{
    const char alphabet[] = {'a',    '\x80', '\x82', '\x83', '\x99', '\xa9',
                             '\xbf', '\xc2', '\xc3', '\xc9', '\xe2'};
    constexpr int kSymbols = sizeof alphabet;
    for (int length = 1; length <= 5; ++length) {
        int combinations = 1;
        for (int i = 0; i < length; ++i)
            combinations *= kSymbols;
        for (int n = 0; n < combinations; ++n) {
            QByteArray stored;
            for (int k = 0, rest = n; k < length; ++k, rest /= kSymbols)
                stored += alphabet[rest % kSymbols];
            const QByteArray once = sb::normalised(stored);
            ASSERT_EQ(sb::fromStored(once), sb::fromStored(stored)) << stored.toHex(' ').constData();
            ASSERT_EQ(sb::normalised(once), once) << stored.toHex(' ').constData();
        }
    }
}
