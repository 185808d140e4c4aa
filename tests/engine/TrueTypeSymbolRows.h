// The project's symbol-set data file read on its own, without the engine's generated table, so
// that tests can hold the engine to the file and the file to the published counts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qrl::test {

struct RowRange {
    std::uint32_t kind;
    std::uint32_t first;
    std::uint32_t last;
    bool operator==(const RowRange&) const = default;
};

// The ranges of every row in file order, indexed by row; empty when the file cannot be read or a
// line is not "row kind first last" with the rows in order.
std::vector<std::vector<RowRange>> readSymbolRows(const std::string& path);

// The project's copy of the data file.
std::string symbolRowsPath();

// The (printer code, Unicode value) pairs a row's ranges give, in order.
std::vector<std::pair<std::uint16_t, std::uint16_t>> expandRanges(const std::vector<RowRange>& ranges);

} // namespace qrl::test
