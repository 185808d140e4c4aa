#include "VersionInfo.h"

#include "ByteOrder.h"

#include <QFile>

#include <vector>

namespace qrl {

namespace {

constexpr std::size_t kElfHeaderSize = 64;
constexpr std::size_t kSectionHeaderSize = 64;
constexpr std::uint32_t kNoBits = 8;
constexpr char kSectionName[] = ".qrl_version";
constexpr std::size_t kRecordSize = 20;

bool readAt(QFile& file, std::uint64_t offset, std::uint64_t size, std::vector<unsigned char>& out)
{
    const std::uint64_t fileSize = static_cast<std::uint64_t>(file.size());
    if (offset > fileSize || size > fileSize - offset || size > (64u << 20))
        return false;
    out.resize(size);
    if (!file.seek(static_cast<qint64>(offset)))
        return false;
    return file.read(reinterpret_cast<char*>(out.data()), static_cast<qint64>(size)) ==
           static_cast<qint64>(size);
}

} // namespace

bool readVersionRecord(const QString& path, VersionRecord& out)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    std::vector<unsigned char> header;
    if (!readAt(file, 0, kElfHeaderSize, header))
        return false;
    if (header[0] != 0x7F || header[1] != 'E' || header[2] != 'L' || header[3] != 'F' || header[4] != 2 ||
        header[5] != 1)
        return false;
    const std::uint64_t shoff = bytes::getU64LE(&header[0x28]);
    const std::uint16_t shentsize = bytes::getU16LE(&header[0x3A]);
    const std::uint16_t shnum = bytes::getU16LE(&header[0x3C]);
    const std::uint16_t shstrndx = bytes::getU16LE(&header[0x3E]);
    if (shentsize != kSectionHeaderSize || shnum == 0 || shstrndx >= shnum)
        return false;
    std::vector<unsigned char> sections;
    if (!readAt(file, shoff, std::uint64_t{shnum} * shentsize, sections))
        return false;
    auto sectionField64 = [&](unsigned index, std::size_t field) {
        return bytes::getU64LE(&sections[index * kSectionHeaderSize + field]);
    };
    std::vector<unsigned char> names;
    if (!readAt(file, sectionField64(shstrndx, 24), sectionField64(shstrndx, 32), names))
        return false;
    for (unsigned i = 0; i < shnum; ++i) {
        const unsigned char* sh = &sections[i * kSectionHeaderSize];
        const std::uint32_t nameOffset = bytes::getU32LE(sh);
        if (nameOffset >= names.size())
            continue;
        const std::string name = bytes::getFixedText(&names[nameOffset], names.size() - nameOffset);
        if (name != kSectionName || bytes::getU32LE(sh + 4) == kNoBits)
            continue;
        std::vector<unsigned char> record;
        if (sectionField64(i, 32) < kRecordSize || !readAt(file, sectionField64(i, 24), kRecordSize, record))
            return false;
        if (record[0] != 'Q' || record[1] != 'R' || record[2] != 'L' || record[3] != 'V')
            return false;
        for (int w = 0; w < 4; ++w) {
            out.file[w] = bytes::getU16LE(&record[4 + 2 * w]);
            out.product[w] = bytes::getU16LE(&record[12 + 2 * w]);
        }
        return true;
    }
    return false;
}

QString versionText(const std::uint16_t words[4])
{
    return QStringLiteral("%1,%2,%3,%4").arg(words[0]).arg(words[1]).arg(words[2]).arg(words[3]);
}

} // namespace qrl
