#include "CQuorlyn32Doc.h"
#include "FileSizeLimit.h"
#include "Profile.h"
#include "ProjectFileBytes.h"
#include "ProjectTestSupport.h"
#include "ResourceTypes.h"
#include "RunAs.h"
#include "StringTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using qrl::test::ProjectTest;
using qrl::test::readFile;
using qrl::test::writeFile;

namespace {

// A project whose writer is a stand-in: it writes `bytes` (failing after `failAfter` bytes when
// that is set), so the save road is seen apart from the format.
class FormatDoc : public CQuorlyn32Doc {
public:
    bool WriteProjectFile(QIODevice& file) override
    {
        if (failAfter < 0)
            return file.write(bytes) == bytes.size();
        file.write(bytes.left(failAfter));
        return false;
    }

    QByteArray bytes = QByteArray(64 * 1024, 'P');
    int failAfter = -1;
};

} // namespace

class DocFileTest : public ProjectTest {
protected:
    QString projectPath() const { return dirPath() + QStringLiteral("/p.prj"); }
    // `messageHere` false: the save ran in a child, which checked its message itself.
    void expectOldFileKept(const char* what, bool messageHere = true)
    {
        EXPECT_EQ(readFile(projectPath().toStdString()), "the previous project") << what;
        EXPECT_EQ(QDir(dirPath()).entryList(QDir::Files), QStringList{QStringLiteral("p.prj")}) << what;
        EXPECT_TRUE(doc.IsModified()) << what;
        if (!messageHere)
            return;
        ASSERT_EQ(ui.texts().size(), 1) << what;
        EXPECT_TRUE(ui.texts()[0].contains(projectPath())) << what;
        ui.clear();
    }

    FormatDoc doc;
};

TEST_F(DocFileTest, SaveWritesTheWholeFileAndRemembersIt)
{
    doc.SetModifiedFlag(true);
    EXPECT_TRUE(doc.OnSaveDocument(projectPath()));
    EXPECT_EQ(QByteArray::fromStdString(readFile(projectPath().toStdString())), doc.bytes);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(profile.getString(QStringLiteral("Settings"), QStringLiteral("Last Project")), projectPath());
}

TEST_F(DocFileTest, AFailedSaveLeavesThePreviousFile)
{
    writeFile(projectPath().toStdString(), "the previous project");
    doc.SetModifiedFlag(true);

    doc.failAfter = 1000;
    EXPECT_FALSE(doc.OnSaveDocument(projectPath()));
    expectOldFileKept("writer fails part-way");

    doc.failAfter = -1;
    {
        const qrl::test::FileSizeLimit full(4096);
        EXPECT_FALSE(doc.OnSaveDocument(projectPath()));
    }
    expectOldFileKept("file system full");

    // A project small enough to sit in the write buffer: the short write shows only on flush.
    doc.bytes = QByteArray(8000, 'S');
    {
        const qrl::test::FileSizeLimit full(4096);
        EXPECT_FALSE(doc.OnSaveDocument(projectPath()));
    }
    expectOldFileKept("file system full, small project");

    // A read-only file in a folder its owner may not write (a writable one is written in place).
    // Root may write anything, so a suite run as root saves as user 1001, who owns the folder and
    // the file; the child reports the refusal and its message.
    QFile::setPermissions(projectPath(), QFile::ReadOwner);
    QFile::setPermissions(dirPath(), QFile::ReadOwner | QFile::ExeOwner);
    if (geteuid() == 0) {
        const std::string folder = dirPath().toStdString();
        const std::string file = projectPath().toStdString();
        ASSERT_EQ(::chown(folder.c_str(), 1001, 1001), 0);
        ASSERT_EQ(::chown(file.c_str(), 1001, 1001), 0);
        EXPECT_EQ(qrl::test::runAs({1001, 1001}, 0,
                                   [&] {
                                       return ::access(file.c_str(), R_OK) == 0 &&
                                              !doc.OnSaveDocument(projectPath()) && ui.texts().size() == 1 &&
                                              ui.texts()[0].contains(projectPath());
                                   }),
                  0);
    } else {
        EXPECT_FALSE(doc.OnSaveDocument(projectPath()));
    }
    QFile::setPermissions(dirPath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    expectOldFileKept("read-only file and folder", geteuid() != 0);
    EXPECT_EQ(profile.getString(QStringLiteral("Settings"), QStringLiteral("Last Project")), QString());
}

TEST_F(DocFileTest, SaveAsChangesNothingUntilItSucceeds)
{
    doc.SetDocumentDirectory(QStringLiteral("/where/it/was"));
    qrl::context().directories.projects = dirPath();
    EXPECT_FALSE(doc.OnFileSaveAs());
    EXPECT_EQ(doc.GetDocumentDirectory(), QStringLiteral("/where/it/was"));
    ASSERT_EQ(ui.dialogs().size(), 1);
    EXPECT_EQ(ui.dialogs()[0].kind, QStringLiteral("save"));
    EXPECT_EQ(ui.dialogs()[0].request.title, qrl::text(2101));
    EXPECT_EQ(ui.dialogs()[0].request.fileName, QStringLiteral("*.prj"));

    const QString target = dirPath() + QStringLiteral("/new/q.prj");
    QDir().mkpath(dirPath() + QStringLiteral("/new"));
    ui.file(target);
    EXPECT_TRUE(doc.OnFileSaveAs());
    EXPECT_EQ(doc.GetPathName(), target);
    EXPECT_EQ(doc.GetDocumentDirectory(), dirPath() + QStringLiteral("/new"));
    EXPECT_TRUE(QFile::exists(target));
}

TEST_F(DocFileTest, SavedProjectsOpenWithTheirItemsAndSettings)
{
    qrl::test::RecordingPane pane;
    const QString macro = dirPath() + QStringLiteral("/logo.mcr");
    const QString data = dirPath() + QStringLiteral("/tool.prg");
    writeFile(macro.toStdString(), "!R! MCRO LOGO; TEXT 'x'; ENDM; EXIT;");
    writeFile(data.toStdString(), std::string(200, '\0'));
    CQuorlyn32Doc saved;
    ResourceKind kind = kKindNone;
    ASSERT_TRUE(saved.AddFile(macro, kind));
    saved.GetProjSett().m_medium = kHardDisk;
    saved.GetProjSett().m_storageSizeIndex = 7;
    ASSERT_TRUE(saved.OnSaveDocument(projectPath()));
    EXPECT_EQ(QFileInfo(projectPath()).size(), 2 * 306);

    CQuorlyn32Doc opened;
    opened.SetModifiedFlag(true);
    ASSERT_TRUE(opened.OnOpenDocument(projectPath()));
    ASSERT_EQ(opened.GetItemCount(), 1);
    EXPECT_EQ(opened.GetItemAt(0)->record(), saved.GetItemAt(0)->record());
    EXPECT_EQ(opened.GetProjSett().m_medium, kHardDisk);
    EXPECT_EQ(opened.GetProjSett().m_storageSizeIndex, 7);
    EXPECT_FALSE(opened.IsModified());
    EXPECT_EQ(opened.GetPathName(), projectPath());
    EXPECT_EQ(opened.GetDocumentDirectory(), dirPath());
    EXPECT_FALSE(pane.texts.isEmpty());
}

TEST_F(DocFileTest, NamesOfEarlierBuildsOpenAsTheyWereTypedAndAreSavedAsSingleBytes)
{
    const std::string form = dirPath().toStdString() + "/f.prn";
    writeFile(form, "form");
    struct Case {
        const char* what;
        std::string stored;
        QString shown;
        std::string saved;
    };
    const Case cases[] = {
        {"UTF-8 of an earlier build",
         "a\xc3\xa9\xc3\xa9 Gr\xc3\xbc\xc3\x9f"
         "e",
         QStringLiteral("a\u00e9\u00e9 Gr\u00fc\u00dfe"),
         "a\xe9\xe9 Gr\xfc\xdf"
         "e"},
        {"Latin-1 that is not UTF-8", "Schrift\xe4\xfc", QStringLiteral("Schrift\u00e4\u00fc"),
         "Schrift\xe4\xfc"},
        // Characters the printer never had a byte for keep the bytes the printer was sent.
        {"UTF-8 past Latin-1", "\xe2\x82\xac 1", QStringLiteral("\u00e2\u0082\u00ac 1"), "\xe2\x82\xac 1"},
        // As UTF-8 "Ã" and U+0099, whose single bytes would be read as "Ù" by the next load.
        {"pairs whose single bytes are a pair again", "\xc3\x83\xc2\x99",
         QStringLiteral("\u00c3\u0083\u00c2\u0099"), "\xc3\x83\xc2\x99"},
        {"\"\u00c3\" before a Latin-1 letter", "\xc3\xc9", QStringLiteral("\u00c3\u00c9"), "\xc3\xc9"},
    };
    for (const Case& c : cases) {
        writeFile(projectPath().toStdString(),
                  qrl::test::projectbytes::header(1) +
                      qrl::test::projectbytes::record(kApplicationForm, c.stored, form));
        CQuorlyn32Doc opened;
        ASSERT_TRUE(opened.OnOpenDocument(projectPath())) << c.what;
        ASSERT_EQ(opened.GetItemCount(), 1) << c.what;
        EXPECT_EQ(opened.GetItemAt(0)->GetName(), c.shown) << c.what;
        ASSERT_TRUE(opened.OnSaveDocument(projectPath())) << c.what;
        const std::string saved = readFile(projectPath().toStdString());
        ASSERT_EQ(saved.size(), 2u * 306) << c.what;
        EXPECT_EQ(saved.substr(306 + 1, c.saved.size() + 1), c.saved + '\0') << c.what;
    }
}

// Any stored name, also one cut to a macro name's four bytes: the project saved after a load is
// the project saved after loading that save.
TEST_F(DocFileTest, LoadAndSaveOfAnyStoredNameIsAFixedPoint)
{
    // Names put together from what the reading of earlier names looks at: ASCII, pairs of a lead
    // and a continuation byte, lone high bytes, and now and then any byte.
    const std::string pieces[] = {"A",        "\xc3\x83", "\xc3\x82", "\xc2\x99", "\xc2\xbf",
                                  "\xc3\xa9", "\xc3",     "\xc9",     "\x80"};
    std::mt19937 random(27);
    constexpr std::uint32_t kItems = 256; // as many as a project holds, each of its own file
    std::string stored = qrl::test::projectbytes::header(kItems);
    for (std::uint32_t i = 0; i < kItems; ++i) {
        std::string name;
        for (std::uint32_t k = 1 + random() % 6; k > 0; --k)
            name += random() % 8 != 0 ? pieces[random() % std::size(pieces)]
                                      : std::string(1, static_cast<char>(1 + random() % 255));
        const bool isMacro = i % 2 != 0;
        const std::string file =
            dirPath().toStdString() + "/" + std::to_string(i) + (isMacro ? ".mcr" : ".prn");
        const std::string content = isMacro ? "!R! MCRO HERE; ENDM; EXIT;" : "form";
        writeFile(file, content);
        stored += qrl::test::projectbytes::record(isMacro ? kTelluradeMacro : kApplicationForm, name, file, 0,
                                                  static_cast<std::uint32_t>(content.size()));
    }
    std::string saves[3] = {stored};
    std::vector<std::string> shown[3]; // the names' characters, as hex
    for (int round = 1; round < 3; ++round) {
        writeFile(projectPath().toStdString(), saves[round - 1]);
        CQuorlyn32Doc opened;
        ASSERT_TRUE(opened.OnOpenDocument(projectPath())) << round;
        // A macro whose four bytes meet an earlier one's is refused, at the first load only.
        ASSERT_GT(opened.GetItemCount(), int(kItems) / 2) << round;
        for (int i = 0; i < opened.GetItemCount(); ++i)
            shown[round].push_back(opened.GetItemAt(i)->GetName().toLatin1().toHex(' ').toStdString());
        ASSERT_TRUE(opened.OnSaveDocument(projectPath())) << round;
        saves[round] = readFile(projectPath().toStdString());
    }
    EXPECT_EQ(shown[2], shown[1]);
    ASSERT_EQ(saves[2].size(), saves[1].size());
    for (std::size_t at = 306; at < saves[1].size(); at += 306) {
        EXPECT_EQ(saves[2].substr(at, 306), saves[1].substr(at, 306))
            << QByteArray::fromStdString(saves[1].substr(at + 1, 33)).toHex(' ').constData();
    }
}

TEST_F(DocFileTest, UnknownAndMissingFilesAreRefusedAndTheImportFlagCleared)
{
    writeFile(projectPath().toStdString(), std::string(64 * 1024, 'P'));
    qrl::context().dosImport = 1;
    CQuorlyn32Doc unknown;
    EXPECT_FALSE(unknown.OnOpenDocument(projectPath()));
    EXPECT_EQ(qrl::context().dosImport, 0);
    EXPECT_FALSE(unknown.OnOpenDocument(dirPath() + QStringLiteral("/none.prj")));
    EXPECT_EQ(ui.texts(),
              (QStringList{QStringLiteral("Not a known Quorlyn project file"), qrl::text(61697)}));
}

TEST_F(DocFileTest, AnImportedProjectStaysUntitledAndItsSaveProposesTheOldName)
{
    CQuorlyn32Doc doc2;
    doc2.SetImportedFrom(dirPath() + QStringLiteral("/OLDPROJ.PRJ"));
    qrl::context().directories.projects = dirPath();
    ui.file(dirPath() + QStringLiteral("/oldproj.prj"));
    EXPECT_TRUE(doc2.OnFileSave());
    ASSERT_EQ(ui.dialogs().size(), 1);
    EXPECT_EQ(ui.dialogs()[0].request.fileName, QStringLiteral("OLDPROJ.prj"));
    EXPECT_TRUE(doc2.GetImportedFrom().isEmpty());
    EXPECT_EQ(doc2.GetPathName(), dirPath() + QStringLiteral("/oldproj.prj"));
}

namespace {

void setModifiedTime(const QString& path, const timespec& when)
{
    const timespec times[2] = {{0, UTIME_OMIT}, when};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

} // namespace

// Two projects on one file, as two programs would hold it: a save over what the other one wrote
// asks first, naming the file, and No leaves the other one's file as it is.
TEST_F(DocFileTest, ASaveOverAFileWrittenSinceItWasReadAsksFirst)
{
    struct Case {
        const char* what;
        std::function<void(const QString& path)> change;
        bool asks;
    };
    const Case cases[] = {
        {"untouched", [](const QString&) {}, false},
        {"rewritten in place within the same second",
         [](const QString& path) {
             struct stat st;
             ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
             const std::string bytes = readFile(path.toStdString());
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::ReadWrite));
             file.write(bytes.data(), static_cast<qint64>(bytes.size()));
             file.close();
             setModifiedTime(path, {st.st_mtim.tv_sec, (st.st_mtim.tv_nsec + 1) % 1000000000});
         },
         true},
        {"replaced by a renamed file",
         [](const QString& path) {
             const std::string bytes = readFile(path.toStdString());
             writeFile((path + QStringLiteral(".new")).toStdString(), bytes);
             ASSERT_EQ(::rename(QFile::encodeName(path + QStringLiteral(".new")).constData(),
                                QFile::encodeName(path).constData()),
                       0);
         },
         true},
        {"removed", [](const QString& path) { QFile::remove(path); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CQuorlyn32Doc writer;
        ASSERT_TRUE(writer.OnSaveDocument(projectPath()));
        CQuorlyn32Doc first;
        ASSERT_TRUE(first.OnOpenDocument(projectPath()));
        c.change(projectPath());
        const std::string onDisk = QFile::exists(projectPath()) ? readFile(projectPath().toStdString()) : "";
        first.SetModifiedFlag(true);
        ui.clear();

        if (c.asks) {
            ui.answer(qrl::Answer::No);
            EXPECT_FALSE(first.OnFileSave());
            ASSERT_EQ(ui.texts().size(), 1);
            EXPECT_TRUE(ui.texts()[0].startsWith(projectPath() + QStringLiteral("\r\nwas changed on disk")));
            EXPECT_EQ(ui.shown()[0].buttons, qrl::Buttons::YesNo);
            EXPECT_TRUE(first.IsModified());
            EXPECT_EQ(readFile(projectPath().toStdString()), onDisk);
            ui.clear();
            ui.answer(qrl::Answer::Yes);
        }
        EXPECT_TRUE(first.OnFileSave());
        EXPECT_EQ(ui.texts().size(), c.asks ? 1 : 0);
        EXPECT_FALSE(first.IsModified());
        // Its own save is what it knows of the file from now on.
        ui.clear();
        first.SetModifiedFlag(true);
        EXPECT_TRUE(first.OnFileSave());
        EXPECT_TRUE(ui.texts().isEmpty());
    }
}

TEST_F(DocFileTest, SaveAsOntoTheFileOfAnotherOpenProjectAsksAndThatProjectAsksInTurn)
{
    CQuorlyn32Doc writer;
    ASSERT_TRUE(writer.OnSaveDocument(projectPath()));
    CQuorlyn32Doc other;
    ASSERT_TRUE(other.OnOpenDocument(projectPath()));
    // A link to it is the same file.
    const QString link = dirPath() + QStringLiteral("/link.prj");
    ASSERT_TRUE(QFile::link(projectPath(), link));
    EXPECT_EQ(CQuorlyn32Doc::FindOpenDocument(link), &other);
    EXPECT_EQ(CQuorlyn32Doc::FindOpenDocument(link, &other), nullptr);

    CQuorlyn32Doc doc2;
    doc2.GetProjSett().m_medium = kHardDisk;
    doc2.GetProjSett().m_storageSizeIndex = 7;
    const std::string before = readFile(projectPath().toStdString());
    ui.file(link);
    ui.answer(qrl::Answer::No);
    EXPECT_FALSE(doc2.OnFileSaveAs());
    ASSERT_EQ(ui.texts().size(), 1);
    EXPECT_EQ(ui.texts()[0],
              link + QStringLiteral("\r\nis open in another project window.\r\nSave over it?"));
    EXPECT_EQ(readFile(projectPath().toStdString()), before);
    EXPECT_TRUE(doc2.GetPathName().isEmpty());

    ui.clear();
    ui.file(link);
    ui.answer(qrl::Answer::Yes);
    EXPECT_TRUE(doc2.OnFileSaveAs());
    EXPECT_NE(readFile(projectPath().toStdString()), before);

    // The other project's file is no longer what it read: its save asks.
    ui.clear();
    ui.answer(qrl::Answer::No);
    other.SetModifiedFlag(true);
    EXPECT_FALSE(other.OnFileSave());
    ASSERT_EQ(ui.texts().size(), 1);
    EXPECT_TRUE(ui.texts()[0].contains(QStringLiteral("was changed on disk")));
}
