#include "BuildTestProject.h"

#include "TempCwd.h"
#include "TempDir.h"
#include "vintrel.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace qrl::test {

namespace {

// The engine's item types by subtype, written out here so the fixture does not lean on the
// build's own table.
std::uint8_t engineType(int subtype)
{
    constexpr std::uint8_t types[] = {0, 1, 2, 2, 3, 4, 5, 6, 7};
    return subtype >= 0 && subtype <= 8 ? types[subtype] : 255;
}

ResourceKind kindOf(int subtype)
{
    if (subtype <= 4)
        return kKindFont;
    if (subtype <= 6)
        return kKindMacro;
    return subtype == 7 ? kKindForm : kKindData;
}

} // namespace

build::BuildItem BuildFixture::item(const std::string& fileName, int subtype, const std::string& name,
                                    const std::string& bytes, std::uint16_t automatic,
                                    std::uint32_t resourceId) const
{
    const std::string path = m_dir + "/" + fileName;
    writeFile(path, bytes);
    build::BuildItem item;
    item.path = QString::fromStdString(path);
    item.kind = kindOf(subtype);
    item.record.resourceType = static_cast<std::uint8_t>(subtype);
    item.record.name = name;
    item.record.resourceId = resourceId;
    item.record.automaticFlag = automatic;
    item.record.path = path;
    item.record.fileSize = static_cast<std::uint32_t>(bytes.size());
    return item;
}

build::BuildItem BuildFixture::pclMacro(const std::string& fileName, std::uint32_t number,
                                        const std::string& body) const
{
    const std::string file = "\x1b&f" + std::to_string(number) + "Y\x1b&f0X" + body + "\x1b&f1X";
    build::BuildItem macro = item(fileName, kPclMacro, std::to_string(number), file, 0, number);
    macro.writeParFile = [body](QString& parName) {
        parName = parName.left(parName.lastIndexOf(QLatin1Char('.'))) + QStringLiteral(".par");
        writeFile(parName.toStdString(), body + "\x1b&f1X");
        return true;
    };
    return macro;
}

build::BuildProject BuildFixture::cardProject() const
{
    build::BuildProject project;
    project.title = QStringLiteral("card.prj");
    project.settings.m_medium = kCompactFlashCard;
    project.settings.m_storageSizeIndex = 22;
    project.items.push_back(item("abcd.mcr", kTelluradeMacro, "ABCD",
                                 "!R! MCRO ABCD; UNIT C; MZP 1,1; TEXT 'Hello; EXIT;'; ENDM; EXIT;\r\n"));
    project.items.push_back(pclMacro("logo.pcl", 12, std::string("\x1b*p100x200Y\x1b*c10a10b0P", 21)));
    std::string form = "\x1b"
                       "E form page \x0c";
    form.append(std::string("\0\x01\xff", 3));
    project.items.push_back(item("form1.prn", kApplicationForm, "FORM1", form, 1));
    std::string data("\xAE\x00\xA0\x02", 4);
    data.append(300, '\x5A');
    project.items.push_back(item("fwupdate.bin", kProgramData, "fwupdate", data));
    for (const build::BuildItem& entry : project.items)
        project.totalBytes += entry.record.fileSize;
    return project;
}

std::vector<EngineSlot> engineSlots(const build::BuildProject& project, StorageMedium medium)
{
    TempCwd cwd;
    BuildContext context;
    std::memset(&context, 0, sizeof context);
    const std::uint32_t mediumCode = mediumNumber(medium);
    for (std::size_t i = 0; i < project.items.size(); ++i) {
        const build::BuildItem& item = project.items[i];
        const std::uint8_t type = engineType(item.record.resourceType);
        QString source = item.path;
        if (item.record.resourceType == kPclMacro) {
            source = QString::fromStdString(cwd.file("macro.tmp"));
            item.writeParFile(source);
        }
        const auto index = static_cast<std::uint32_t>(i);
        if (item.kind != kKindFont &&
            !MakeResource(QFile::encodeName(source).constData(), item.record.name.c_str(), index,
                          item.record.resourceId, type, item.record.automaticFlag ? 1 : 0, mediumCode, 0,
                          nullptr))
            throw std::runtime_error("MakeResource failed for " + item.record.name);
        QrlHandle block = QrlGlobalAlloc(306);
        auto* bytes = static_cast<unsigned char*>(QrlGlobalLock(block));
        const auto record = item.record.encode();
        std::memcpy(bytes, record.data(), record.size());
        bytes[0] = type;
        QrlGlobalUnlock(block);
        context.itemBlocks[context.itemCount++] = block;
    }
    if (!BuildLinkList(&context) || !BuildSlotList(&context, mediumCode) ||
        !BuildAllSlots(&context, mediumCode, 0))
        throw std::runtime_error("the engine could not build the slots");
    std::vector<EngineSlot> images;
    for (std::uint32_t i = 0; i < context.slotCount; ++i) {
        const auto* record = static_cast<const SlotRecord*>(QrlGlobalLock(context.slotBlocks[i]));
        EngineSlot slot;
        slot.kind = record->kind;
        slot.name = QByteArray(record->name);
        QrlGlobalUnlock(context.slotBlocks[i]);
        char name[32];
        std::snprintf(name, sizeof name, "SLT%05u.SLT", i);
        slot.image = QByteArray::fromStdString(readFile(cwd.file(name)));
        images.push_back(slot);
    }
    RemoveSlots(&context);
    RemoveSlotList(&context);
    RemoveLinkList(&context);
    for (std::uint32_t i = 0; i < context.itemCount; ++i)
        QrlGlobalFree(context.itemBlocks[i]);
    return images;
}

BuildLeftovers::BuildLeftovers() : m_startDir(QDir::currentPath())
{
}

void BuildLeftovers::expectNone() const
{
    EXPECT_EQ(QDir::currentPath(), m_startDir);
    EXPECT_TRUE(QDir(qrl::runTempDir()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

QByteArray trimmedMacroImage(const QByteArray& image)
{
    QByteArray bytes = image.mid(236);
    const qsizetype tail = std::max<qsizetype>(bytes.size() - 4, 0);
    QByteArray out = bytes.left(tail);
    for (qsizetype i = tail; i < bytes.size(); ++i) {
        if (bytes[i] != '\0')
            out.append(bytes[i]);
    }
    return out;
}

} // namespace qrl::test
