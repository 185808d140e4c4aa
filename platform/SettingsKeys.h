#pragma once

#include "Profile.h"

#include <array>

// Every value the program keeps in its profile: section, value name and, for a number, the default
// a missing value reads as (a missing text reads as empty). The spellings are those of the stored
// profile and must not change. Dialog placements ("WinPlacement" in each dialog's own section) are
// kept by CWinPlacement.
namespace qrl::settings {

struct IntSetting {
    const char* section;
    const char* name;
    int defaultValue;
};

struct StringSetting {
    const char* section;
    const char* name;
};

inline constexpr char kSettingsSection[] = "Settings";
inline constexpr char kOptionsSection[] = "Options";
inline constexpr char kFileLocationsSection[] = "File Locations";
inline constexpr char kAboutSection[] = "About Dialog";
inline constexpr char kBuildSection[] = "Build";
inline constexpr char kResPrefSection[] = "Resource Preferences";
inline constexpr char kSendPrintToolsSection[] = "Send Print Tools";
inline constexpr char kVorlDownloaderSection[] = "Vorl Font Downloader";
// Sections that hold only a dialog's placement.
inline constexpr char kBitmapToMacroSection[] = "Bitmap To Macro";
inline constexpr char kCallMacroSection[] = "Call Macro";
inline constexpr char kCcpyCreatorSection[] = "Ccpy Creator";
inline constexpr char kEmcrCreatorSection[] = "Emcr Creator";
inline constexpr char kMacroEditSection[] = "Macro Edit";
inline constexpr char kPrintToolsSection[] = "Print Tools";
inline constexpr char kPropertyPagesSection[] = "Property Pages";
inline constexpr char kProjectSettingsSection[] = "Project Settings";
// Every section with a dialog placement, in the order they are reset after a version change.
inline constexpr std::array<const char*, 14> kPlacementSections = {
    kBitmapToMacroSection,   kBuildSection,          kCallMacroSection,     kCcpyCreatorSection,
    kEmcrCreatorSection,     kVorlDownloaderSection, kMacroEditSection,     kPrintToolsSection,
    kResPrefSection,         kSendPrintToolsSection, kFileLocationsSection, kPropertyPagesSection,
    kProjectSettingsSection, kAboutSection,
};
// Numbered values: recentFileEntry() and fileMapEntry() name them.
inline constexpr char kRecentFileSection[] = "Recent File List";
inline constexpr char kFileMapSection[] = "File Mappings";

// "Settings": the log, the start-up, the language and the project list.
inline constexpr IntSetting kLogTimeStamp{kSettingsSection, "LogTimeStamp", 0};
inline constexpr IntSetting kLogLevel{kSettingsSection, "LogLevel", 0};
inline constexpr IntSetting kLogAppend{kSettingsSection, "LogAppend", 1};
inline constexpr StringSetting kLastProject{kSettingsSection, "Last Project"};
// The file version of the program that ran last; missing on a first run.
inline constexpr StringSetting kVersion{kSettingsSection, "version"};
inline constexpr IntSetting kDefaultLanguage{kSettingsSection, "defaultLanguage", 0};
inline constexpr IntSetting kStartUpSplash{kSettingsSection, "StartUp Splash", 0};
// 0 reopen the last project, 1 create a new one, 2 do nothing.
inline constexpr IntSetting kStartUpOptions{kSettingsSection, "StartUp Options", 1};
inline constexpr IntSetting kFontIdMessages{kSettingsSection, "Font ID Messages", 0};
// The project list's mode; 0 is large icons.
inline constexpr IntSetting kListStyle{kSettingsSection, "ListStyle", 0};

// "Options": the tools' option masks.
inline constexpr IntSetting kCcpyOptions{kOptionsSection, "CcpyOptions", 0x7E};
inline constexpr IntSetting kEmcrOptions{kOptionsSection, "EmcrOptions", 0x7E};
inline constexpr IntSetting kVorlDownloaderOptions{kOptionsSection, "VorlDownloaderOptions", 6};
// Bit 31 (show tool tips) set; stored as a signed value.
inline constexpr IntSetting kPrintToolsOptions{kOptionsSection, "PrintToolsOptions",
                                               static_cast<int>(0x80000000u)};

// "File Locations": the folders the user chose (empty: none) and the page's column widths.
inline constexpr StringSetting kBuildsDirectory{kFileLocationsSection, "BuildsDirectory"};
inline constexpr StringSetting kFontsDirectory{kFileLocationsSection, "FontsDirectory"};
inline constexpr StringSetting kFormsDirectory{kFileLocationsSection, "FormsDirectory"};
inline constexpr StringSetting kMacrosDirectory{kFileLocationsSection, "MacrosDirectory"};
inline constexpr StringSetting kProgramsDirectory{kFileLocationsSection, "ProgramsDirectory"};
inline constexpr StringSetting kProjectsDirectory{kFileLocationsSection, "ProjectsDirectory"};
inline constexpr StringSetting kResourcesDirectory{kFileLocationsSection, "ResourcesDirectory"};
inline constexpr IntSetting kFileLocationsTypeWidth{kFileLocationsSection, "widthColumnResourceType", 108};
inline constexpr IntSetting kFileLocationsLocationWidth{kFileLocationsSection, "widthColumnLocation", 250};

// "About Dialog": the fold state, the version-changed flag and the file list's column widths.
inline constexpr IntSetting kAboutDetailsView{kAboutSection, "detailsView", 0};
inline constexpr IntSetting kAboutVersionNew{kAboutSection, "versionNew", 0};
inline constexpr IntSetting kAboutFileNameWidth{kAboutSection, "widthColumnFileName", 120};
inline constexpr IntSetting kAboutFileVersionWidth{kAboutSection, "widthColumnFileVersion", 60};
inline constexpr IntSetting kAboutFileDateWidth{kAboutSection, "widthColumnFileDate", 110};
inline constexpr IntSetting kAboutFileSizeWidth{kAboutSection, "widthColumnFileSize", 70};
inline constexpr IntSetting kAboutFilePathWidth{kAboutSection, "widthColumnFilePath", 202};

// "Build": the build dialog.
inline constexpr StringSetting kBuildPrinter{kBuildSection, "Printer"};
inline constexpr IntSetting kBuildMessageOptions{kBuildSection, "BuildMsgOptions", 30};
inline constexpr IntSetting kBuildWriteProtection{kBuildSection, "CFWriteProtection", 1};
inline constexpr IntSetting kBuildTarnwick{kBuildSection, "bTarnwick", 0};

// "Resource Preferences": which of the resource dialog's messages are shown.
inline constexpr IntSetting kResPrefMessageOptions{kResPrefSection, "ResPrefMsgOptions", 2};

// "Send Print Tools": the send dialog.
inline constexpr StringSetting kSendPrintToolsPrinter{kSendPrintToolsSection, "Printer"};
inline constexpr IntSetting kSendPrintToolsTarnwick{kSendPrintToolsSection, "Tarnwick", 0};

// "Vorl Font Downloader": the printer, the medium and the list's column widths.
inline constexpr StringSetting kVorlPrinter{kVorlDownloaderSection, "Printer"};
inline constexpr IntSetting kVorlMediumType{kVorlDownloaderSection, "nMediumType", 0};
inline constexpr IntSetting kVorlDescriptionWidth{kVorlDownloaderSection, "widthColumnDescription", 170};
inline constexpr IntSetting kVorlTargetPathWidth{kVorlDownloaderSection, "widthColumnTargetPath", 200};
inline constexpr IntSetting kVorlLocalPathWidth{kVorlDownloaderSection, "widthColumnLocalPath", 180};
inline constexpr IntSetting kVorlFileSizeWidth{kVorlDownloaderSection, "widthColumnFileSize", 170};

} // namespace qrl::settings

namespace qrl {

// Reads a value from `store` (the program's profile when none is given); a missing one reads as
// the table's default, a missing text as empty.
int read(const Profile& store, const settings::IntSetting& key);
QString read(const Profile& store, const settings::StringSetting& key);
int read(const settings::IntSetting& key);
QString read(const settings::StringSetting& key);

// Writes a value; false when the store refused the write.
bool write(Profile& store, const settings::IntSetting& key, int value);
bool write(Profile& store, const settings::StringSetting& key, const QString& value);
bool write(const settings::IntSetting& key, int value);
bool write(const settings::StringSetting& key, const QString& value);

// True when the value is stored, whatever it holds.
bool isStored(const Profile& store, const settings::IntSetting& key);
bool isStored(const Profile& store, const settings::StringSetting& key);

} // namespace qrl

namespace qrl::settings {

// A section or value name of the table as the profile takes it.
inline QString keyText(const char* text)
{
    return QString::fromLatin1(text);
}

// The value of the recent file list's entry `index` (from 0): "File1", "File2", ...
QString recentFileEntry(int index);
// The value of the file mapping at `position` (from 0): "Map #0", "Map #1", ...
QString fileMapEntry(int position);

} // namespace qrl::settings
