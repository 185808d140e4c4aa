#include "ProgramFiles.h"
#include "TempCwd.h"

#include <QDir>

#include <gtest/gtest.h>

using qrl::ProgramFileKind;

namespace {

// An installed tree: prefix/bin/ with the program, share/quorlyn32/ and lib/<arch>/quorlyn32/.
class ProgramFiles : public ::testing::Test {
protected:
    ProgramFiles()
    {
        QDir().mkpath(bin());
        QDir().mkpath(data());
        QDir().mkpath(privateLib() + "Tools/CardManager");
    }
    QString prefix() const { return QString::fromStdString(m_dir.path()); }
    QString bin() const { return prefix() + "/bin/"; }
    QString data() const { return prefix() + "/share/quorlyn32/"; }
    QString privateLib() const
    {
        const QStringList folders = qrl::programFileFolders(bin(), ProgramFileKind::Executables);
        return folders.value(1);
    }
    static void put(const QString& path) { qrl::test::writeFile(path.toStdString(), "x"); }

    qrl::test::TempDirectory m_dir;
};

} // namespace

TEST_F(ProgramFiles, FoldersAreTheProgramsOwnThenTheInstalledPlaces)
{
    for (const ProgramFileKind kind : {ProgramFileKind::Settings, ProgramFileKind::Data})
        EXPECT_EQ(qrl::programFileFolders(bin(), kind), QStringList({bin(), data()}));
    const QString lib = privateLib();
    EXPECT_TRUE(lib.startsWith(prefix() + "/lib/")) << qPrintable(lib);
    EXPECT_TRUE(lib.endsWith("/quorlyn32/")) << qPrintable(lib);
    // Without its final separator the program's folder gives the same list.
    EXPECT_EQ(qrl::programFileFolders(prefix() + "/bin", ProgramFileKind::Executables),
              QStringList({bin(), lib}));
    EXPECT_TRUE(qrl::programFileFolders({}, ProgramFileKind::Data).isEmpty());
}

TEST_F(ProgramFiles, TheFirstFolderHoldingTheFileWinsElseBesideTheProgram)
{
    put(data() + "Quorlyn32.ini");
    put(data() + "QrlynDeu.qm");
    put(bin() + "QrlynDeu.qm");
    put(privateLib() + "Tools/CardManager/cardmanager");
    put(privateLib() + "libvintrel.so");
    const struct {
        ProgramFileKind kind;
        QString name;
        QString expected;
    } cases[] = {
        {ProgramFileKind::Settings, "Quorlyn32.ini", data() + "Quorlyn32.ini"},
        {ProgramFileKind::Data, "QrlynDeu.qm", bin() + "QrlynDeu.qm"},
        {ProgramFileKind::Data, "QrlynFra.qm", bin() + "QrlynFra.qm"},
        {ProgramFileKind::Executables, "Tools/CardManager/cardmanager",
         privateLib() + "Tools/CardManager/cardmanager"},
        {ProgramFileKind::Executables, "libvintrel.so", privateLib() + "libvintrel.so"},
        // Each kind keeps to its own folders.
        {ProgramFileKind::Data, "libvintrel.so", bin() + "libvintrel.so"},
        {ProgramFileKind::Executables, "Quorlyn32.ini", bin() + "Quorlyn32.ini"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qrl::findProgramFile(bin(), c.kind, c.name), c.expected) << qPrintable(c.name);
}
