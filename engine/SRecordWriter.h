// Motorola S-record text: an S0 header record, S3 data records of 15 bytes with 32-bit addresses,
// and an S7 terminator, each record ended by CR LF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vintrel {

class OutputFile;

class SRecordWriter {
public:
    static constexpr std::size_t kBytesPerRecord = 15;

    explicit SRecordWriter(OutputFile& out) : m_out(out) {}

    bool writeHeader();
    // The S3 records of `size` bytes starting at `address`; only the last may hold fewer than 15.
    bool writeData(const unsigned char* data, std::size_t size, std::uint32_t address);
    bool writeTerminator();

private:
    OutputFile& m_out;
    std::vector<char> m_text;
};

} // namespace vintrel
