#include "TestBuild.h"

#include "ByteOrder.h"
#include "TempCwd.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <utility>

namespace qrl::test {

TestBuild::TestBuild() : m_context(std::make_unique<BuildContext>())
{
    std::memset(m_context.get(), 0, sizeof(BuildContext));
    m_context->callbackUser = this;
    m_context->progressCallback = &TestBuild::record;
}

TestBuild::~TestBuild()
{
    RemoveSlotList(m_context.get());
    RemoveLinkList(m_context.get());
    for (std::uint32_t i = 0; i < m_context->itemCount && i < VINTREL_MAX_BLOCKS; ++i)
        QrlGlobalFree(m_context->itemBlocks[i]);
}

std::uint32_t TestBuild::addItem(std::uint8_t type, const std::string& name)
{
    QrlHandle block = QrlGlobalAlloc(306);
    auto* bytes = static_cast<unsigned char*>(QrlGlobalLock(block));
    bytes[0] = type;
    std::memcpy(bytes + 1, name.data(), name.size() < 33 ? name.size() : 33);
    QrlGlobalUnlock(block);
    m_context->itemBlocks[m_context->itemCount] = block;
    return m_context->itemCount++;
}

int TestBuild::progressWeight(const std::string& text) const
{
    int total = 0;
    for (const auto& [t, weight] : m_progress)
        total += t == text ? weight : 0;
    return total;
}

SlotRecord TestBuild::slot(std::uint32_t index) const
{
    SlotRecord copy{};
    QrlHandle h = m_context->slotBlocks[index];
    if (auto* p = static_cast<SlotRecord*>(QrlGlobalLock(h))) {
        copy = *p;
        QrlGlobalUnlock(h);
    }
    return copy;
}

std::uint32_t TestBuild::linkedItem(std::uint32_t link) const
{
    QrlHandle h = m_context->linkBlocks[link];
    auto* p = static_cast<LinkRecord*>(QrlGlobalLock(h));
    const std::uint32_t item = p ? p->itemIndex : 0xFFFFFFFFu;
    QrlGlobalUnlock(h);
    return item;
}

bool TestBuild::buildSlots(std::uint32_t medium)
{
    return BuildLinkList(context()) == 1 && BuildSlotList(context(), medium) == 1 &&
           BuildAllSlots(context(), medium, 0) == 1;
}

void TestBuild::record(const char* text, int weight, void* user)
{
    static_cast<TestBuild*>(user)->m_progress.emplace_back(text, weight);
}

void writeResourceFile(const std::string& name, std::size_t size, unsigned char fill)
{
    std::string bytes(size, static_cast<char>(fill));
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(fill + i);
    writeFile(name, bytes);
}

bool fileExists(const std::string& path)
{
    return std::filesystem::exists(path);
}

std::string epromSlotImage(std::size_t size)
{
    std::string image(size, '\0');
    for (std::size_t i = 16; i < size; ++i)
        image[i] = static_cast<char>(i * 7 + 3);
    auto* p = reinterpret_cast<unsigned char*>(image.data());
    qrl::bytes::putU32BE(p, 0xAE00A002);
    qrl::bytes::putU16BE(p + 4, 0x00C0);
    qrl::bytes::putU32BE(p + 8, static_cast<std::uint32_t>(size));
    return image;
}

std::string swappedPairs(std::string bytes)
{
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        std::swap(bytes[i], bytes[i + 1]);
    return bytes;
}

} // namespace qrl::test
