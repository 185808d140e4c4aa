#include "CFileLocationOptionsPropPage.h"

#include "CFileLocationModifyDlg.h"
#include "ColumnWidths.h"
#include "CommandIds.h"
#include "DialogsTextIds.h"
#include "KindIcons.h"
#include "StringTable.h"
#include "ToolbarIcons.h"
#include "UserInterface.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace qrl::filelocations;

namespace {

constexpr int kIconSize = 16;

QIcon rowIcon(RowIcon icon)
{
    switch (icon) {
    case RowIcon::Font:
        return QIcon(qrl::icons::kindImage(0, kIconSize));
    case RowIcon::Macro:
        return QIcon(qrl::icons::kindImage(1, kIconSize));
    case RowIcon::Form:
        return QIcon(qrl::icons::kindImage(2, kIconSize));
    case RowIcon::Program:
        return QIcon(qrl::icons::kindImage(3, kIconSize));
    case RowIcon::Project:
        return qrl::icons::toolbarIcon(qrl::cmd::kFileNew);
    case RowIcon::Build:
        return qrl::icons::toolbarIcon(qrl::cmd::kBuild);
    case RowIcon::Resources:
        return qrl::icons::toolbarIcon(qrl::cmd::kAddResource);
    }
    return {};
}

} // namespace

CFileLocationOptionsPropPage::CFileLocationOptionsPropPage(qrl::AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context), m_directories(fromContext(context))
{
    setWindowTitle(sectionName());
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("locationList"));
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setHeaderLabels({qrl::text(qrl::ids::kFileTypeColumn), qrl::text(qrl::ids::kLocationColumn)});
    m_list->setColumnWidth(0, storedTypeWidth(context));
    m_list->setColumnWidth(1, storedLocationWidth(context));
    for (int row = 0; row < kRowCount; ++row) {
        auto* item = new QTreeWidgetItem(m_list);
        item->setIcon(0, rowIcon(rowInfo(row).icon));
        item->setText(0, QString::fromLatin1(rowInfo(row).name));
        item->setText(1, m_directories[static_cast<std::size_t>(row)]);
    }
    // The kinds' names whole; the locations' column stretches to the list's edge.
    qrl::widenColumnToTexts(m_list, 0);
    m_modify = new QPushButton(QStringLiteral("&Modify..."), this);
    m_modify->setObjectName(QStringLiteral("modifyButton"));
    m_modify->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(m_modify, 0, Qt::AlignRight);

    m_modifyDialog = [this](const QString& rowName, const QString& directory) -> std::optional<QString> {
        QString result = directory;
        CFileLocationModifyDlg dialog(rowName, &result, this);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return result;
    };
    connect(m_list, &QTreeWidget::itemSelectionChanged, this,
            [this] { m_modify->setEnabled(selectedRow() >= 0); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &CFileLocationOptionsPropPage::onModify);
    connect(m_modify, &QPushButton::clicked, this, &CFileLocationOptionsPropPage::onModify);
}

int CFileLocationOptionsPropPage::selectedRow() const
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.first());
}

void CFileLocationOptionsPropPage::onModify()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const std::optional<QString> directory =
        m_modifyDialog(QString::fromLatin1(rowInfo(row).name), m_directories[static_cast<std::size_t>(row)]);
    if (!directory)
        return;
    m_directories[static_cast<std::size_t>(row)] = *directory;
    m_list->topLevelItem(row)->setText(1, *directory);
    emit modified();
}

bool CFileLocationOptionsPropPage::validate()
{
    const std::optional<Fault> fault = findFault(m_directories);
    if (!fault)
        return true;
    qrl::ui().message(fault->message, qrl::Buttons::Ok, qrl::Icon::Information);
    m_list->setCurrentItem(m_list->topLevelItem(fault->row));
    return false;
}

bool CFileLocationOptionsPropPage::apply()
{
    if (!validate())
        return false;
    return qrl::filelocations::apply(m_context, m_directories, m_list->columnWidth(0),
                                     m_list->columnWidth(1));
}
