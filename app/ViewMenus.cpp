#include "ViewMenus.h"

#include "CommandIds.h"
#include "CompanionPrograms.h"
#include "StringTable.h"

#include <QActionGroup>
#include <QMenu>

#include <initializer_list>

namespace viewmenus {

namespace {

constexpr int kSeparator = 0;
constexpr int kModePopup = -1;  // the popup of the four view modes
constexpr int kCompanions = -2; // the companion programs of the menus

const std::initializer_list<int> kItemMenu = {
    cmd::kOpenItem,   kSeparator,   cmd::kCutItems, cmd::kCopyItems,
    cmd::kDeleteItem, cmd::kRename, kSeparator,     cmd::kItemProperties,
};

const std::initializer_list<int> kListMenu = {
    cmd::kAddResourceHere, cmd::kPasteHere,           kSeparator, kModePopup,         kSeparator,
    cmd::kSaveProject,     cmd::kListProjectSettings, kSeparator, cmd::kPrinterTools, cmd::kCcpyCreator,
    cmd::kEmcrCreator,     cmd::kFontDownloader,      kSeparator, kCompanions,
};

const std::initializer_list<int> kModeItems = {cmd::kPopupLargeIcons, cmd::kPopupSmallIcons, cmd::kPopupList,
                                               cmd::kPopupDetails};

QAction* addCommand(QMenu* menu, int id, const viewcommands::ViewState& state,
                    const std::function<void(int)>& run)
{
    QAction* action = menu->addAction(qrl::text(id));
    action->setData(id);
    action->setEnabled(viewcommands::isEnabled(id, state));
    QObject::connect(action, &QAction::triggered, menu, [run, id] { run(id); });
    return action;
}

void addModePopup(QMenu* menu, const viewcommands::ViewState& state, const std::function<void(int)>& run)
{
    QMenu* popup = menu->addMenu(QStringLiteral("&View"));
    auto* group = new QActionGroup(popup);
    group->setExclusive(true);
    for (const int id : kModeItems) {
        QAction* action = addCommand(popup, id, state, run);
        action->setCheckable(true);
        action->setChecked(viewcommands::isChecked(id, state));
        group->addAction(action);
    }
}

} // namespace

std::unique_ptr<QMenu> contextMenu(bool overRow, const viewcommands::ViewState& state,
                                   const std::function<void(int)>& run, QWidget* parent)
{
    auto menu = std::make_unique<QMenu>(parent);
    menu->setObjectName(overRow ? QStringLiteral("itemMenu") : QStringLiteral("listMenu"));
    for (const int id : overRow ? kItemMenu : kListMenu) {
        if (id == kSeparator)
            menu->addSeparator();
        else if (id == kModePopup)
            addModePopup(menu.get(), state, run);
        else if (id == kCompanions)
            for (const int companion : companions::menuCommands())
                addCommand(menu.get(), companion, state, run);
        else
            addCommand(menu.get(), id, state, run);
    }
    return menu;
}

} // namespace viewmenus
