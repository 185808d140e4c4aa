#include "SingleByteText.h"

namespace qrl::singlebyte {

namespace {

bool isContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

// Earlier builds wrote texts as UTF-8; every text they could send to the printer as single bytes
// has only characters up to U+00FF, whose UTF-8 is a lead byte C2 or C3 and one continuation
// byte. Bytes are taken as such UTF-8 only when they hold at least one of these pairs and no
// other byte from 0x80 up: read as Latin-1, such a pair would be "Â" or "Ã" followed by a control
// character or a sign like "©" or "±", which names do not hold. Everything else (plain ASCII, a
// lone accented byte, UTF-8 of characters past U+00FF that the printer never could receive as
// one byte) keeps its bytes as single bytes, so it is written back unchanged.
//
// One more condition keeps a load and a save a fixed point: the single bytes of the decoded text
// must not be taken as UTF-8 again. They would be only when the text holds "Â" or "Ã" followed by
// a character from U+0080 to U+00BF (C3 82 / C3 83, then C2 xx, stored): such bytes keep their
// single-byte reading, so that C3 83 C2 99 is not saved as C3 99 to be read as "Ù" the next time.
// With it, the bytes written for any stored text are read back as the same text.
bool isEarlierUtf8(QByteArrayView bytes)
{
    bool paired = false;
    unsigned previous = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            previous = c;
            continue;
        }
        if ((c != 0xC2 && c != 0xC3) || i + 1 >= bytes.size() ||
            !isContinuation(static_cast<unsigned char>(bytes[i + 1])))
            return false;
        const unsigned decoded = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(bytes[i + 1]) & 0x3Fu);
        if ((previous == 0xC2 || previous == 0xC3) && decoded < 0xC0)
            return false;
        previous = decoded;
        paired = true;
        ++i;
    }
    return paired;
}

} // namespace

qsizetype firstUnfit(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].unicode() > 0xFF)
            return i;
    }
    return -1;
}

bool fits(QStringView text)
{
    return firstUnfit(text) < 0;
}

QByteArray toBytes(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        bytes[i] = c <= 0xFF ? static_cast<char>(c) : kNoByte;
    }
    return bytes;
}

QString fromBytes(QByteArrayView bytes)
{
    return QString::fromLatin1(bytes);
}

QString fromStored(QByteArrayView bytes)
{
    return isEarlierUtf8(bytes) ? QString::fromUtf8(bytes) : fromBytes(bytes);
}

QByteArray normalised(QByteArrayView stored)
{
    return toBytes(fromStored(stored));
}

} // namespace qrl::singlebyte
