#include "CFileMapPropPage.h"

#include "DialogsTextIds.h"
#include "KindIcons.h"
#include "StringTable.h"
#include "TypeList.h"
#include "UserInterface.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTreeWidget>

#include <array>

using namespace qrl::filemap;

namespace {

constexpr int kIconSize = 16;
constexpr std::array<int, 3> kColumnWidths = {210, 65, 75};

} // namespace

CFileMapPropPage::CFileMapPropPage(CGlobalPrefs& prefs, QWidget* parent)
    : QWidget(parent), m_prefs(prefs), m_rows(rowsFromPrefs(prefs))
{
    setWindowTitle(QStringLiteral("File Mappings"));
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("mappingList"));
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setHeaderLabels({qrl::text(qrl::ids::kFileMapDescriptionColumn),
                             qrl::text(qrl::ids::kFileMapExtensionColumn),
                             qrl::text(qrl::ids::kFileMapTypeColumn)});
    for (int c = 0; c < 3; ++c)
        m_list->setColumnWidth(c, kColumnWidths[static_cast<std::size_t>(c)]);
    m_addNew = new QPushButton(QStringLiteral("Add &new"), this);
    m_addNew->setObjectName(QStringLiteral("addNewButton"));
    m_modify = new QPushButton(QStringLiteral("&Modify"), this);
    m_modify->setObjectName(QStringLiteral("modifyButton"));
    m_remove = new QPushButton(QStringLiteral("&Remove"), this);
    m_remove->setObjectName(QStringLiteral("removeButton"));
    m_descriptions = qrl::makeTypeList(this);
    m_descriptions->setObjectName(QStringLiteral("descriptionList"));
    m_extension = new QLineEdit(this);
    m_extension->setObjectName(QStringLiteral("extensionEdit"));
    m_extension->setMaxLength(kMaxExtensionLength);
    m_extension->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^;,]*")), m_extension));

    auto* descriptionLabel = new QLabel(QStringLiteral("&Description:"), this);
    descriptionLabel->setBuddy(m_descriptions);
    auto* extensionLabel = new QLabel(QStringLiteral("&Extension:"), this);
    extensionLabel->setBuddy(m_extension);
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_list, 0, 0, 1, 3);
    layout->addWidget(m_addNew, 1, 0);
    layout->addWidget(m_modify, 1, 1);
    layout->addWidget(m_remove, 1, 2);
    layout->addWidget(descriptionLabel, 2, 0);
    layout->addWidget(m_descriptions, 2, 1, 1, 2);
    layout->addWidget(extensionLabel, 3, 0);
    layout->addWidget(m_extension, 3, 1, 1, 2);

    m_mappingDialog = [this](QString& description, QString& extension, int listIndex,
                             CFileMapNewDlg::Mode mode) {
        QString typeWord;
        CFileMapNewDlg dialog(&description, &typeWord, &extension, listIndex, mode, this);
        dialog.setExtensionTaken(
            [this](const QString& typed) { return qrl::filemap::extensionTaken(m_rows, typed); });
        return dialog.exec() == QDialog::Accepted;
    };
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CFileMapPropPage::onSelectionChanged);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &CFileMapPropPage::onModify);
    connect(m_addNew, &QPushButton::clicked, this, &CFileMapPropPage::onAddNew);
    connect(m_modify, &QPushButton::clicked, this, &CFileMapPropPage::onModify);
    connect(m_remove, &QPushButton::clicked, this, &CFileMapPropPage::onRemove);
    connect(m_descriptions, &QComboBox::currentIndexChanged, this, &CFileMapPropPage::onDescriptionChanged);
    connect(m_extension, &QLineEdit::textEdited, this, &CFileMapPropPage::onExtensionEdited);

    fillList();
    selectRow(0);
    onSelectionChanged();
}

void CFileMapPropPage::fillList()
{
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        new QTreeWidgetItem(m_list);
        setItem(static_cast<int>(i));
    }
}

void CFileMapPropPage::setItem(int row)
{
    const Row& r = m_rows[static_cast<std::size_t>(row)];
    QTreeWidgetItem* item = m_list->topLevelItem(row);
    item->setIcon(0, QIcon(qrl::icons::kindImage(kindNumber(r.kind), kIconSize)));
    item->setText(0, r.description);
    item->setText(1, r.extension);
    item->setText(2, r.typeWord);
}

int CFileMapPropPage::selectedRow() const
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.first());
}

void CFileMapPropPage::selectRow(int row)
{
    if (row < 0 || row >= m_list->topLevelItemCount()) {
        m_list->clearSelection();
        return;
    }
    m_list->setCurrentItem(m_list->topLevelItem(row));
    m_list->topLevelItem(row)->setSelected(true);
}

void CFileMapPropPage::onSelectionChanged()
{
    const int row = selectedRow();
    m_modify->setEnabled(row >= 0);
    m_remove->setEnabled(row >= 0 && canRemove(row));
    if (row < 0)
        return;
    const Row& r = m_rows[static_cast<std::size_t>(row)];
    m_suppress = true;
    // A hand-edited description outside the nine names shows no entry rather than a wrong one.
    m_descriptions->setCurrentIndex(m_descriptions->findText(r.description, Qt::MatchExactly));
    m_extension->setText(r.extension);
    m_suppress = false;
    m_list->scrollToItem(m_list->topLevelItem(row));
}

QString CFileMapPropPage::descriptionFor(int row) const
{
    return m_descriptions->currentIndex() < 0 ? m_rows[static_cast<std::size_t>(row)].description
                                              : m_descriptions->currentText();
}

void CFileMapPropPage::onAddNew()
{
    QString description;
    QString extension;
    if (!m_mappingDialog(description, extension, qMax(0, m_descriptions->currentIndex()),
                         CFileMapNewDlg::kNew))
        return;
    if (!addRow(m_rows, description, extension)) {
        qrl::ui().message(extensionTakenMessage(), qrl::Buttons::Ok, qrl::Icon::Information);
        return;
    }
    new QTreeWidgetItem(m_list);
    setItem(static_cast<int>(m_rows.size()) - 1);
    selectRow(static_cast<int>(m_rows.size()) - 1);
    emit modified();
}

void CFileMapPropPage::onModify()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    QString description = descriptionFor(row);
    QString extension = m_extension->text();
    if (!m_mappingDialog(description, extension, qMax(0, m_descriptions->currentIndex()),
                         CFileMapNewDlg::kModify))
        return;
    // The type list of the dialog is disabled in modify mode: the description stays the page's.
    if (!modifyRow(m_rows, row, descriptionFor(row), extension)) {
        qrl::ui().message(extensionTakenMessage(), qrl::Buttons::Ok, qrl::Icon::Information);
        return;
    }
    setItem(row);
    m_suppress = true;
    m_extension->setText(extension);
    m_suppress = false;
    emit modified();
}

void CFileMapPropPage::onRemove()
{
    const int row = selectedRow();
    if (row < 0 || !canRemove(row))
        return;
    m_rows.erase(m_rows.begin() + row);
    delete m_list->takeTopLevelItem(row);
    selectRow(static_cast<int>(m_rows.size()) - 1);
    if (static_cast<int>(m_rows.size()) > kFixedRows)
        m_remove->setFocus();
    else
        m_addNew->setFocus();
    emit modified();
}

void CFileMapPropPage::onDescriptionChanged()
{
    const int row = selectedRow();
    if (m_suppress || row < 0 || !canRemove(row) || m_descriptions->currentIndex() < 0)
        return;
    setRowByType(m_rows[static_cast<std::size_t>(row)], m_descriptions->currentText(), m_extension->text());
    setItem(row);
    emit modified();
}

void CFileMapPropPage::onExtensionEdited(const QString& text)
{
    const int row = selectedRow();
    if (m_suppress || row < 0)
        return;
    m_rows[static_cast<std::size_t>(row)].extension = text;
    setItem(row);
    emit modified();
}

bool CFileMapPropPage::validate()
{
    const std::optional<Fault> fault = findFault(m_rows);
    if (!fault)
        return true;
    qrl::ui().message(fault->message, qrl::Buttons::Ok, qrl::Icon::Information);
    selectRow(fault->row);
    m_extension->setFocus();
    m_extension->selectAll();
    return false;
}

bool CFileMapPropPage::apply()
{
    // Every change is taken into the rows as it is made, so the rows are what the list shows.
    if (!validate())
        return false;
    return applyRows(m_prefs, m_rows);
}
