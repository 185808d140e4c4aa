#include "SRecordReader.h"

namespace qrl::test {
namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1; // lower case digits are not what the writer promises
}

bool hexBytes(const std::string& line, std::vector<unsigned>& bytes)
{
    if ((line.size() - 2) % 2 != 0)
        return false;
    for (std::size_t i = 2; i < line.size(); i += 2) {
        const int high = hexValue(line[i]);
        const int low = hexValue(line[i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes.push_back(static_cast<unsigned>(high * 16 + low));
    }
    return true;
}

} // namespace

std::string readSRecords(const std::string& text, ReadSRecords& out)
{
    out = {};
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find("\r\n", pos);
        if (end == std::string::npos)
            return "a record without CR LF";
        const std::string line = text.substr(pos, end - pos);
        pos = end + 2;
        const std::string where = "record " + std::to_string(out.lines.size()) + " (" + line + "): ";
        std::vector<unsigned> bytes;
        if (line.size() < 4 || line[0] != 'S' || !hexBytes(line, bytes))
            return where + "not an S-record";
        if (bytes[0] != bytes.size() - 1)
            return where + "length byte disagrees";
        unsigned sum = 0;
        for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
            sum += bytes[i];
        if ((~sum & 0xFF) != bytes.back())
            return where + "bad checksum";
        out.lines.push_back(line);
        if (line[1] != '3')
            continue;
        if (bytes.size() < 6)
            return where + "S3 record without an address";
        const std::uint32_t address = (bytes[1] << 24) | (bytes[2] << 16) | (bytes[3] << 8) | bytes[4];
        if (address != out.data.size())
            return where + "address does not follow the data before it";
        out.addresses.push_back(address);
        out.dataSizes.push_back(bytes.size() - 6);
        for (std::size_t i = 5; i + 1 < bytes.size(); ++i)
            out.data += static_cast<char>(bytes[i]);
    }
    return {};
}

} // namespace qrl::test
