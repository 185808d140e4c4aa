#include "FrameActions.h"

#include "CommandIds.h"
#include "StringTable.h"
#include "icons/ToolbarIcons.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <array>
#include <initializer_list>

namespace {

struct Command {
    int id;
    const char* objectName;
    const char* toolTip;
    int menuTextId; // 0: the command stands on the toolbar only
};

constexpr std::array<Command, 18> kCommands = {{
    {cmd::kFileNew, "actionNew", "New", 57600},
    {cmd::kFileOpen, "actionOpen", "Open", 57601},
    {cmd::kFileSave, "actionSave", "Save", 57603},
    {cmd::kEditCut, "actionCut", "Cut", 0},
    {cmd::kEditCopy, "actionCopy", "Copy", 0},
    {cmd::kEditPaste, "actionPaste", "Paste", 0},
    {cmd::kBuild, "actionBuild", "Build", 32797},
    {cmd::kHelp, "actionHelp", "Help", 0},
    {cmd::kAppAbout, "actionAbout", "About", 57664},
    {cmd::kAddResource, "actionAdd", "Add", 0},
    {cmd::kDeleteItems, "actionDelete", "Delete", 0},
    {cmd::kProperties, "actionProperties", "Properties", 0},
    {cmd::kLargeIcons, "actionLargeIcons", "Large Icons", 0},
    {cmd::kSmallIcons, "actionSmallIcons", "Small Icons", 0},
    {cmd::kList, "actionList", "List", 0},
    {cmd::kDetails, "actionDetails", "Details", 0},
    {cmd::kProjectSettings, "actionProjectSettings", "Settings", 32798},
    {cmd::kPrintList, "actionPrintList", "Print", 32845},
}};

constexpr int kSeparator = 0;

constexpr std::array<int, 20> kToolBarOrder = {
    cmd::kFileNew,     cmd::kFileOpen,    cmd::kFileSave,   kSeparator,       cmd::kEditCut,
    cmd::kEditCopy,    cmd::kEditPaste,   kSeparator,       cmd::kBuild,      cmd::kHelp,
    cmd::kAppAbout,    kSeparator,        cmd::kAddResource, cmd::kDeleteItems, cmd::kProperties,
    kSeparator,        cmd::kLargeIcons,  cmd::kSmallIcons, cmd::kList,       cmd::kDetails,
};

struct Menu {
    const char* objectName;
    const char* title;
    std::initializer_list<int> commands;
};

const std::array<Menu, 3> kMenus = {{
    {"menuFile", "&File", {cmd::kFileNew, cmd::kFileOpen, cmd::kFileSave}},
    {"menuProject", "&Project", {cmd::kBuild, cmd::kProjectSettings, cmd::kPrintList}},
    {"menuHelp", "&Help", {cmd::kAppAbout}},
}};

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
        const QString tip = QString::fromLatin1(c.toolTip);
        auto* a = new QAction(icons::toolbarIcon(c.id), c.menuTextId ? qrl::text(c.menuTextId) : tip, frame);
        a->setObjectName(QString::fromLatin1(c.objectName));
        a->setData(c.id);
        a->setToolTip(tip);
        a->setStatusTip(tip);
        a->setEnabled(false);
        m_actions.insert(c.id, a);
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
        for (const int id : m.commands)
            menu->addAction(action(id));
    }
}
