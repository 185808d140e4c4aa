// Reads S-record text back without the engine's code: every record's length and checksum are
// checked and the data records' bytes collected in address order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qrl::test {

struct ReadSRecords {
    std::vector<std::string> lines;       // without their CR LF
    std::vector<std::uint32_t> addresses; // of the S3 records, in order
    std::vector<std::size_t> dataSizes;   // of the S3 records, in order
    std::string data;                     // the S3 records' bytes, which must follow each other from 0
};

// Empty when `text` is well-formed S-record text with CR LF line ends, else what is wrong.
std::string readSRecords(const std::string& text, ReadSRecords& out);

} // namespace qrl::test
