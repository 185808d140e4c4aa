#include "ViewMenus.h"

#include "CommandIds.h"
#include "CompanionPrograms.h"
#include "StringTable.h"

#include <QActionGroup>
#include <QMenu>

#include <initializer_list>

namespace qrl::viewmenus {

namespace {

constexpr int kSeparator = 0;
constexpr int kModePopup = -1;  // the popup of the four view modes
constexpr int kCompanions = -2; // the companion programs of the menus

const std::initializer_list<int> kItemMenu = {
    qrl::cmd::kOpenItem,   kSeparator,        qrl::cmd::kCutItems, qrl::cmd::kCopyItems,
    qrl::cmd::kDeleteItem, qrl::cmd::kRename, kSeparator,          qrl::cmd::kItemProperties,
};

const std::initializer_list<int> kListMenu = {
    qrl::cmd::kAddResourceHere,
    qrl::cmd::kPasteHere,
    kSeparator,
    kModePopup,
    kSeparator,
    qrl::cmd::kSaveProject,
    qrl::cmd::kListProjectSettings,
    kSeparator,
    qrl::cmd::kPrinterTools,
    qrl::cmd::kCcpyCreator,
    qrl::cmd::kEmcrCreator,
    qrl::cmd::kFontDownloader,
    kSeparator,
    kCompanions,
};

const std::initializer_list<int> kModeItems = {qrl::cmd::kPopupLargeIcons, qrl::cmd::kPopupSmallIcons,
                                               qrl::cmd::kPopupList, qrl::cmd::kPopupDetails};

QAction* addCommand(QMenu* menu, int id, const qrl::viewcommands::ViewState& state,
                    const std::function<void(int)>& run)
{
    QAction* action = menu->addAction(qrl::text(id));
    action->setData(id);
    action->setEnabled(qrl::viewcommands::isEnabled(id, state));
    QObject::connect(action, &QAction::triggered, menu, [run, id] { run(id); });
    return action;
}

void addModePopup(QMenu* menu, const qrl::viewcommands::ViewState& state, const std::function<void(int)>& run)
{
    QMenu* popup = menu->addMenu(QStringLiteral("&View"));
    auto* group = new QActionGroup(popup);
    group->setExclusive(true);
    for (const int id : kModeItems) {
        QAction* action = addCommand(popup, id, state, run);
        action->setCheckable(true);
        action->setChecked(qrl::viewcommands::isChecked(id, state));
        group->addAction(action);
    }
}

} // namespace

std::unique_ptr<QMenu> contextMenu(bool overRow, const qrl::viewcommands::ViewState& state,
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
            for (const int companion : qrl::companions::menuCommands())
                addCommand(menu.get(), companion, state, run);
        else
            addCommand(menu.get(), id, state, run);
    }
    return menu;
}

} // namespace qrl::viewmenus
