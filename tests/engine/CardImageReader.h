// Reads a PC Card image back without the engine's code: undoes the byte-pair swap, checks the
// attribute part and follows the chain of common parts from slot to slot.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qrl::test {

struct CardImageSlot {
    std::uint8_t kind = 0;
    std::string name;             // the organisation tuple's name field, up to its first zero
    std::uint32_t dataOffset = 0; // from the format tuple
    std::uint32_t dataSize = 0;
    std::size_t position = 0; // where the slot image begins
    std::string image;        // the slot image, up to where the chain's link points
};

struct CardImage {
    std::string unswapped; // the image before the swap
    std::uint8_t deviceInfo = 0;
    std::uint8_t sizeCode = 0;
    std::vector<CardImageSlot> cardSlots;
};

// Empty when `delivered` (the file as written) is a well-formed card image, else what is wrong.
std::string readCardImage(const std::string& delivered, CardImage& card);

} // namespace qrl::test
