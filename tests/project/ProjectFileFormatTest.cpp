#include "AppContext.h"
#include "CProjSett.h"
#include "ItemRecord.h"
#include "ProjectFile.h"
#include "ProjectFileBytes.h"
#include "ProjectFileFakeTarget.h"
#include "ScriptedUserInterface.h"
#include "StringTable.h"

#include <QBuffer>

#include <gtest/gtest.h>

using namespace qrl::test::projectbytes;

namespace {

const QString kPath = QStringLiteral("/projects/p.prj");

QByteArray bytes(const std::string& s)
{
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

ItemRecord sampleRecord(int i)
{
    ItemRecord r;
    r.resourceType = static_cast<std::uint8_t>(i % 9);
    r.name = "Item " + std::to_string(i);
    r.resourceId = 1000u + static_cast<unsigned>(i);
    r.typefaceId = 10000u + static_cast<unsigned>(i);
    r.symbolSet = static_cast<std::uint8_t>(i % 32);
    r.automaticFlag = static_cast<std::uint16_t>(i % 2);
    r.path = "/res/f\xc3\xa4" + std::to_string(i) + ".bin";
    r.fileSize = 4096u * static_cast<unsigned>(i);
    return r;
}

QByteArray write(const CProjSett& settings, const std::vector<ItemRecord>& records)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QString error;
    EXPECT_TRUE(WriteProjectFile(buffer, settings, records, error)) << error.toStdString();
    return out;
}

bool read(QByteArray data, ProjectFileFakeTarget& target)
{
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return ReadProjectFile(buffer, kPath, target);
}

TEST(ProjectFileWriterTest, HeaderHoldsOnlyItsFields)
{
    CProjSett settings;
    settings.m_medium = kOtpCard;
    settings.m_storageSizeIndex = StorageSizeTable::kCustomIndex;
    settings.m_extraSettings = 0x0104; // only the low byte is stored
    settings.m_customSize = 0x01020304;
    const std::vector<ItemRecord> records = {sampleRecord(1), sampleRecord(2)};
    const QByteArray out = write(settings, records);

    ASSERT_EQ(out.size(), 3 * 306);
    std::string expected = header(2, mediumNumber(kOtpCard), 23, 0x04, 0x01020304);
    for (const ItemRecord& r : records) {
        const auto b = r.encode();
        expected.append(reinterpret_cast<const char*>(b.data()), b.size());
    }
    EXPECT_EQ(out, bytes(expected));

    // Outside the custom index the custom size is not written.
    settings.m_storageSizeIndex = 5;
    EXPECT_EQ(write(settings, {}), bytes(header(0, mediumNumber(kOtpCard), 5, 0x04, 0)));
}

TEST(ProjectFileWriterTest, RefusedWriteIsReported)
{
    QByteArray out;
    QBuffer readOnly(&out);
    readOnly.open(QIODevice::ReadOnly);
    QString error;
    EXPECT_FALSE(WriteProjectFile(readOnly, CProjSett{}, {}, error));
    EXPECT_FALSE(error.isEmpty());

    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    const std::vector<ItemRecord> tooMany(257, sampleRecord(1));
    EXPECT_FALSE(WriteProjectFile(buffer, CProjSett{}, tooMany, error));
    EXPECT_TRUE(out.isEmpty());
}

TEST(ProjectFileReaderTest, RoundTripIsByteForByte)
{
    qrl::AppContext app;
    qrl::test::ScriptedUserInterface ui;
    CProjSett settings;
    settings.m_medium = kSramCard;
    settings.m_storageSizeIndex = StorageSizeTable::kCustomIndex;
    settings.m_extraSettings = 3;
    settings.m_customSize = 777777;
    std::vector<ItemRecord> records;
    for (int i = 0; i < 256; ++i)
        records.push_back(sampleRecord(i));
    const QByteArray first = write(settings, records);

    ProjectFileFakeTarget target;
    ASSERT_TRUE(read(first, target));
    EXPECT_EQ(target.added, records);
    EXPECT_FALSE(target.modified);
    EXPECT_TRUE(ui.texts().isEmpty());
    EXPECT_EQ(write(target.projectSettings, target.added), first);
}

TEST(ProjectFileReaderTest, CustomSizeOnlyWithTheCustomIndex)
{
    qrl::AppContext app;
    ProjectFileFakeTarget custom;
    custom.projectSettings.m_customSize = 5;
    ASSERT_TRUE(read(bytes(header(0, 0, 23, 7, 9999)), custom));
    EXPECT_EQ(custom.projectSettings.m_customSize, 9999u);
    EXPECT_EQ(custom.projectSettings.m_storageSizeIndex, 23);
    EXPECT_EQ(custom.projectSettings.m_medium, kSramCard);
    EXPECT_EQ(custom.projectSettings.m_extraSettings, 7);

    ProjectFileFakeTarget other;
    other.projectSettings.m_customSize = 5;
    ASSERT_TRUE(read(bytes(header(0, 0, 4, 0, 9999)), other));
    EXPECT_EQ(other.projectSettings.m_customSize, 5u);
}

struct HostileCase {
    const char* name;
    std::string file;
    bool result;
    std::size_t itemsLoaded;
    QStringList messages;
    int medium;
    int sizeIndex;
};

std::string records(int n)
{
    std::string s;
    for (int i = 0; i < n; ++i)
        s += record(7, "F" + std::to_string(i), "/forms/f" + std::to_string(i) + ".prn");
    return s;
}

const QString kMore =
    QStringLiteral("The project contains more than 256 items.\nQuorlyn can open the first 256 items");
QString cutShort(int n)
{
    return QStringLiteral("The project file ends before its last item.\nQuorlyn can open the first %1 items")
        .arg(n);
}
const QString kMedium = QStringLiteral("The project file names an unknown storage medium.\n"
                                       "The default medium is set, please check the project settings.");
const QString kSize = QStringLiteral("The project file names an unknown storage size.\n"
                                     "The default size is set, please check the project settings.");

TEST(ProjectFileReaderTest, HostileFilesGiveTheirMessage)
{
    const HostileCase cases[] = {
        {"medium_7", header(0, 7, 3), true, 0, {kMedium}, 5, 3},
        {"medium_high_byte", header(0, 0x0104, 3), true, 0, {}, 4, 3},
        {"size_index_24", header(0, 1, 24), true, 0, {kSize}, 1, 22},
        {"size_index_255", header(0, 2, 255), true, 0, {kSize}, 2, 22},
        {"count_300", header(300) + records(300), true, 256, {kMore}, 5, 22},
        {"count_5_with_3_records", header(5) + records(3) + "partial", true, 3, {cutShort(3)}, 5, 22},
        {"count_huge_no_records", header(0xFFFFFFFFu), true, 0, {kMore, cutShort(0)}, 5, 22},
        {"header_cut_after_marker", header(2).substr(0, 100), true, 0, {cutShort(0)}, 5, 22},
        {"unterminated_fields", header(1) + std::string(306, '\xff'), true, 1, {}, 5, 22},
        {"no_marker", std::string(400, '\0'), false, 0, {kPath + qrl::text(2315)}, 5, 22},
        {"empty", "", false, 0, {kPath + qrl::text(2315)}, 5, 22},
    };
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(c.name);
        qrl::AppContext app;
        qrl::test::ScriptedUserInterface ui;
        ProjectFileFakeTarget target;
        EXPECT_EQ(read(bytes(c.file), target), c.result);
        EXPECT_EQ(target.added.size(), c.itemsLoaded);
        EXPECT_EQ(ui.texts(), c.messages);
        EXPECT_EQ(mediumNumber(target.projectSettings.m_medium), c.medium);
        EXPECT_EQ(target.projectSettings.m_storageSizeIndex, c.sizeIndex);
        EXPECT_EQ(target.modified, !c.messages.isEmpty() && c.result && c.messages != QStringList{kMore});
        for (const ItemRecord& r : target.added) {
            EXPECT_LE(r.name.size(), ItemRecord::kMaxNameLength);
            EXPECT_LE(r.path.size(), ItemRecord::kMaxPathLength);
        }
    }
}

TEST(ProjectFileReaderTest, RefusedItemIsSkippedAndCancelStops)
{
    qrl::AppContext app;
    const QByteArray file = bytes(header(3) + records(3));

    ProjectFileFakeTarget skipping;
    skipping.decide = [](const ItemRecord& r) {
        return r.name == "F1" ? ProjectFileTarget::AddResult::Skipped : ProjectFileTarget::AddResult::Added;
    };
    EXPECT_TRUE(read(file, skipping));
    ASSERT_EQ(skipping.added.size(), 2u);
    EXPECT_EQ(skipping.added[1].name, "F2");
    EXPECT_TRUE(skipping.modified);

    ProjectFileFakeTarget cancelling;
    cancelling.decide = [](const ItemRecord& r) {
        return r.name == "F1" ? ProjectFileTarget::AddResult::Stop : ProjectFileTarget::AddResult::Added;
    };
    EXPECT_FALSE(read(file, cancelling));
    EXPECT_EQ(cancelling.offered.size(), 2u);
}

struct KindCase {
    const char* name;
    std::string file;
    ProjectFileKind kind;
};

TEST(ProjectFileKindTest, MarkersTellTheFormatsApart)
{
    const std::string old203 = oldHeader(203, 0);
    const std::string old209 = oldHeader(209, 0);
    const KindCase cases[] = {
        {"current", header(0), kProjectFileCurrent},
        {"current_cut_after_marker_zero", header(0).substr(0, 59), kProjectFileCurrent},
        {"current_cut_in_marker_zero", header(0).substr(0, 58), kProjectFileUnknown},
        {"old_209", old209, kProjectFileOld209},
        {"old_203", old203, kProjectFileOld203},
        {"old_203_cut_after_marker_zero", old203.substr(0, 164), kProjectFileOld203},
        {"old_203_cut_in_marker_zero", old203.substr(0, 163), kProjectFileUnknown},
        {"old_209_marker_without_zero", old209.substr(0, 151) + "PROJECT FILE 22" + std::string(60, '\0'),
         kProjectFileUnknown},
        {"empty", "", kProjectFileUnknown},
        {"junk", std::string(1000, 'P'), kProjectFileUnknown},
    };
    for (const KindCase& c : cases) {
        QByteArray data = bytes(c.file);
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        buffer.seek(data.size() / 2);
        EXPECT_EQ(GetProjectFileKind(buffer), c.kind) << c.name;
        EXPECT_EQ(buffer.pos(), 0) << c.name;
    }
}

TEST(ProjectFileKindTest, HeaderCheckMessages)
{
    qrl::test::ScriptedUserInterface ui;
    ProjectFileFakeTarget target;
    QByteArray old = bytes(oldHeader(203, 0));
    QBuffer oldFile(&old);
    oldFile.open(QIODevice::ReadOnly);
    int kind = kProjectFileCurrent;
    EXPECT_FALSE(CheckProjectHeader(oldFile, kind, kPath, target));
    kind = kProjectFileOld209;
    EXPECT_TRUE(CheckProjectHeader(oldFile, kind, kPath, target));
    EXPECT_EQ(kind, kProjectFileOld203);

    QByteArray current = bytes(header(0));
    QBuffer currentFile(&current);
    currentFile.open(QIODevice::ReadOnly);
    kind = kProjectFileOld209;
    EXPECT_FALSE(CheckProjectHeader(currentFile, kind, kPath, target));
    const QString notValid =
        QStringLiteral("\n\nIs not a valid QUORLYN32 project !\nIf you are attempting to "
                       "open an QUORLYN\nfor DOS project, select IMPORT from\nthe File menu.");
    EXPECT_EQ(ui.texts(), (QStringList{kPath + notValid, expectedFileMessage(3020, 3021, 3022, kPath)}));
}

} // namespace
