#pragma once

// The command ids of the program's menus and toolbar. Every action carries its id as data, so the
// handlers of the frames, the project window and the dialogs find their actions by id.
namespace cmd {

// The framework's file, edit and help commands.
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileSave = 57603;
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditPaste = 57637;
inline constexpr int kAppAbout = 57664;
inline constexpr int kHelp = 57670;

// The project window's commands on the toolbar.
inline constexpr int kAddResource = 32771;
inline constexpr int kDeleteItems = 32775;
inline constexpr int kLargeIcons = 32788;
inline constexpr int kSmallIcons = 32789;
inline constexpr int kList = 32790;
inline constexpr int kDetails = 32791;
inline constexpr int kProperties = 32800;

// The child frame's commands.
inline constexpr int kBuild = 32797;
inline constexpr int kProjectSettings = 32798;
inline constexpr int kPrintList = 32845;

} // namespace cmd
