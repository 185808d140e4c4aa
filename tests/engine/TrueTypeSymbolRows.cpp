#include "TrueTypeSymbolRows.h"

#include <fstream>
#include <sstream>

namespace qrl::test {

std::string symbolRowsPath()
{
    return QUORLYN_SYMBOL_ROWS;
}

std::vector<std::vector<RowRange>> readSymbolRows(const std::string& path)
{
    std::ifstream in(path);
    std::string line;
    if (!std::getline(in, line) || line != "row\tkind\tfirst\tlast")
        return {};
    std::vector<std::vector<RowRange>> rows;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::size_t row = 0;
        RowRange range{};
        if (!(fields >> row >> range.kind >> range.first >> range.last) || row > rows.size() ||
            (row + 1 < rows.size()))
            return {};
        if (row == rows.size())
            rows.emplace_back();
        rows[row].push_back(range);
    }
    return rows;
}

std::vector<std::pair<std::uint16_t, std::uint16_t>> expandRanges(const std::vector<RowRange>& ranges)
{
    std::vector<std::pair<std::uint16_t, std::uint16_t>> codes;
    for (const RowRange& r : ranges) {
        if (r.kind == 1) {
            codes.emplace_back(static_cast<std::uint16_t>(r.first), static_cast<std::uint16_t>(r.last));
            continue;
        }
        for (std::uint32_t code = r.first; code <= r.last; ++code)
            codes.emplace_back(static_cast<std::uint16_t>(code), static_cast<std::uint16_t>(code));
    }
    return codes;
}

} // namespace qrl::test
