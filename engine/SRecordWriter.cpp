#include "SRecordWriter.h"

#include "OutputFile.h"

#include <cstring>

namespace vintrel {
namespace {

constexpr char kHeaderRecord[] = "S00600004844521B\r\n";
constexpr char kTerminatorRecord[] = "S70500000000FA\r\n";
constexpr char kHexDigits[] = "0123456789ABCDEF";
// "S3", length, address, data, checksum, CR LF.
constexpr std::size_t kMaxRecordText = 2 + 2 + 8 + 2 * SRecordWriter::kBytesPerRecord + 2 + 2;
constexpr std::size_t kAddressBytes = 4;

char* putHex(char* p, unsigned value)
{
    p[0] = kHexDigits[(value >> 4) & 0x0F];
    p[1] = kHexDigits[value & 0x0F];
    return p + 2;
}

} // namespace

bool SRecordWriter::writeHeader()
{
    return m_out.write(kHeaderRecord, sizeof kHeaderRecord - 1);
}

bool SRecordWriter::writeTerminator()
{
    return m_out.write(kTerminatorRecord, sizeof kTerminatorRecord - 1);
}

bool SRecordWriter::writeData(const unsigned char* data, std::size_t size, std::uint32_t address)
{
    m_text.resize((size / kBytesPerRecord + 1) * kMaxRecordText);
    char* p = m_text.data();
    for (std::size_t done = 0; done < size;) {
        const std::size_t n = size - done < kBytesPerRecord ? size - done : kBytesPerRecord;
        const auto length = static_cast<unsigned>(n + kAddressBytes + 1);
        unsigned sum = length;
        *p++ = 'S';
        *p++ = '3';
        p = putHex(p, length);
        for (int shift = 24; shift >= 0; shift -= 8) {
            const unsigned byte = (address >> shift) & 0xFF;
            sum += byte;
            p = putHex(p, byte);
        }
        for (std::size_t i = 0; i < n; ++i) {
            sum += data[done + i];
            p = putHex(p, data[done + i]);
        }
        p = putHex(p, ~sum & 0xFF);
        *p++ = '\r';
        *p++ = '\n';
        done += n;
        address += static_cast<std::uint32_t>(n);
    }
    return m_out.write(m_text.data(), static_cast<std::size_t>(p - m_text.data()));
}

} // namespace vintrel
