// The rows of the printer tools dialog: filling, selecting, checking, adding, renaming and
// deleting custom macros, activating a row, and the dialog's saving and sending.
#include "CPrintToolDlg.h"
#include "PlatformTextIds.h"
#include "ToolsTextIds.h"

#include "SingleByteText.h"
#include "StringTable.h"
#include "ToolDataImage.h"
#include "ToolDataText.h"
#include "UserInterface.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

const char* const kFileToSendTitle = "File to send";
const char* const kFileToSendFilter =
    "All Files (*.*)|*.*|Tellurade File (*.tlr)|*.tlr| PCL File (*.pcl)|*.pcl||";

} // namespace

void CPrintToolDlg::fillList(const std::vector<PrintToolsData::Macro>& macros)
{
    for (const PrintToolsData::Macro& macro : macros)
        m_tools.AddCustomTool(macro.name, macro.text);
    for (int tool = 0; tool < m_tools.size(); ++tool)
        appendRow(tool);
    m_deleteButton->setEnabled(false);
    m_nameEdit->setEnabled(false);
    m_list->setCurrentRow(0);
}

QListWidgetItem* CPrintToolDlg::appendRow(int tool)
{
    auto* item = new QListWidgetItem(m_tools.GetToolName(tool));
    item->setData(Qt::UserRole, tool);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    m_list->addItem(item);
    return item;
}

int CPrintToolDlg::toolOfRow(int row) const
{
    const QListWidgetItem* item = m_list->item(row);
    return item ? item->data(Qt::UserRole).toInt() : -1;
}

int CPrintToolDlg::selectedRow() const
{
    return m_list->currentRow();
}

void CPrintToolDlg::rowSelected(int row)
{
    const bool custom = row >= CPrintToolArray::kFirstCustomRow;
    m_deleteButton->setEnabled(custom);
    m_nameEdit->setEnabled(custom);
    m_nameEdit->setText(custom ? m_list->item(row)->text() : QString());
}

void CPrintToolDlg::updateSendButton()
{
    m_sendButton->setEnabled(!checkedTools().empty());
}

std::vector<int> CPrintToolDlg::checkedTools() const
{
    std::vector<int> tools;
    for (int row = 0; row < m_list->count(); ++row) {
        if (m_list->item(row)->checkState() == Qt::Checked)
            tools.push_back(toolOfRow(row));
    }
    return tools;
}

QStringList CPrintToolDlg::checkedToolNames() const
{
    QStringList names;
    for (const int tool : checkedTools())
        names.append(m_tools.GetToolName(tool));
    return names;
}

QString CPrintToolDlg::chosenFile() const
{
    const std::optional<QByteArray>& path = m_tools.text(CPrintToolArray::kSendFileRow);
    return path ? QFile::decodeName(*path) : QString();
}

void CPrintToolDlg::addCustomMacro()
{
    const int tool = m_tools.AddCustomTool(qrl::text(qrl::ids::kNewCustomMacro), std::nullopt);
    QListWidgetItem* item = appendRow(tool);
    m_list->setCurrentItem(item);
    m_list->scrollToItem(item);
}

void CPrintToolDlg::deleteCustomMacro()
{
    const int row = m_list->currentRow();
    if (row < CPrintToolArray::kFirstCustomRow)
        return;
    delete m_list->takeItem(row);
    m_list->setCurrentRow(row - 1);
    updateSendButton();
    if (row - 1 < CPrintToolArray::kFirstCustomRow)
        m_list->setFocus();
}

void CPrintToolDlg::renameCustomMacro(const QString& name)
{
    const int row = m_list->currentRow();
    if (row < CPrintToolArray::kFirstCustomRow)
        return;
    // Refused as typed: the name is stored and sent as single bytes.
    if (!qrl::singlebyte::fits(name)) {
        m_nameEdit->setText(m_tools.GetToolName(toolOfRow(row)));
        qrl::ui().message(qrl::text(qrl::ids::kNotLatin1), qrl::Buttons::Ok, qrl::Icon::Warning);
        return;
    }
    m_list->item(row)->setText(name);
    m_tools.SetToolName(toolOfRow(row), name);
}

bool CPrintToolDlg::CheckDuplicateNames()
{
    for (int upper = 0; upper < m_list->count(); ++upper) {
        const QString name = m_tools.GetToolName(toolOfRow(upper));
        for (int lower = upper + 1; lower < m_list->count(); ++lower) {
            if (name.compare(m_tools.GetToolName(toolOfRow(lower)), Qt::CaseInsensitive) != 0)
                continue;
            qrl::ui().message(m_tools.GetToolName(toolOfRow(lower)) + qrl::text(qrl::ids::kToolNameTaken));
            m_list->setCurrentRow(lower);
            return false;
        }
    }
    return true;
}

void CPrintToolDlg::activateRow(int row)
{
    if (row == CPrintToolArray::kCallMacroRow)
        openCallMacroDialog();
    else if (row == CPrintToolArray::kSendFileRow)
        chooseFileToSend();
    else if (row >= CPrintToolArray::kFirstCustomRow && CheckDuplicateNames())
        openMacroEditor(row);
}

void CPrintToolDlg::chooseFileToSend()
{
    qrl::FileDialogRequest request;
    request.title = QString::fromLatin1(kFileToSendTitle);
    request.filter = QString::fromLatin1(kFileToSendFilter);
    request.fileName = m_pathBuffer;
    request.overwritePrompt = false;
    request.mustExist = true;
    const std::optional<QString> chosen = qrl::ui().openFileName(request);
    if (!chosen || chosen->isEmpty())
        return;
    const QByteArray path = QFile::encodeName(*chosen);
    // The tool data file holds a path of limited length; a longer one is refused, never cut.
    if (path.size() > qrl::tooldata::kMaxPath) {
        qrl::ui().message(ToolDataImage::refusalText(ToolDataImage::Refusal::PathTooLong, path),
                          qrl::Buttons::Ok, qrl::Icon::Warning);
        return;
    }
    m_pathBuffer = *chosen;
    m_tools.SetToolText(CPrintToolArray::kSendFileRow, path);
    m_fileName->setText(*chosen);
}

void CPrintToolDlg::SetCustomText(int row, std::optional<QByteArray> text)
{
    const int tool = toolOfRow(row);
    if (tool >= 0 && m_tools.kind(tool) == kToolCustomMacro)
        m_tools.SetToolText(tool, std::move(text));
}

bool CPrintToolDlg::FindCustomText(QByteArray& text) const
{
    const int tool = toolOfRow(m_list->currentRow());
    if (tool < 0 || m_tools.kind(tool) != kToolCustomMacro)
        return false;
    text = m_tools.text(tool).value_or(QByteArray());
    return true;
}

PrintToolsData CPrintToolDlg::toolData() const
{
    PrintToolsData values{m_call, m_pathBuffer, {}};
    for (int row = 0; row < m_list->count(); ++row) {
        const int tool = toolOfRow(row);
        if (m_tools.kind(tool) == kToolCustomMacro)
            values.macros.push_back({m_tools.GetToolName(tool), m_tools.text(tool)});
    }
    return values;
}

bool CPrintToolDlg::SaveChanges()
{
    // Without a tool data file there is nothing to save to, and no file is made.
    if (!m_dataFile || !CheckDuplicateNames())
        return false;
    return savePrintToolsData(*m_dataFile, toolData());
}

bool CPrintToolDlg::SendTools(const QString& printerName, const QString& portName, int tarnwick)
{
    return m_sender.SendTools(checkedTools(), {printerName, portName, tarnwick != 0});
}

bool CPrintToolDlg::SendOneFile(const QString& path)
{
    return m_sender.SendOneFile(path);
}
