#include "FrameActions.h"

#include "AppTextIds.h"
#include "CommandIds.h"
#include "StringTable.h"
#include "ToolbarIcons.h"

#include <QAction>
#include <QDir>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <array>
#include <initializer_list>

namespace {

using Key = QKeySequence::StandardKey;
constexpr Key kNoKey = QKeySequence::UnknownKey;

struct Command {
    int id;
    const char* objectName;
    const char* toolTip; // nullptr: the menu text without its mnemonic and ellipsis
    int menuTextId;      // 0: the command stands on the toolbar only
    Key standardKey = kNoKey;
    const char* key = nullptr; // the program's own key, where the desktop has no standard one
};

constexpr std::array<Command, 35> kCommands = {{
    {qrl::cmd::kFileNew, "actionNew", "New", qrl::ids::kMenuNewProject, QKeySequence::New},
    {qrl::cmd::kFileOpen, "actionOpen", "Open", qrl::ids::kMenuOpenProject, QKeySequence::Open},
    {qrl::cmd::kFileSave, "actionSave", "Save", qrl::ids::kMenuSaveProject, QKeySequence::Save},
    {qrl::cmd::kFileSaveAs, "actionSaveAs", "Save As", qrl::ids::kMenuSaveAs},
    {qrl::cmd::kPreferences, "actionPreferences", nullptr, qrl::ids::kMenuPreferences},
    {qrl::cmd::kFilePrintSetup, "actionPrintSetup", nullptr, qrl::ids::kMenuPrintSetup},
    {qrl::cmd::kAppExit, "actionExit", nullptr, qrl::ids::kMenuExit, QKeySequence::Quit},
    {qrl::cmd::kEditCut, "actionCut", "Cut", qrl::ids::kMenuCut, QKeySequence::Cut},
    {qrl::cmd::kEditCopy, "actionCopy", "Copy", qrl::ids::kMenuCopy, QKeySequence::Copy},
    {qrl::cmd::kEditPaste, "actionPaste", "Paste", qrl::ids::kMenuPaste, QKeySequence::Paste},
    {qrl::cmd::kBuild, "actionBuild", "Build", qrl::ids::kMenuBuild, kNoKey, "Ctrl+B"},
    {qrl::cmd::kHelp, "actionHelp", "Help", 0},
    {qrl::cmd::kAppAbout, "actionAbout", "About", qrl::ids::kMenuAbout},
    {qrl::cmd::kAddResource, "actionAdd", "Add", qrl::ids::kMenuAdd},
    {qrl::cmd::kDeleteItems, "actionDelete", "Delete", qrl::ids::kMenuDelete, QKeySequence::Delete},
    {qrl::cmd::kProperties, "actionProperties", "Properties", qrl::ids::kMenuProperties},
    {qrl::cmd::kSelectAll, "actionSelectAll", "Select All", qrl::ids::kMenuSelectAll,
     QKeySequence::SelectAll},
    {qrl::cmd::kLargeIcons, "actionLargeIcons", "Large Icons", qrl::ids::kMenuLargeIcons},
    {qrl::cmd::kSmallIcons, "actionSmallIcons", "Small Icons", qrl::ids::kMenuSmallIcons},
    {qrl::cmd::kList, "actionList", "List", qrl::ids::kMenuList},
    {qrl::cmd::kDetails, "actionDetails", "Details", qrl::ids::kMenuDetails},
    {qrl::cmd::kProjectSettings, "actionProjectSettings", "Settings", qrl::ids::kMenuProjectSettings},
    {qrl::cmd::kPrintList, "actionPrintList", "Print", qrl::ids::kMenuPrintList},
    {qrl::cmd::kPrinterTools, "actionPrinterTools", "Printer Tools", qrl::ids::kMenuPrinterTools, kNoKey,
     "Ctrl+L"},
    {qrl::cmd::kCcpyCreator, "actionCcpyCreator", "Multi-Part Form Creator", qrl::ids::kMenuCcpyCreator},
    {qrl::cmd::kEmcrCreator, "actionEmcrCreator", "EMCR Creator", qrl::ids::kMenuEmcrCreator},
    {qrl::cmd::kFontDownloader, "actionFontDownloader", "VORL Font Downloader",
     qrl::ids::kMenuFontDownloader},
    {qrl::cmd::kFirstCompanion + 0, "actionCompanion1", "Font Editor", qrl::ids::kMenuFontEditor},
    {qrl::cmd::kFirstCompanion + 1, "actionCompanion2", "Form Designer", qrl::ids::kMenuFormDesigner},
    {qrl::cmd::kFirstCompanion + 2, "actionCompanion3", "Macro Viewer", qrl::ids::kMenuMacroViewer},
    {qrl::cmd::kFirstCompanion + 3, "actionCompanion4", "Card Manager", qrl::ids::kMenuCardManager},
    {qrl::cmd::kFirstCompanion + 4, "actionCompanion5", "Printer Monitor", qrl::ids::kMenuPrinterMonitor},
    {qrl::cmd::kFirstCompanion + 5, "actionCompanion6", "Network Setup", qrl::ids::kMenuNetworkSetup},
    {qrl::cmd::kCompanionNoMenu, "actionCompanionNoMenu", "File Viewer", 0},
    {qrl::cmd::kCompanionByName, "actionCompanionByName", "Update", 0},
}};

constexpr int kSeparator = 0;
constexpr int kRecentFiles = -1; // a separator and the recent-file entries, shown while there are some

constexpr std::array<int, 20> kToolBarOrder = {
    qrl::cmd::kFileNew,     qrl::cmd::kFileOpen,    qrl::cmd::kFileSave,   kSeparator,
    qrl::cmd::kEditCut,     qrl::cmd::kEditCopy,    qrl::cmd::kEditPaste,  kSeparator,
    qrl::cmd::kBuild,       qrl::cmd::kHelp,        qrl::cmd::kAppAbout,   kSeparator,
    qrl::cmd::kAddResource, qrl::cmd::kDeleteItems, qrl::cmd::kProperties, kSeparator,
    qrl::cmd::kLargeIcons,  qrl::cmd::kSmallIcons,  qrl::cmd::kList,       qrl::cmd::kDetails,
};

struct Menu {
    const char* objectName;
    const char* title;
    std::initializer_list<int> commands;
};

// The commands of the project window's menu stand here too; they are enabled while a project
// window is active.
const std::array<Menu, 6> kMenus = {{
    {"menuFile",
     "&File",
     {qrl::cmd::kFileNew, qrl::cmd::kFileOpen, qrl::cmd::kFileSave, qrl::cmd::kFileSaveAs, kSeparator,
      qrl::cmd::kPreferences, qrl::cmd::kFilePrintSetup, kRecentFiles, kSeparator, qrl::cmd::kAppExit}},
    {"menuEdit",
     "&Edit",
     {qrl::cmd::kEditCut, qrl::cmd::kEditCopy, qrl::cmd::kEditPaste, kSeparator, qrl::cmd::kDeleteItems,
      qrl::cmd::kSelectAll}},
    {"menuView",
     "&View",
     {qrl::cmd::kLargeIcons, qrl::cmd::kSmallIcons, qrl::cmd::kList, qrl::cmd::kDetails}},
    {"menuProject",
     "&Project",
     {qrl::cmd::kAddResource, qrl::cmd::kProperties, kSeparator, qrl::cmd::kBuild, qrl::cmd::kProjectSettings,
      qrl::cmd::kPrintList}},
    {"menuTools",
     "&Tools",
     {qrl::cmd::kPrinterTools, qrl::cmd::kCcpyCreator, qrl::cmd::kEmcrCreator, qrl::cmd::kFontDownloader,
      kSeparator, qrl::cmd::kFirstCompanion + 0, qrl::cmd::kFirstCompanion + 1, qrl::cmd::kFirstCompanion + 2,
      qrl::cmd::kFirstCompanion + 3, qrl::cmd::kFirstCompanion + 4, qrl::cmd::kFirstCompanion + 5}},
    {"menuHelp", "&Help", {qrl::cmd::kAppAbout}},
}};

QString tipOf(const Command& c)
{
    if (c.toolTip)
        return QString::fromLatin1(c.toolTip);
    QString tip = qrl::text(c.menuTextId).remove(QLatin1Char('&'));
    if (tip.endsWith(QStringLiteral("...")))
        tip.chop(3);
    return tip;
}

// Every binding the desktop has for a standard key (Cut is also Shift+Del on some).
QList<QKeySequence> keysOf(const Command& c)
{
    if (c.key)
        return {QKeySequence(QString::fromLatin1(c.key), QKeySequence::PortableText)};
    return c.standardKey == kNoKey ? QList<QKeySequence>() : QKeySequence::keyBindings(c.standardKey);
}

} // namespace

FrameActions::FrameActions(QMainWindow* frame)
{
    createActions(frame);
    createToolBar(frame);
    createMenus(frame);
}

QAction* FrameActions::action(int commandId) const
{
    return m_actions.value(commandId, nullptr);
}

void FrameActions::createActions(QMainWindow* frame)
{
    for (const Command& c : kCommands) {
        const QString tip = tipOf(c);
        auto* a =
            new QAction(qrl::icons::toolbarIcon(c.id), c.menuTextId ? qrl::text(c.menuTextId) : tip, frame);
        a->setObjectName(QString::fromLatin1(c.objectName));
        a->setData(c.id);
        a->setToolTip(tip);
        a->setStatusTip(tip);
        a->setShortcuts(keysOf(c));
        a->setEnabled(false);
        m_actions.insert(c.id, a);
    }
    for (int i = 0; i < kRecentFileCount; ++i) {
        auto* a = new QAction(frame);
        a->setObjectName(QStringLiteral("actionRecentFile%1").arg(i + 1));
        a->setData(qrl::cmd::kFirstRecentFile + i);
        a->setEnabled(false);
        a->setVisible(false);
        m_actions.insert(qrl::cmd::kFirstRecentFile + i, a);
    }
}

void FrameActions::createToolBar(QMainWindow* frame)
{
    m_toolBar = new QToolBar(frame);
    m_toolBar->setObjectName(QStringLiteral("mainToolBar"));
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (const int id : kToolBarOrder) {
        if (id == kSeparator)
            m_toolBar->addSeparator();
        else
            m_toolBar->addAction(action(id));
    }
    frame->addToolBar(Qt::TopToolBarArea, m_toolBar);
}

void FrameActions::createMenus(QMainWindow* frame)
{
    for (const Menu& m : kMenus) {
        QMenu* menu = frame->menuBar()->addMenu(QString::fromLatin1(m.title));
        menu->setObjectName(QString::fromLatin1(m.objectName));
        for (const int id : m.commands) {
            if (id == kSeparator) {
                menu->addSeparator();
            } else if (id == kRecentFiles) {
                m_recentSeparator = menu->addSeparator();
                m_recentSeparator->setVisible(false);
                for (int i = 0; i < kRecentFileCount; ++i)
                    menu->addAction(action(qrl::cmd::kFirstRecentFile + i));
            } else {
                menu->addAction(action(id));
            }
        }
    }
}

void FrameActions::showRecentFiles(const QStringList& paths)
{
    for (int i = 0; i < kRecentFileCount; ++i) {
        QAction* a = action(qrl::cmd::kFirstRecentFile + i);
        const bool shown = i < paths.size();
        // A '&' in a folder name is part of the path, not a mnemonic.
        const QString path =
            shown ? QDir::toNativeSeparators(paths.at(i)).replace(QLatin1Char('&'), QStringLiteral("&&"))
                  : QString();
        a->setText(qrl::text(qrl::ids::kMenuRecentFile).arg(i + 1).arg(path));
        a->setStatusTip(shown ? QDir::toNativeSeparators(paths.at(i)) : QString());
        a->setVisible(shown);
    }
    if (m_recentSeparator)
        m_recentSeparator->setVisible(!paths.isEmpty());
}
