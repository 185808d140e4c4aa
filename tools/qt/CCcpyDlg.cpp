#include "CCcpyDlg.h"

#include "AppContext.h"
#include "CProjItem.h"
#include "CQuorlyn32Doc.h"
#include "CcpyFileNames.h"
#include "CcpyOptions.h"
#include "CcpyPageRules.h"
#include "CcpyWriter.h"
#include "ColumnWidths.h"
#include "DialogPlacement.h"
#include "DuplexControls.h"
#include "ResourceTypes.h"
#include "StringTable.h"
#include "ToolsTextIds.h"
#include "UserInterface.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

struct Column {
    const char* text;
    int width;
};

constexpr Column kMacroColumns[] = {{"Macro Name", 85}, {"File Name", 490}};
constexpr Column kPageColumns[] = {{"Page", 38},       {"Cassette", 130},       {"Overlay", 65},
                                   {"Resolution", 65}, {"Data / Overlay", 110}, {"Stack", 120},
                                   {"Print Side", 90}};
constexpr int kPrintSideColumn = 6;

template <std::size_t N>
QTreeWidget* makeList(QWidget* parent, const char* objectName, const Column (&columns)[N])
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QString::fromLatin1(objectName));
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setColumnCount(static_cast<int>(N));
    QStringList labels;
    for (const Column& c : columns)
        labels.append(QString::fromLatin1(c.text));
    list->setHeaderLabels(labels);
    for (std::size_t i = 0; i < N; ++i)
        list->setColumnWidth(static_cast<int>(i), columns[i].width);
    return list;
}

// The page list's columns open wide enough for every entry a page can show in them.
void widenPageColumns(QTreeWidget* list)
{
    const QStringList entries[] = {
        {QStringLiteral("999")},
        qrl::ccpy::cassetteEntries(),
        {},
        qrl::ccpy::resolutionEntries(),
        qrl::ccpy::dataOverlayEntries(),
        qrl::ccpy::stackEntries(),
        {qrl::text(qrl::ids::kCcpyFront), qrl::text(qrl::ids::kCcpyBack), qrl::text(qrl::ids::kCcpyNone)},
    };
    for (int column = 0; column < list->columnCount(); ++column)
        qrl::widenColumnToTexts(list, column, entries[column]);
}

void setLeastWidth(QTreeWidget* list)
{
    int total = 0;
    for (int column = 0; column < list->columnCount(); ++column)
        total += list->columnWidth(column);
    // The creator is never narrower than its lists' columns, the duplex column included, so that a
    // page's settings are read without scrolling sideways.
    list->setMinimumWidth(total + 2 * list->frameWidth() +
                          list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list));
}

QGroupBox* group(QWidget* parent, const char* title, QWidget* content)
{
    auto* box = new QGroupBox(QString::fromLatin1(title), parent);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(content);
    return box;
}

QPushButton* button(QWidget* parent, const char* text, const char* objectName)
{
    auto* b = new QPushButton(QString::fromLatin1(text), parent);
    b->setObjectName(QString::fromLatin1(objectName));
    return b;
}

} // namespace

CCcpyDlg::CCcpyDlg(CQuorlyn32Doc& document, QWidget* parent) : QDialog(parent), m_document(document)
{
    setObjectName(QStringLiteral("ccpyCreatorDialog"));
    setWindowTitle(QStringLiteral("Multi-Part Form Creator"));
    m_options = qrl::ccpy::options::creatorMask();
    createControls();
    fillMacroList();
    showPages(-1);
    qrl::restoreDialogPlacement(this, QString::fromLatin1(kPlacementSection));
}

bool CCcpyDlg::run(QWidget* parent, CQuorlyn32Doc& document, QString& enablePath, QString& disablePath)
{
    CCcpyDlg dialog(document, parent);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    enablePath = accepted ? dialog.enablePath() : QString();
    disablePath = accepted ? dialog.disablePath() : QString();
    return accepted && !enablePath.isEmpty() && !disablePath.isEmpty();
}

void CCcpyDlg::createControls()
{
    m_macroList = makeList(this, "macroList", kMacroColumns);
    qrl::widenColumnToTexts(m_macroList, 0);
    setLeastWidth(m_macroList);
    m_pageList = makeList(this, "pageList", kPageColumns);
    widenPageColumns(m_pageList);
    setLeastWidth(m_pageList);
    m_pageList->setColumnHidden(kPrintSideColumn, true);
    connect(m_pageList, &QTreeWidget::itemSelectionChanged, this, &CCcpyDlg::onSelectionChanged);

    const DuplexControls duplex = makeDuplexControls(this, m_job.longEdge);
    connect(duplex.duplex, &QCheckBox::toggled, this, &CCcpyDlg::onDuplexToggled);

    m_addPage = button(this, "&Add page...", "addPageButton");
    m_deletePage = button(this, "&Delete page", "deletePageButton");
    m_ok = button(this, "Add &to project...", "okButton");
    m_ok->setDefault(true);
    QPushButton* cancel = button(this, "&Cancel", "cancelButton");
    m_deletePage->setEnabled(false);
    m_ok->setEnabled(false);
    connect(m_addPage, &QPushButton::clicked, this, &CCcpyDlg::onAddPage);
    connect(m_deletePage, &QPushButton::clicked, this, &CCcpyDlg::onDeletePage);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* bindingBox = new QGroupBox(QStringLiteral("Binding Type for Duplex Printing "), this);
    auto* bindingLayout = new QVBoxLayout(bindingBox);
    bindingLayout->addWidget(duplex.longEdge);
    bindingLayout->addWidget(duplex.shortEdge);
    auto* duplexRow = new QHBoxLayout;
    duplexRow->addWidget(group(this, "Duplex Printing", duplex.duplex));
    duplexRow->addWidget(bindingBox);
    auto* pageButtons = new QHBoxLayout;
    pageButtons->addWidget(m_addPage);
    pageButtons->addWidget(m_deletePage);
    pageButtons->addStretch();
    auto* pagesBox = new QGroupBox(QStringLiteral("Multi-Part Form"), this);
    auto* pagesLayout = new QVBoxLayout(pagesBox);
    pagesLayout->addWidget(m_pageList);
    pagesLayout->addLayout(pageButtons);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group(this, "Tellurade Macros in Active Project", m_macroList), 1);
    layout->addLayout(duplexRow);
    layout->addWidget(pagesBox, 2);
    layout->addLayout(buttons);
}

void CCcpyDlg::fillMacroList()
{
    for (int i = 0; i < m_document.GetItemCount(); ++i) {
        const CProjItem* item = m_document.GetItemAt(i);
        if (!item || item->subtype() != kTelluradeMacro)
            continue;
        m_overlays.push_back({QByteArray::fromStdString(item->record().name), item->GetName()});
        auto* row = new QTreeWidgetItem(m_macroList, {item->GetName(), item->GetPath()});
        row->setTextAlignment(0, Qt::AlignHCenter);
    }
}

void CCcpyDlg::showPages(int selectRow)
{
    m_pageList->clear();
    for (int row = 0; row < static_cast<int>(m_job.pages.size()); ++row)
        appendRow(row);
    m_pageList->setColumnHidden(kPrintSideColumn, !m_job.duplex);
    if (selectRow >= 0 && selectRow < m_pageList->topLevelItemCount())
        m_pageList->setCurrentItem(m_pageList->topLevelItem(selectRow));
    onSelectionChanged();
}

void CCcpyDlg::appendRow(int row)
{
    const CcpyPage& p = m_job.pages[static_cast<std::size_t>(row)];
    const QString side =
        qrl::text(qrl::ccpy::isBackSide(m_job, row) ? qrl::ids::kCcpyBack : qrl::ids::kCcpyFront);
    new QTreeWidgetItem(m_pageList, {QString::number(row + 1), p.cassetteText, p.overlayText,
                                     p.resolutionText, p.dataOverlayText, p.stackText, side});
}

void CCcpyDlg::onDuplexToggled(bool on)
{
    m_job.duplex = on;
    qrl::ccpy::applyBackSideRule(m_job);
    showPages(m_pageList->indexOfTopLevelItem(m_pageList->currentItem()));
}

void CCcpyDlg::addPage(const CcpyPage& page)
{
    m_job.pages.push_back(page);
    const int row = static_cast<int>(m_job.pages.size()) - 1;
    appendRow(row);
    m_pageList->setCurrentItem(m_pageList->topLevelItem(row));
    onSelectionChanged();
}

void CCcpyDlg::onAddPage()
{
    const int row = static_cast<int>(m_job.pages.size());
    if (row >= CcpyJob::kMaxPages) {
        qrl::ui().message(qrl::text(qrl::ids::kCcpyTooManyPages), qrl::Buttons::Ok, qrl::Icon::Warning);
        return;
    }
    const CcpyPage* front =
        qrl::ccpy::isBackSide(m_job, row) ? &m_job.pages[static_cast<std::size_t>(row - 1)] : nullptr;
    CCcpyItemDlg page(row + 1, m_job.duplex, m_overlays, front, this);
    if (page.exec() == QDialog::Accepted)
        addPage(page.page());
}

void CCcpyDlg::onDeletePage()
{
    const int row = m_pageList->indexOfTopLevelItem(m_pageList->currentItem());
    if (row < 0)
        return;
    qrl::ccpy::removePage(m_job, row);
    qrl::ccpy::applyBackSideRule(m_job);
    showPages(m_job.pages.empty() ? -1 : 0);
    if (m_job.pages.empty()) {
        m_ok->setEnabled(false);
        m_addPage->setFocus();
    }
}

void CCcpyDlg::onSelectionChanged()
{
    const bool selected = !m_pageList->selectedItems().isEmpty();
    m_deletePage->setEnabled(selected);
    if (selected)
        m_ok->setEnabled(true);
}

void CCcpyDlg::accept()
{
    if (m_job.pages.empty()) {
        qrl::ui().message(qrl::text(qrl::ids::kCcpyNoPage), qrl::Buttons::Ok, qrl::Icon::Information);
        return;
    }
    CcpyJob job = m_job;
    job.options = m_options;
    job.versionText = qrl::context().fileVersionText;
    job.time = QDateTime::currentDateTime();
    CcpyWriter writer(std::move(job));
    const QString directory =
        qrl::ccpy::proposalDirectory(qrl::context().directories.forms, m_document.GetDocumentDirectory());
    m_enablePath.clear();
    m_disablePath.clear();
    if (!writer.askEnablePath(directory))
        return;
    if (!writer.BuildCcpyEnableFile()) {
        reject();
        return;
    }
    if (!writer.WriteCcpyDisableFile(directory))
        return; // the enable file stays; the next attempt proposes the next free name
    m_enablePath = writer.enablePath();
    m_disablePath = writer.disablePath();
    savePlacement();
    QDialog::accept();
}

void CCcpyDlg::reject()
{
    m_enablePath.clear();
    m_disablePath.clear();
    savePlacement();
    QDialog::reject();
}

void CCcpyDlg::savePlacement() const
{
    qrl::saveDialogPlacement(this, QString::fromLatin1(kPlacementSection));
}
