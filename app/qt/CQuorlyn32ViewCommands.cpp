// The project window's commands.
#include "AppTextIds.h"
#include "CQuorlyn32View.h"
#include "ToolsTextIds.h"

#include "CCcpyDlg.h"
#include "CChildFrame.h"
#include "CEmcrDlg.h"
#include "CPrintToolDlg.h"
#include "CQuorlyn32App.h"
#include "CQuorlyn32Doc.h"
#include "CResPrefDlg.h"
#include "CVorlDownloader.h"
#include "CommandIds.h"
#include "CompanionPrograms.h"
#include "DocumentRoads.h"
#include "FileListMime.h"
#include "ItemOpener.h"
#include "ItemRename.h"
#include "ResourceTypes.h"
#include "StringTable.h"
#include "UserInterface.h"
#include "ViewAddLoop.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QGuiApplication>
#include <QListView>
#include <QMimeData>
#include <QStandardItemModel>

#include <array>
#include <utility>

namespace {

using Handler = void (CQuorlyn32View::*)();

// The commands of the window menu and the context menus that have a handler of their own; the view
// modes, the save and the companion programs are taken apart.
const std::array<std::pair<int, Handler>, 21> kHandlers = {{
    {qrl::cmd::kAddResource, &CQuorlyn32View::OnAddResource},
    {qrl::cmd::kAddResourceHere, &CQuorlyn32View::OnAddResource},
    {qrl::cmd::kDeleteItems, &CQuorlyn32View::OnDeleteItems},
    {qrl::cmd::kDeleteItem, &CQuorlyn32View::OnDeleteItems},
    {qrl::cmd::kRename, &CQuorlyn32View::OnRename},
    {qrl::cmd::kOpenItem, &CQuorlyn32View::OnOpenItem},
    {qrl::cmd::kProperties, &CQuorlyn32View::OnProperties},
    {qrl::cmd::kItemProperties, &CQuorlyn32View::OnProperties},
    {qrl::cmd::kEditCopy, &CQuorlyn32View::OnCopy},
    {qrl::cmd::kCopyItems, &CQuorlyn32View::OnCopy},
    {qrl::cmd::kEditCut, &CQuorlyn32View::OnCut},
    {qrl::cmd::kCutItems, &CQuorlyn32View::OnCut},
    {qrl::cmd::kEditPaste, &CQuorlyn32View::OnPaste},
    {qrl::cmd::kPasteHere, &CQuorlyn32View::OnPaste},
    {qrl::cmd::kSelectAll, &CQuorlyn32View::OnSelectAll},
    {qrl::cmd::kListProjectSettings, &CQuorlyn32View::OnProjectSettings},
    {qrl::cmd::kListBuild, &CQuorlyn32View::OnBuild},
    {qrl::cmd::kPrinterTools, &CQuorlyn32View::OnPrinterTools},
    {qrl::cmd::kCcpyCreator, &CQuorlyn32View::OnCcpyCreator},
    {qrl::cmd::kEmcrCreator, &CQuorlyn32View::OnEmcrCreator},
    {qrl::cmd::kFontDownloader, &CQuorlyn32View::OnFontDownloader},
}};

} // namespace

void CQuorlyn32View::runCommand(int commandId)
{
    if (!qrl::viewcommands::isEnabled(commandId, commandState()))
        return;
    if (const std::optional<int> mode = qrl::viewcommands::modeOfCommand(commandId)) {
        SetViewMode(*mode);
        return;
    }
    if (commandId == qrl::cmd::kSaveProject) {
        saveDocument(false);
        return;
    }
    if (qrl::companions::find(commandId) || commandId == qrl::cmd::kCompanionByName) {
        qrl::companions::start(commandId);
        return;
    }
    for (const auto& [id, handler] : kHandlers) {
        if (id == commandId) {
            (this->*handler)();
            return;
        }
    }
}

qrl::viewcommands::ViewState CQuorlyn32View::commandState() const
{
    qrl::viewcommands::ViewState state;
    state.hasSelection = m_list->selectionModel()->hasSelection();
    state.hasItems = m_doc->GetItemCount() > 0;
    state.clipboardHasFiles = qrl::filelist::hasFiles(QGuiApplication::clipboard()->mimeData());
    state.modified = m_doc->IsModified();
    state.mode = m_mode;
    return state;
}

bool CQuorlyn32View::saveDocument(bool saveAs)
{
    const bool saved = qrl::docroads::saveProject(*m_doc, saveAs);
    updateTitle();
    emit commandStatesChanged();
    return saved;
}

std::function<void(ResourceKind)> CQuorlyn32View::showKind()
{
    return [this](ResourceKind kind) { RefreshList(kind); };
}

void CQuorlyn32View::OnAddResource()
{
    qrl::FileDialogRequest request;
    request.title = qrl::text(qrl::ids::kAddResourceTitle);
    request.filter = qrl::text(qrl::ids::kAllFilesFilter);
    request.mustExist = true;
    const QString resources = theApp().GetResourcesDirectory();
    request.directory =
        resources.isEmpty() ? m_doc->GetDocumentDirectory() : m_doc->SetDocumentDirectory(resources);
    const std::optional<QStringList> paths = qrl::ui().openFileNames(request);
    if (paths)
        qrl::addloop::addChosenFiles(*m_doc, *paths, showKind());
}

bool CQuorlyn32View::AddDroppedFile(const QString& path)
{
    return qrl::addloop::addDroppedFile(*m_doc, path, showKind());
}

void CQuorlyn32View::addFileList(const QStringList& files)
{
    qrl::addloop::addFileList(*m_doc, files, showKind());
}

void CQuorlyn32View::addCreatorResults(const QString& enablePath, const QString& disablePath)
{
    qrl::addloop::addCreatorResults(*m_doc, enablePath, disablePath, showKind());
}

bool CQuorlyn32View::IsNotFolder(const QString& path)
{
    return qrl::addloop::isNotFolder(path);
}

void CQuorlyn32View::OnDeleteItems()
{
    const QList<int> serials = selectedSerials();
    if (serials.isEmpty())
        return;
    for (const int serial : serials)
        m_doc->RemoveItem(serial);
    m_doc->SetModifiedFlag(true);
    RefreshList(m_kind);
}

void CQuorlyn32View::OnRename()
{
    const int serial = firstSelectedSerial();
    if (serial < 0)
        return;
    if (!qrl::itemrename::canEditName(m_doc->GetItemSubtype(serial))) {
        qrl::ui().message(qrl::text(qrl::ids::kMacroCannotBeRenamed), qrl::Buttons::Ok,
                          qrl::Icon::Information);
        return;
    }
    QAbstractItemView* view = itemView();
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (serialOfRow(row) == serial) {
            const QModelIndex index = m_model->index(row, 0);
            view->setCurrentIndex(index);
            view->edit(index);
            return;
        }
    }
}

void CQuorlyn32View::OnOpenItem()
{
    const int serial = firstSelectedSerial();
    if (serial >= 0)
        qrl::itemopener::openItemFile(m_doc->GetItemPath(serial));
}

void CQuorlyn32View::OnProperties()
{
    const int serial = firstSelectedSerial();
    if (serial < 0)
        return;
    if (m_doc->IsItemMissing(serial)) {
        qrl::ui().message(qrl::text(qrl::ids::kTheFileLead) + m_doc->GetItemPath(serial) +
                              qrl::text(qrl::ids::kFileIsMissing),
                          qrl::Buttons::Ok, qrl::Icon::Warning);
        return;
    }
    QIcon icon;
    for (int row = 0; row < m_model->rowCount(); ++row)
        if (serialOfRow(row) == serial)
            icon = GetItemIcon(row);
    const CResPrefDlg::Result result = CResPrefDlg::run(this, *m_doc, serial, icon);
    if (!result.accepted)
        return;
    if (!result.change.idText.isEmpty())
        SetSelectedItemId(result.change.idText);
    if (!result.change.typefaceText.isEmpty())
        SetSelectedItemTypeface(result.change.typefaceText);
}

void CQuorlyn32View::OnCopy()
{
    const QStringList paths = selectedPaths();
    if (!paths.isEmpty())
        QGuiApplication::clipboard()->setMimeData(qrl::filelist::mimeOf(paths).release());
}

void CQuorlyn32View::OnCut()
{
    OnCopy();
    OnDeleteItems();
}

void CQuorlyn32View::OnPaste()
{
    addFileList(qrl::filelist::filesOf(QGuiApplication::clipboard()->mimeData()));
}

void CQuorlyn32View::OnSelectAll()
{
    itemView()->selectAll();
}

void CQuorlyn32View::OnProjectSettings()
{
    if (m_frame)
        m_frame->runProjectSettings();
}

void CQuorlyn32View::OnBuild()
{
    if (m_frame)
        m_frame->runBuild();
}

void CQuorlyn32View::OnPrinterTools()
{
    CPrintToolDlg dialog(this);
    dialog.exec();
}

void CQuorlyn32View::OnCcpyCreator()
{
    QString enablePath;
    QString disablePath;
    if (CCcpyDlg::run(this, *m_doc, enablePath, disablePath))
        addCreatorResults(enablePath, disablePath);
}

void CQuorlyn32View::OnEmcrCreator()
{
    bool hasTelluradeMacro = false;
    for (int i = 0; i < m_doc->GetItemCount() && !hasTelluradeMacro; ++i)
        hasTelluradeMacro = m_doc->GetItemAt(i)->subtype() == kTelluradeMacro;
    if (!hasTelluradeMacro) {
        qrl::ui().message(qrl::text(qrl::ids::kEmcrNeedsMacros), qrl::Buttons::Ok, qrl::Icon::Information);
        return;
    }
    QString enablePath;
    QString disablePath;
    if (CEmcrDlg::run(this, *m_doc, enablePath, disablePath))
        addCreatorResults(enablePath, disablePath);
}

void CQuorlyn32View::OnFontDownloader()
{
    CVorlDownloader::run(this);
}
