#include "FileLocations.h"

#include "AppContext.h"
#include "SettingsKeys.h"
#include "TextFormat.h"

#include <QFileInfo>

namespace qrl::filelocations {

namespace {

const std::array<RowInfo, kRowCount> kRows = {{
    {"Build Outputs", RowIcon::Build, settings::kBuildsDirectory},
    {"Fonts", RowIcon::Font, settings::kFontsDirectory},
    {"Host Files-Forms", RowIcon::Form, settings::kFormsDirectory},
    {"Macros", RowIcon::Macro, settings::kMacrosDirectory},
    {"Programs", RowIcon::Program, settings::kProgramsDirectory},
    {"Projects", RowIcon::Project, settings::kProjectsDirectory},
    {"Resources", RowIcon::Resources, settings::kResourcesDirectory},
}};

const char* const kMissingDirectory =
    "The folder '%s' for '%s' does not exist.\n\nPlease choose an existing folder, then try again.";

} // namespace

const RowInfo& rowInfo(int row)
{
    return kRows.at(static_cast<std::size_t>(row));
}

QString sectionName()
{
    return settings::keyText(settings::kFileLocationsSection);
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
        written = write(store, rowInfo(row).location, directories[static_cast<std::size_t>(row)]) && written;
    written = write(store, settings::kFileLocationsTypeWidth, typeWidth) && written;
    written = write(store, settings::kFileLocationsLocationWidth, locationWidth) && written;
    return written;
}

int storedTypeWidth(const AppContext& context)
{
    if (context.versionChanged)
        return kDefaultTypeWidth;
    return read(settings::kFileLocationsTypeWidth);
}

int storedLocationWidth(const AppContext& context)
{
    if (context.versionChanged)
        return kDefaultLocationWidth;
    return read(settings::kFileLocationsLocationWidth);
}

} // namespace qrl::filelocations
