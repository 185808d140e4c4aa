#pragma once

#include "CPrintToolArray.h"
#include "CToolDataFile.h"
#include "CallMacroCommand.h"
#include "PrintToolsData.h"
#include "PrintToolsOptions.h"
#include "ToolSender.h"

#include <QDialog>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// "Printer Tools": every tool as a row with a check box; the checked rows are sent by the send
// dialog through SendTools. Rows 0 to 14 are the fixed tools, rows 15 and on custom macros that
// can be added, renamed and deleted. The CALL values, the last file to send and the custom macros
// are read from the tool data file when the dialog is built and written by "&Save\nchanges".
// Each list row carries the index of its record in the tool table (Qt::UserRole); a deleted row's
// record stays in the table and is neither saved nor sent.
class CPrintToolDlg : public QDialog {
    Q_OBJECT
public:
    // `location`: where the tool data file is; nothing for the program's own.
    explicit CPrintToolDlg(QWidget* parent = nullptr, std::optional<CToolDataFile::Location> location = {});
    ~CPrintToolDlg() override;

    // Sends every checked row (ToolSender::SendTools); called by the send dialog.
    bool SendTools(const QString& printerName, const QString& portName, int tarnwick);
    // One file as a job of its own to the printer of the last send.
    bool SendOneFile(const QString& path);
    // Gives the custom tool behind list row `row` a new text; used by the macro editor.
    void SetCustomText(int row, std::optional<QByteArray> text);
    // The text of the custom tool of the selected row; false when the row is no custom tool.
    bool FindCustomText(QByteArray& text) const;

    // Every list row's record name is compared, without regard to case, with those of the rows
    // below it; at the first equal pair the name and string kToolNameTaken are shown, the lower row is
    // selected and the check fails.
    bool CheckDuplicateNames();
    // "&Save\nchanges": after the duplicate-name check, writes the tool data file.
    bool SaveChanges();
    // A double-click or Enter on a row: 13 the call-macro dialog, 14 the file chooser, 15 and
    // on the macro editor (after the duplicate-name check); other rows do nothing.
    void activateRow(int row);

    int selectedRow() const;
    // The table indices of the checked rows, in list order, and their names.
    std::vector<int> checkedTools() const;
    QStringList checkedToolNames() const;
    const CPrintToolArray& tools() const { return m_tools; }
    CallMacroParams& callMacroParams() { return m_call; }
    // The path chosen for "Send a file" in this run; empty while none is.
    QString chosenFile() const;
    bool hasDataFile() const { return m_dataFile != nullptr; }
    const ToolSender& sender() const { return m_sender; }

    // The values behind the widgets: what "&Save\nchanges" writes, and the options stored when
    // the dialog closes.
    PrintToolsData toolData() const;
    PrintToolsOptions options() const;

    // Stores the window placement and the options, then closes.
    void done(int result) override;

protected:
    // The dialogs opened from here that come with their own code. Each does nothing yet.
    virtual void openSendDialog();
    virtual void openCallMacroDialog();
    virtual void openMacroEditor(int row);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWidgets();
    void fillList(const std::vector<PrintToolsData::Macro>& macros);
    QListWidgetItem* appendRow(int tool);
    int toolOfRow(int row) const;
    void rowSelected(int row);
    void updateSendButton();
    void addCustomMacro();
    void deleteCustomMacro();
    void renameCustomMacro(const QString& name);
    void chooseFileToSend();
    bool showToolTip(const QPoint& position, const QPoint& globalPosition);

    std::unique_ptr<CToolDataFile> m_dataFile;
    CPrintToolArray m_tools;
    CallMacroParams m_call;
    // The last path saved or chosen; the chooser starts with it and Save writes it.
    QString m_pathBuffer;
    ToolSender m_sender;
    bool m_toolTips = false;

    QListWidget* m_list = nullptr;
    QLabel* m_fileName = nullptr;
    QLineEdit* m_nameEdit = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_sendButton = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QCheckBox* m_toolTipsCheck = nullptr;
};
