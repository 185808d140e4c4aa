#include "FileLocations.h"

#include "AppContext.h"
#include "Profile.h"
#include "TextFormat.h"

#include <QFileInfo>

namespace qrl::filelocations {

namespace {

const std::array<RowInfo, kRowCount> kRows = {{
    {"Build Outputs", RowIcon::Build, "BuildsDirectory"},
    {"Fonts", RowIcon::Font, "FontsDirectory"},
    {"Host Files-Forms", RowIcon::Form, "FormsDirectory"},
    {"Macros", RowIcon::Macro, "MacrosDirectory"},
    {"Programs", RowIcon::Program, "ProgramsDirectory"},
    {"Projects", RowIcon::Project, "ProjectsDirectory"},
    {"Resources", RowIcon::Resources, "ResourcesDirectory"},
}};

const char* const kTypeWidthValue = "widthColumnResourceType";
const char* const kLocationWidthValue = "widthColumnLocation";
const char* const kMissingDirectory =
    "The folder '%s' for '%s' does not exist.\n\nPlease choose an existing folder, then try again.";

} // namespace

const RowInfo& rowInfo(int row)
{
    return kRows.at(static_cast<std::size_t>(row));
}

QString sectionName()
{
    return QStringLiteral("File Locations");
}

Directories fromContext(const AppContext& context)
{
    const ResourceDirectories& d = context.directories;
    return {d.builds, d.fonts, d.forms, d.macros, d.programs, d.projects, d.resources};
}

std::optional<Fault> findFault(const Directories& directories)
{
    for (int row = 0; row < kRowCount; ++row) {
        const QString& dir = directories[static_cast<std::size_t>(row)];
        if (!dir.isEmpty() && !QFileInfo(dir).isDir())
            return Fault{row, formatText(QString::fromLatin1(kMissingDirectory),
                                         {dir, QString::fromLatin1(rowInfo(row).name)})};
    }
    return std::nullopt;
}

bool apply(AppContext& context, const Directories& directories, int typeWidth, int locationWidth)
{
    if (findFault(directories))
        return false;
    ResourceDirectories& d = context.directories;
    d.projects = directories[5];
    d.resources = directories[6];
    d.macros = directories[3];
    d.fonts = directories[1];
    d.forms = directories[2];
    d.programs = directories[4];
    d.builds = directories[0];
    Profile& store = profile();
    bool written = true;
    for (int row = 0; row < kRowCount; ++row)
        written = store.setString(sectionName(), QString::fromLatin1(rowInfo(row).profileValue),
                                  directories[static_cast<std::size_t>(row)]) && written;
    written = store.setInt(sectionName(), QString::fromLatin1(kTypeWidthValue), typeWidth) && written;
    written = store.setInt(sectionName(), QString::fromLatin1(kLocationWidthValue), locationWidth) && written;
    return written;
}

int storedTypeWidth(const AppContext& context)
{
    if (context.versionChanged)
        return kDefaultTypeWidth;
    return profile().getInt(sectionName(), QString::fromLatin1(kTypeWidthValue), kDefaultTypeWidth);
}

int storedLocationWidth(const AppContext& context)
{
    if (context.versionChanged)
        return kDefaultLocationWidth;
    return profile().getInt(sectionName(), QString::fromLatin1(kLocationWidthValue), kDefaultLocationWidth);
}

} // namespace qrl::filelocations
