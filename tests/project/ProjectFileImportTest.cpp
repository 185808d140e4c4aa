#include "AppContext.h"
#include "CProjSett.h"
#include "ItemRecord.h"
#include "ProjectFile.h"
#include "ProjectFileBytes.h"
#include "ProjectFileFakeTarget.h"
#include "ProjectFileScriptedQuestion.h"
#include "ResourceCheckFixtures.h"
#include "ResourceTypes.h"
#include "ScriptedUserInterface.h"
#include "StringTable.h"
#include "TempCwd.h"

#include <QBuffer>

#include <gtest/gtest.h>

using namespace qrl::test::projectbytes;

namespace {

const QString kPath = QStringLiteral("/old/project.prj");

std::string oldFile(std::size_t recordSize, int count, const std::vector<OldItem>& items)
{
    std::string s = oldHeader(recordSize, count);
    for (const OldItem& item : items)
        s += oldRecord(recordSize, item);
    return s;
}

bool import(const std::string& file, ProjectFileTarget& target)
{
    QByteArray data(file.data(), static_cast<qsizetype>(file.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return ImportDosProject(buffer, kPath, target);
}

bool load(const std::string& file, ProjectFileTarget& target)
{
    QByteArray data(file.data(), static_cast<qsizetype>(file.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return LoadProjectFile(buffer, kPath, target);
}

TEST(ProjectFileImportTest, Records209TakeTheirTypeFromTheKind)
{
    qrl::AppContext app;
    app.dosImport = 1;
    ProjectFileScriptedQuestion question;
    question.answers = {6, 5};
    ProjectFileFakeTarget target;
    const std::vector<OldItem> items = {
        {"C:\\FONTS\\ARIAL.TTF", 0, 5000, 0x12345678, 10001, 7, "Arial"},
        {"C:\\FONTS\\EO.SFS", 1, 6000, 0x00050123, 777, 9, "Eo"},
        {"C:\\MACROS\\LOGO.MCR", 2, 70, 42, 43, 3, "LOGO"},
        {"C:\\MACROS\\PCL.MAC", 2, 80, 0, 0, 0, "PCL"},
        {"C:\\FORMS\\INV.PRN", 3, 90, 5, 6, 1, "Invoice"},
        {"C:\\PROG\\P.BIN", 4, 100, 0, 0, 0, "Prog"},
        // A kind this program does not know takes nothing from the TrueType record before it.
        {"C:\\X\\X.X", 9, 1, 0, 0, 0, "X"},
    };
    ASSERT_TRUE(import(oldFile(209, 7, items), target));

    ASSERT_EQ(target.added.size(), 7u);
    struct Expected {
        int type;
        std::uint32_t id, typeface;
        int symbolSet;
    };
    const Expected expected[] = {{kTrueTypeFont, 0x12345678, 10001, 7},
                                 {kPclEoFont, 0x0123, 777, 0},
                                 {kTelluradeMacro, 0, 0, 0},
                                 {kPclMacro, 0, 0, 0},
                                 {kApplicationForm, 0, 0, 0},
                                 {kProgramData, 0, 0, 0},
                                 {0, 0, 0, 0}};
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(items[i].name);
        const ItemRecord& r = target.added[i];
        EXPECT_EQ(r.resourceType, expected[i].type);
        EXPECT_EQ(r.resourceId, expected[i].id);
        EXPECT_EQ(r.typefaceId, expected[i].typeface);
        EXPECT_EQ(r.symbolSet, expected[i].symbolSet);
        EXPECT_EQ(r.path, items[i].path);
        EXPECT_EQ(r.name, items[i].name);
        EXPECT_EQ(r.fileSize, items[i].fileSize);
        EXPECT_EQ(r.automaticFlag, 0);
    }
    EXPECT_EQ(question.asked, (QStringList{"C:\\MACROS\\LOGO.MCR", "C:\\MACROS\\PCL.MAC"}));
    EXPECT_EQ(target.projectSettings.m_medium, kHardDisk);
    EXPECT_EQ(target.projectSettings.m_storageSizeIndex, StorageSizeTable::kDefaultIndex);
    EXPECT_TRUE(target.modified);
    EXPECT_EQ(target.importedFrom, kPath);
    EXPECT_EQ(app.dosImport, 0);
}

TEST(ProjectFileImportTest, Fonts203AreClassifiedByTheirContent)
{
    qrl::AppContext app;
    qrl::test::TempDirectory dir;
    auto file = [&](const std::string& name, const std::string& bytes) {
        qrl::test::writeFile(dir.file(name), bytes);
        return dir.file(name);
    };
    const std::string notAFont = std::string(100, 'n');
    const std::vector<OldItem> items = {
        {file("zentrix.fnt", qrl::test::fixtures::zentrixFont("4711")), 1, 10, 1234, 0, 0, "Zen"},
        {file("bitmap.sfp", qrl::test::fixtures::pclFont(0, 321)), 1, 11, 1235, 0, 0, "Bitmap"},
        {file("scalable.sfs", qrl::test::fixtures::pclFont(10)), 1, 12, 1236, 0, 0, "Scalable"},
        {file("junk.fnt", notAFont), 1, 13, 1237, 0, 0, "Junk"},
        {dir.file("missing.fnt"), 1, 14, 1238, 0, 0, "Missing"},
        {file("form.prn", "form"), 0, 15, 0, 0, 0, "Form"},
        {file("logo.mcr", "macro"), 2, 16, 0, 0, 0, "Logo"},
    };
    qrl::test::ScriptedUserInterface ui;
    ProjectFileScriptedQuestion question;
    question.answers = {6};
    ProjectFileFakeTarget target;
    ASSERT_TRUE(import(oldFile(203, 7, items), target));

    ASSERT_EQ(target.added.size(), 5u);
    const std::pair<int, std::uint32_t> expected[] = {{kZentrixBitmapFont, 4711},
                                                      {kPclBitmapPortraitFont, 321},
                                                      {kPclEoFont, 0},
                                                      {kApplicationForm, 0},
                                                      {kTelluradeMacro, 0}};
    const std::uint32_t ids[] = {1234, 1235, 1236, 0, 0};
    for (std::size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(target.added[i].name);
        EXPECT_EQ(target.added[i].resourceType, expected[i].first);
        EXPECT_EQ(target.added[i].typefaceId, expected[i].second);
        EXPECT_EQ(target.added[i].resourceId, ids[i]);
    }
    // The font that is none of the three shows the scalable check's message, which always shows;
    // the quiet checks before it stay silent. The missing file is named and skipped.
    const QString junk = QString::fromStdString(dir.file("junk.fnt"));
    const QString missing = QString::fromStdString(dir.file("missing.fnt"));
    EXPECT_EQ(ui.texts(), (QStringList{expectedFileMessage(2400, 2410, 2401, junk),
                                       expectedFileMessage(2400, 2405, 2401, missing)}));
    // Quiet refusals: the Zentrix check of the bitmap, scalable and junk files, the bitmap check of the
    // scalable and junk files.
    EXPECT_EQ(target.suppressed.size(), 5);
    EXPECT_EQ(target.showMessages, 1);
}

TEST(ProjectFileImportTest, Presence203UsesTheProjectsFileSearch)
{
    qrl::AppContext app;
    qrl::test::TempDirectory dir;
    qrl::test::writeFile(dir.file("FORM.PRN"), "form");
    ProjectFileFakeTarget target;
    target.searchDirectories = {QString::fromStdString(dir.path())};
    ASSERT_TRUE(import(oldFile(203, 1, {{"C:\\QUORLYN\\FORMS\\FORM.PRN", 0, 4, 0, 0, 0, "Form"}}), target));
    ASSERT_EQ(target.added.size(), 1u);
    EXPECT_EQ(target.added[0].path, dir.file("FORM.PRN"));
    EXPECT_EQ(target.added[0].resourceType, kApplicationForm);
}

TEST(ProjectFileImportTest, ImportIsBounded)
{
    struct Case {
        const char* name;
        std::string file;
        bool result;
        std::size_t added;
        int limitMessages;
        QStringList messages;
    };
    auto forms = [](int n) {
        std::vector<OldItem> v;
        for (int i = 0; i < n; ++i)
            v.push_back({"f" + std::to_string(i), 3, 1, 0, 0, 0, "F" + std::to_string(i)});
        return v;
    };
    const QString cut2 =
        QStringLiteral("The project file ends before its last item.\nQuorlyn can open the first 2 items");
    const Case cases[] = {
        {"300_records", oldFile(209, 300, forms(300)), true, 256, 1, {}},
        {"count_10_with_2_records", oldFile(209, 10, forms(2)) + "partial", true, 2, 0, {cut2}},
        {"count_0", oldFile(209, 0, forms(3)), true, 0, 0, {}},
        {"count_negative", oldFile(209, -5, forms(3)), true, 0, 0, {}},
        {"header_record_cut_short",
         oldHeader(203, 4).substr(0, 170),
         true,
         0,
         0,
         {QStringLiteral("The project file ends before its last item.\nQuorlyn can open the first 0 items")}},
        {"current_format", header(0), false, 0, 0, {expectedFileMessage(3020, 3021, 3022, kPath)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        qrl::AppContext app;
        app.dosImport = 1;
        qrl::test::ScriptedUserInterface ui;
        ProjectFileFakeTarget target;
        EXPECT_EQ(import(c.file, target), c.result);
        EXPECT_EQ(target.added.size(), c.added);
        EXPECT_EQ(target.limitMessages, c.limitMessages);
        EXPECT_EQ(ui.texts(), c.messages);
        EXPECT_EQ(app.dosImport, 0);
    }
}

TEST(ProjectFileImportTest, CancelEndsTheImport)
{
    qrl::AppContext app;
    ProjectFileFakeTarget target;
    target.decide = [](const ItemRecord& r) {
        return r.name == "B" ? ProjectFileTarget::AddResult::Stop : ProjectFileTarget::AddResult::Added;
    };
    const std::vector<OldItem> forms = {
        {"a", 3, 1, 0, 0, 0, "A"}, {"b", 3, 1, 0, 0, 0, "B"}, {"c", 3, 1, 0, 0, 0, "C"}};
    EXPECT_FALSE(import(oldFile(209, 3, forms), target));
    EXPECT_EQ(target.offered.size(), 2u);
    EXPECT_TRUE(target.importedFrom.isEmpty());
}

TEST(ProjectFileLoadTest, OpenChoosesReadOrImportAndAlwaysClearsTheImportFlag)
{
    struct Case {
        const char* name;
        std::string file;
        int flagBefore;
        bool result;
        bool imported;
        QStringList messages;
    };
    const Case cases[] = {
        {"current", header(0), 0, true, false, {}},
        {"old_209", oldHeader(209, 0), 0, true, true, {}},
        {"old_203_flag_set", oldHeader(203, 0), 1, true, true, {}},
        {"current_with_import_command",
         header(0),
         1,
         false,
         false,
         {expectedFileMessage(3020, 3021, 3022, kPath)}},
        {"unknown",
         std::string(500, 'x'),
         1,
         false,
         false,
         {QStringLiteral("Not a known Quorlyn project file")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        qrl::AppContext app;
        app.dosImport = c.flagBefore;
        qrl::test::ScriptedUserInterface ui;
        ProjectFileFakeTarget target;
        EXPECT_EQ(load(c.file, target), c.result);
        EXPECT_EQ(!target.importedFrom.isEmpty(), c.imported);
        EXPECT_EQ(target.projectSettings.m_medium, c.imported ? kHardDisk : kCompactFlashCard);
        EXPECT_EQ(ui.texts(), c.messages);
        EXPECT_EQ(app.dosImport, 0);
    }
}

} // namespace
