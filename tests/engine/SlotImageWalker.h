// Reads a slot image back without the engine's code: checks its header and directory and finds
// where each resource's bytes lie.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qrl::test {

struct WalkedResource {
    std::uint16_t kind;
    std::size_t offset; // of its first byte in the image
    std::size_t size;   // up to the next resource or the end of the image
};

struct WalkedImage {
    std::uint16_t mediumWord = 0;
    std::string date;
    std::string notice;
    std::vector<WalkedResource> resources;
};

// Empty when `bytes` is a well-formed slot image (then `image` is filled), else what is wrong.
std::string walkSlotImage(const std::string& bytes, WalkedImage& image);

} // namespace qrl::test
