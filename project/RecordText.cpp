#include "RecordText.h"

#include "SingleByteText.h"

#include <cstdint>

namespace qrl::recordtext {

bool isValidUtf8(const std::string& bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        std::size_t extra = 0;
        std::uint32_t cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (extra > bytes.size() - i - 1)
            return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto cc = static_cast<unsigned char>(bytes[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
        if ((extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000) || (cp >= 0xD800 && cp <= 0xDFFF) ||
            cp > 0x10FFFF)
            return false;
        i += extra + 1;
    }
    return true;
}

QString nameText(const std::string& bytes)
{
    return qrl::singlebyte::fromBytes(bytes);
}

std::string nameBytes(const QString& text)
{
    return qrl::singlebyte::toBytes(text).toStdString();
}

std::string storedName(const std::string& bytes)
{
    return qrl::singlebyte::normalised(bytes).toStdString();
}

QString pathText(const std::string& bytes)
{
    const auto size = static_cast<qsizetype>(bytes.size());
    return isValidUtf8(bytes) ? QString::fromUtf8(bytes.data(), size)
                              : QString::fromLatin1(bytes.data(), size);
}

std::string pathBytes(const QString& path)
{
    return path.toStdString();
}

std::string cut(std::string bytes, std::size_t maxBytes)
{
    if (bytes.size() > maxBytes)
        bytes.resize(maxBytes);
    return bytes;
}

} // namespace qrl::recordtext
