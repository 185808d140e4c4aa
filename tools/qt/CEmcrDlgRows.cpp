// The assigner list of the EMCR creator: its columns and rows, and the commands on a row.
#include "CEmcrDlg.h"
#include "ToolsTextIds.h"

#include "CEmcrItemDlg.h"
#include "StringTable.h"

#include <QMenu>
#include <QTreeWidget>

namespace {

constexpr int kSideColumnWidth = 90;

// The assigner's columns without duplex, in order; "Print Side" stands after the first with it.
struct Column {
    int textId;
    int width;
};
constexpr Column kColumns[] = {{qrl::ids::kEmcrSourceColumn, 130},
                               {qrl::ids::kEmcrMacroColumn, 65},
                               {qrl::ids::kEmcrParametersColumn, 160},
                               {qrl::ids::kEmcrRepeatColumn, 110}};
constexpr int kSourceColumn = 0;
constexpr int kMacroColumn = 1;
constexpr int kParametersColumn = 2;
constexpr int kRepeatColumn = 3;

} // namespace

int CEmcrDlg::column(int withoutDuplex) const
{
    return withoutDuplex == kSourceColumn || !m_job.duplex ? withoutDuplex : withoutDuplex + 1;
}

void CEmcrDlg::rebuildAssigner()
{
    m_assigner->clear();
    QStringList headers;
    for (const Column& c : kColumns)
        headers.append(qrl::text(c.textId));
    if (m_job.duplex)
        headers.insert(1, qrl::text(qrl::ids::kEmcrSideColumn));
    m_assigner->setHeaderLabels(headers);
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i)
        m_assigner->setColumnWidth(column(i), kColumns[i].width);
    if (m_job.duplex)
        m_assigner->setColumnWidth(1, kSideColumnWidth);
    for (int row = 0; row < qrl::emcr::rowCount(m_job.duplex); ++row) {
        new QTreeWidgetItem(m_assigner);
        showRow(row);
    }
    selectRow(0);
}

void CEmcrDlg::showRow(int row)
{
    QTreeWidgetItem* item = m_assigner->topLevelItem(row);
    if (!item)
        return;
    const EmcrAssignment& a =
        m_job.assignments[static_cast<std::size_t>(qrl::emcr::slotOfRow(row, m_job.duplex))];
    item->setText(kSourceColumn, qrl::emcr::sourceName(qrl::emcr::sourceOfRow(row, m_job.duplex)));
    if (m_job.duplex)
        item->setText(1, qrl::emcr::sideName(qrl::emcr::sideOfRow(row, true)));
    item->setText(column(kMacroColumn), a.macro);
    item->setText(column(kParametersColumn), a.parameters);
    item->setText(column(kRepeatColumn), a.repeatCount);
}

int CEmcrDlg::selectedRow() const
{
    const int row = m_assigner->indexOfTopLevelItem(m_assigner->currentItem());
    return row >= 0 && row < qrl::emcr::rowCount(m_job.duplex) ? row : 0;
}

void CEmcrDlg::selectRow(int row)
{
    if (QTreeWidgetItem* item = m_assigner->topLevelItem(row)) {
        m_assigner->setCurrentItem(item);
        item->setSelected(true);
    }
}

void CEmcrDlg::onDuplexToggled(bool on)
{
    // Back-side assignments stay in the slots while duplex is off and show again when it is on.
    m_job.duplex = on;
    rebuildAssigner();
}

void CEmcrDlg::assignRow(int row)
{
    auto& slot = m_job.assignments[static_cast<std::size_t>(qrl::emcr::slotOfRow(row, m_job.duplex))];
    CEmcrItemDlg dialog(row, m_job.duplex, m_macroNames, slot, this);
    if (dialog.exec() == QDialog::Accepted) {
        slot = dialog.assignment();
        showRow(row);
    }
    selectRow(row);
}

void CEmcrDlg::clearRow(int row)
{
    m_job.assignments[static_cast<std::size_t>(qrl::emcr::slotOfRow(row, m_job.duplex))] = {};
    showRow(row);
}

std::unique_ptr<QMenu> CEmcrDlg::contextMenu(int row)
{
    QString where = qrl::emcr::sourceName(qrl::emcr::sourceOfRow(row, m_job.duplex));
    if (m_job.duplex)
        where += QStringLiteral(" - ") + qrl::emcr::sideName(qrl::emcr::sideOfRow(row, true));
    const QString suffix = QStringLiteral(" (") + where + QStringLiteral(" )");
    auto menu = std::make_unique<QMenu>(this);
    menu->addAction(qrl::text(qrl::ids::kEmcrModify) + suffix, this, [this, row] { assignRow(row); });
    menu->addAction(qrl::text(qrl::ids::kEmcrClear) + QLatin1Char(' ') + suffix, this,
                    [this, row] { clearRow(row); });
    return menu;
}

void CEmcrDlg::onContextMenu(const QPoint& position)
{
    QTreeWidgetItem* item = m_assigner->itemAt(position);
    if (!item)
        return;
    const int row = m_assigner->indexOfTopLevelItem(item);
    selectRow(row);
    contextMenu(row)->exec(m_assigner->viewport()->mapToGlobal(position));
}
