// The downloader's list and send commands.
#include "AppContext.h"
#include "CVorlDownloader.h"
#include "CVorlTargetDirectory.h"
#include "SharedFolder.h"
#include "StringTable.h"
#include "TextFormat.h"
#include "ToolsTextIds.h"
#include "UserInterface.h"
#include "VorlDownloaderOptions.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>

namespace {

constexpr char kNoFontName[] = "Could not get the font name from file .";

void showWarning(const QString& text)
{
    qrl::ui().message(text, qrl::Buttons::Ok, qrl::Icon::Warning);
}

// The wait cursor while a send runs inside its button's handler.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

void CVorlDownloader::applyPrinterChoice()
{
    if (toFile()) {
        m_send->setText(qrl::text(qrl::ids::kVorlWriteToFile));
        m_fontList->setEnabled(false);
        m_port->setText(m_printers->currentText());
        return;
    }
    m_send->setText(qrl::text(qrl::ids::kVorlSendToPrinter));
    m_fontList->setEnabled(true);
    const QString port = m_printer.GetPrinterPortName(m_printers->currentText());
    if (!port.isEmpty())
        m_port->setText(port);
}

void CVorlDownloader::updateButtons()
{
    const bool rows = m_list->topLevelItemCount() > 0;
    const bool selected = !m_list->selectedItems().isEmpty();
    m_remove->setEnabled(selected);
    m_modify->setEnabled(selected);
    m_send->setEnabled(rows);
}

void CVorlDownloader::onAdd()
{
    qrl::FileDialogRequest dialog;
    dialog.title = qrl::text(qrl::ids::kAddResourceTitle);
    dialog.filter = qrl::text(qrl::ids::kFontFileFilter);
    dialog.directory = qrl::context().directories.resources;
    dialog.mustExist = true;
    if (const std::optional<QStringList> paths = qrl::ui().openFileNames(dialog))
        addFiles(*paths);
}

void CVorlDownloader::addFiles(const QStringList& paths)
{
    m_list->clearSelection();
    for (const QString& path : paths) {
        if (qrl::isSharedFolderPath(path)) {
            showWarning(qrl::text(qrl::ids::kSharedFolderRefused));
            break;
        }
        FontDownloadRow row;
        if (!FontDownloadJob::IsPfbFile(path)) {
            FontDownloadJob::showNotPfbFile(path);
            continue;
        }
        if (!FontDownloadJob::ReadFontName(path, row)) {
            showWarning(QString::fromLatin1(kNoFontName));
            continue;
        }
        QString format = qrl::text(qrl::ids::kVorlTargetFormat);
        if (format.isEmpty())
            format = QStringLiteral("fonts/%s");
        auto* item = new QTreeWidgetItem(
            m_list, {row.fontName, qrl::formatText(format, {row.fontName}), path, row.fileSizeText});
        item->setSelected(true);
        m_list->scrollToItem(item);
    }
    updateButtons();
}

void CVorlDownloader::onRemove()
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    int lastIndex = -1;
    for (QTreeWidgetItem* item : selected)
        lastIndex = std::max(lastIndex, m_list->indexOfTopLevelItem(item));
    // Where the last removed row stands once the rows before it are gone.
    const int position = lastIndex - static_cast<int>(selected.size() - 1);
    qDeleteAll(selected);
    if (QTreeWidgetItem* next = m_list->topLevelItem(position)) {
        next->setSelected(true);
        m_list->scrollToItem(next);
    }
    updateButtons();
    m_list->setFocus();
}

void CVorlDownloader::applyTargetDirectory(const QString& folder)
{
    if (folder.isEmpty())
        return;
    for (QTreeWidgetItem* item : m_list->selectedItems())
        item->setText(1, folder + QLatin1Char('/') + item->text(0));
}

void CVorlDownloader::onModifyTarget()
{
    if (m_list->selectedItems().isEmpty())
        return;
    CVorlTargetDirectory dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        applyTargetDirectory(dialog.directoryName());
}

void CVorlDownloader::onContextMenu(const QPoint& position)
{
    if (!m_list->itemAt(position))
        return;
    QMenu menu(this);
    connect(menu.addAction(QStringLiteral("&Modify target directory name...")), &QAction::triggered, this,
            &CVorlDownloader::onModifyTarget);
    connect(menu.addAction(QStringLiteral("&Remove")), &QAction::triggered, this, &CVorlDownloader::onRemove);
    menu.exec(m_list->viewport()->mapToGlobal(position));
}

void CVorlDownloader::onSend()
{
    const FontDownloadRequest r = request();
    WaitCursor wait;
    if (toFile())
        qrl::fontdownload::saveToFile(r, qrl::context().directories.builds);
    else
        qrl::fontdownload::sendToPrinter(r, m_printer);
}

void CVorlDownloader::onPrintFontList()
{
    if (toFile())
        return;
    WaitCursor wait;
    qrl::fontdownload::sendFontList(request(), m_printer);
}
