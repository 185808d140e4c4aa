#pragma once

#include <QByteArray>
#include <QString>

#include <string>

namespace qrl::test::fonttest {

// One PFB segment: marker, type, little-endian length, data.
inline QByteArray segment(int type, const QByteArray& data)
{
    QByteArray s;
    s.append(static_cast<char>(0x80));
    s.append(static_cast<char>(type));
    const auto n = static_cast<quint32>(data.size());
    for (int i = 0; i < 4; ++i)
        s.append(static_cast<char>((n >> (8 * i)) & 0xFF));
    return s + data;
}

inline QByteArray endSegment()
{
    return QByteArray("\x80\x03", 2);
}

// Bytes 0, 1, 2, ... of the given count (every value, repeating).
inline QByteArray countingBytes(int count)
{
    QByteArray b;
    for (int i = 0; i < count; ++i)
        b.append(static_cast<char>(i & 0xFF));
    return b;
}

// A small font: a text segment naming `name`, a 40-byte binary segment, the end segment.
inline QByteArray smallFont(const QByteArray& name)
{
    return segment(1, "%!PS-AdobeFont-1.0: " + name + "\r/FontName /" + name + " def\r") +
           segment(2, countingBytes(40)) + endSegment();
}

// The PFA text of smallFont(name).
inline QByteArray smallFontPfa(const QByteArray& name)
{
    return "%!PS-AdobeFont-1.0: " + name + "\n/FontName /" + name + " def\n" +
           "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f\n"
           "2021222324252627\n";
}

} // namespace qrl::test::fonttest
