#pragma once

#include <cstdint>

namespace qrl {

// A window's placement as it is stored: rectangles have exclusive right and bottom edges.
struct WindowPlacement {
    static constexpr std::uint32_t kShowNormal = 1;
    static constexpr std::uint32_t kShowMinimized = 2;
    static constexpr std::uint32_t kShowMaximized = 3;
    static constexpr std::uint32_t kRestoreToMaximized = 2; // flag

    std::uint32_t flags = 0;
    std::uint32_t showCommand = kShowNormal;
    int minX = -1, minY = -1;
    int maxX = -1, maxY = -1;
    int left = 0, top = 0, right = 0, bottom = 0;

    bool operator==(const WindowPlacement&) const = default;
};

} // namespace qrl
