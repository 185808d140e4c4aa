#pragma once

// The command ids of the program's menus and toolbar. Every action carries its id as data, so the
// handlers of the frames, the project window and the dialogs find their actions by id.
namespace qrl::cmd {

// The framework's file, edit and help commands.
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kFilePrintSetup = 57606;
// The recent-file list's entries, the first to the fourth.
inline constexpr int kFirstRecentFile = 57616;
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditPaste = 57637;
inline constexpr int kAppAbout = 57664;
inline constexpr int kAppExit = 57665;
inline constexpr int kHelp = 57670;

// The application's own command.
inline constexpr int kPreferences = 32799;

// The project window's commands on the toolbar.
inline constexpr int kAddResource = 32771;
inline constexpr int kDeleteItems = 32775;
inline constexpr int kLargeIcons = 32788;
inline constexpr int kSmallIcons = 32789;
inline constexpr int kList = 32790;
inline constexpr int kDetails = 32791;
inline constexpr int kProperties = 32800;

// The project window's menu commands.
inline constexpr int kSelectAll = 32848;
inline constexpr int kPrinterTools = 32849;
inline constexpr int kCcpyCreator = 32851;
inline constexpr int kEmcrCreator = 32852;
inline constexpr int kFontDownloader = 32873;

// The item's context menu.
inline constexpr int kOpenItem = 32778;
inline constexpr int kCutItems = 32780;
inline constexpr int kDeleteItem = 32782;
inline constexpr int kRename = 32783;
inline constexpr int kItemProperties = 32784;
inline constexpr int kCopyItems = 32804;

// The context menu of the empty list.
inline constexpr int kSaveProject = 32785;
inline constexpr int kListProjectSettings = 32786;
inline constexpr int kAddResourceHere = 32787;
inline constexpr int kPasteHere = 32805;

// The view modes of a context menu's popup, in the order of the window menu's (32788 to 32791).
inline constexpr int kPopupLargeIcons = 32793;
inline constexpr int kPopupSmallIcons = 32794;
inline constexpr int kPopupList = 32795;
inline constexpr int kPopupDetails = 32796;

// Reached by id only: the build from the list, and two companion programs.
inline constexpr int kListBuild = 32872;
inline constexpr int kCompanionByName = 32854;
inline constexpr int kCompanionNoMenu = 32861;
// The companion programs of the menus, 32855 to 32860.
inline constexpr int kFirstCompanion = 32855;
inline constexpr int kMenuCompanionCount = 6;

// The child frame's commands.
inline constexpr int kBuild = 32797;
inline constexpr int kProjectSettings = 32798;
inline constexpr int kPrintList = 32845;

} // namespace qrl::cmd
