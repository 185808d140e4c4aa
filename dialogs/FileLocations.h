#pragma once

#include "SettingsKeys.h"

#include <QString>

#include <array>
#include <optional>

namespace qrl {
class AppContext;
}

// The seven rows of the "File Locations" page and their store; no widgets.
namespace qrl::filelocations {

inline constexpr int kRowCount = 7;
inline constexpr int kDefaultTypeWidth = settings::kFileLocationsTypeWidth.defaultValue;
inline constexpr int kDefaultLocationWidth = settings::kFileLocationsLocationWidth.defaultValue;

// What a row's icon shows: the four resource kinds, and the project, build and resource folders.
enum class RowIcon { Font, Macro, Form, Program, Project, Build, Resources };

struct RowInfo {
    const char* name; // column 0
    RowIcon icon;
    settings::StringSetting location;
};

const RowInfo& rowInfo(int row);
QString sectionName();

using Directories = std::array<QString, kRowCount>;

Directories fromContext(const AppContext& context);

// The first row whose directory is neither empty (no directory) nor an existing folder, with the
// message to show; nothing when all rows can be stored.
struct Fault {
    int row = 0;
    QString message;
};
std::optional<Fault> findFault(const Directories& directories);

// Checks the rows, then hands them to the context and writes them and the two column
// widths to the profile. Nothing is written when a row is refused. False when refused or when a
// profile write fails.
bool apply(AppContext& context, const Directories& directories, int typeWidth, int locationWidth);

// The stored column widths; the defaults while the program's version has changed.
int storedTypeWidth(const AppContext& context);
int storedLocationWidth(const AppContext& context);

} // namespace qrl::filelocations
