// The rows of the project and the build: the project file, the macro body file of a PCL macro,
// the build's command file (given, and chosen in the output dialog) and both export images.
#include "WriterCases.h"

#include "BuildMonitor.h"
#include "BuildSession.h"
#include "BuildTestProject.h"
#include "CProjItem.h"
#include "CQuorlyn32Doc.h"
#include "RecordingSpooler.h"
#include "ScriptedUserInterface.h"
#include "TempCwd.h"
#include "TestEnvironment.h"

#include <filesystem>
#include <string>

namespace qrl::test {

namespace {

using namespace qrl::build;

// The writer's file dialog answers `path`, through the table's scripted interface.
void chooseInDialog(const QString& path)
{
    if (auto* scripted = dynamic_cast<ScriptedUserInterface*>(&qrl::ui()))
        scripted->file(path);
}

// A writer that gives its file an extension of its own writes a link of that name in `dir`,
// which leads to `path`: the file it keeps is then the one the row is given.
QString linkTo(const TempDirectory& dir, const std::string& name, const QString& path)
{
    const std::string link = dir.file(name);
    std::filesystem::create_symlink(path.toStdString(), link);
    return QString::fromStdString(link);
}

bool saveProject(const QString& path)
{
    const ScopedProfile profile;
    CQuorlyn32Doc doc;
    doc.SetModifiedFlag(true);
    return doc.OnSaveDocument(path);
}

bool writeMacroBody(const QString& path)
{
    const TempDirectory dir;
    const std::string body = "\x1b*p100x200Y" + std::string(4000, 'M');
    writeFile(dir.file("logo.pcl"), "\x1b&f12Y\x1b&f0X" + body + "\x1b&f1X");
    ItemRecord record;
    record.resourceType = kPclMacro;
    record.path = dir.file("logo.pcl");
    const CProjItem macro(record);
    linkTo(dir, "body.par", path);
    QString name = QString::fromStdString(dir.file("body.tmp"));
    return macro.WriteParFile(name);
}

struct BuildRun {
    BuildTarget target;
    StorageMedium medium;
    bool chosenInDialog;
};

bool runBuild(const BuildRun& run, const QString& path)
{
    const TempDirectory items;
    const BuildFixture fixture(items.path());
    BuildProject project = fixture.cardProject();
    project.settings.m_medium = run.medium;
    if (run.target != BuildTarget::Card)
        project.settings.m_storageSizeIndex = 13;
    BuildOptions options;
    options.target = run.target;
    options.cardType = run.medium == kJeidaCard ? QStringLiteral("JEIDA") : QStringLiteral("Compact");
    options.printerName = QStringLiteral("FILE:");
    const TempDirectory links;
    if (run.target == BuildTarget::Eprom)
        chooseInDialog(linkTo(links, "rom.hex", path));
    else if (run.target == BuildTarget::CardImage)
        chooseInDialog(linkTo(links, "card.bxf", path));
    else if (run.chosenInDialog)
        chooseInDialog(path);
    else
        options.outputPath = path;
    RecordingSpooler spooler;
    BuildMonitor monitor;
    BuildSession session(&spooler);
    return session.run(project, options, monitor).delivered;
}

} // namespace

std::vector<WriterCase> projectAndBuildWriters()
{
    return {
        {"ProjectSave", saveProject},
        {"PclMacroBodyFile", writeMacroBody},
        {"BuildCommandFile",
         [](const QString& p) {
             return runBuild({BuildTarget::Card, kCompactFlashCard, false}, p);
         }},
        {"BuildOutputFileChosen",
         [](const QString& p) {
             return runBuild({BuildTarget::Card, kCompactFlashCard, true}, p);
         }},
        {"EpromExport",
         [](const QString& p) {
             return runBuild({BuildTarget::Eprom, kEprom, true}, p);
         }},
        {"CardImageExport",
         [](const QString& p) {
             return runBuild({BuildTarget::CardImage, kJeidaCard, true}, p);
         }},
    };
}

} // namespace qrl::test
