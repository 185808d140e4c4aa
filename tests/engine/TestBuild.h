// A build context as the program sets it up: item blocks allocated through the shared movable
// memory, a recording progress callback, and everything freed at the end.
#pragma once

#include "vintrel.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace qrl::test {

class TestBuild {
public:
    TestBuild();
    ~TestBuild();
    TestBuild(const TestBuild&) = delete;
    TestBuild& operator=(const TestBuild&) = delete;

    BuildContext* context() { return m_context.get(); }
    // Adds an item block of engine type `type`; `name` goes into the 33-byte name field at
    // offset 1 (a 33-character name leaves it unterminated). Returns the item's index.
    std::uint32_t addItem(std::uint8_t type, const std::string& name);
    // The progress calls so far, and their total weight.
    const std::vector<std::pair<std::string, int>>& progress() const { return m_progress; }
    int progressWeight(const std::string& text) const;
    void clearProgress() { m_progress.clear(); }

    // A locked copy of slot `slot`.
    SlotRecord slot(std::uint32_t index) const;
    std::uint32_t linkedItem(std::uint32_t link) const;

    // BuildLinkList, BuildSlotList and BuildAllSlots in order; false at the first that fails.
    bool buildSlots(std::uint32_t medium);

private:
    static void record(const char* text, int weight, void* user);

    std::unique_ptr<BuildContext> m_context;
    std::vector<std::pair<std::string, int>> m_progress;
};

// Writes a resource file of `size` bytes counting up from `fill`, standing in for the output of a
// converter that is not under test (the fonts').
void writeResourceFile(const std::string& name, std::size_t size, unsigned char fill);
bool fileExists(const std::string& path);

// An EPROM slot image of `size` bytes: the slot header's magic and image size, then varying bytes.
std::string epromSlotImage(std::size_t size);
std::string swappedPairs(std::string bytes);

} // namespace qrl::test
