#include "CQuorlyn32Doc.h"
#include "Profile.h"
#include "ProjectTestSupport.h"
#include "StringTable.h"

#include <QDir>
#include <QFile>
#include <QIODevice>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using qrl::test::ProjectTest;
using qrl::test::readFile;
using qrl::test::writeFile;

namespace {

// A project whose file format is a stand-in: it writes `bytes` (failing after `failAfter` bytes
// when that is set) and reads files of the kind given.
class FormatDoc : public CQuorlyn32Doc {
public:
    int GetProjectFileKind(QIODevice&) override { return kind; }
    bool ReadProjectFile(QIODevice& file) override { return reads++, file.readAll() == bytes; }
    bool ImportDosProject(QIODevice&) override { return imports++, importSucceeds; }
    bool WriteProjectFile(QIODevice& file) override
    {
        if (failAfter < 0)
            return file.write(bytes) == bytes.size();
        file.write(bytes.left(failAfter));
        return false;
    }

    QByteArray bytes = QByteArray(64 * 1024, 'P');
    int failAfter = -1;
    int kind = 1;
    int reads = 0;
    int imports = 0;
    bool importSucceeds = true;
};

// Makes every write past `limit` bytes fail, as on a full file system, while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit l = m_previous;
        l.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &l);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_previous{};
    void (*m_handler)(int);
};

} // namespace

class DocFileTest : public ProjectTest {
protected:
    QString projectPath() const { return dirPath() + QStringLiteral("/p.prj"); }
    void expectOldFileKept(const char* what)
    {
        EXPECT_EQ(readFile(projectPath().toStdString()), "the previous project") << what;
        EXPECT_EQ(QDir(dirPath()).entryList(QDir::Files), QStringList{QStringLiteral("p.prj")}) << what;
        EXPECT_TRUE(doc.IsModified()) << what;
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
        const FileSizeLimit full(4096);
        EXPECT_FALSE(doc.OnSaveDocument(projectPath()));
    }
    expectOldFileKept("file system full");

    if (geteuid() != 0) {
        QFile::setPermissions(dirPath(), QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_FALSE(doc.OnSaveDocument(projectPath()));
        QFile::setPermissions(dirPath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        expectOldFileKept("read-only directory");
    }
    EXPECT_EQ(profile.getString(QStringLiteral("Settings"), QStringLiteral("Last Project")), QString());
}

TEST_F(DocFileTest, SaveAsChangesNothingUntilItSucceeds)
{
    doc.SetDocumentDirectory(QStringLiteral("/where/it/was"));
    app.SetProjectsDirectory(dirPath());
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

TEST_F(DocFileTest, OpenReadsCurrentAndImportsOlderProjects)
{
    qrl::test::RecordingPane pane;
    writeFile(projectPath().toStdString(), std::string(64 * 1024, 'P'));
    doc.SetModifiedFlag(true);
    EXPECT_TRUE(doc.OnOpenDocument(projectPath()));
    EXPECT_EQ(doc.reads, 1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), projectPath());
    EXPECT_EQ(doc.GetDocumentDirectory(), dirPath());
    EXPECT_EQ(pane.texts.size(), 1);

    // Older formats are imported; a failed import clears the import flag.
    FormatDoc older;
    older.kind = 2;
    older.importSucceeds = false;
    EXPECT_FALSE(older.OnOpenDocument(projectPath()));
    EXPECT_EQ(older.imports, 1);
    EXPECT_EQ(app.dosImport(), 0);

    FormatDoc unknown;
    unknown.kind = 0;
    EXPECT_FALSE(unknown.OnOpenDocument(projectPath()));
    EXPECT_FALSE(unknown.OnOpenDocument(dirPath() + QStringLiteral("/none.prj")));
    EXPECT_EQ(ui.texts(), (QStringList{QStringLiteral("Not a known Quorlyn project file"), qrl::text(61697)}));
    EXPECT_EQ(unknown.reads + unknown.imports, 0);
}
