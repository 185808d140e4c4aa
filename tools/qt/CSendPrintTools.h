#pragma once

#include "CSendPrintToolsSettings.h"

#include <QDialog>

#include <memory>

class CPrintToolDlg;
class CZenPrinter;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;

// "Send Printer Tools": the second step of sending printer tools. Shows the tools checked in the
// printer tools dialog (warning once for each formatting tool among them), lets the user choose
// the printer ("FILE:" first, then the spooler's printers; the default one, else "FILE:", is
// chosen unless the profile names another that is listed) and whether it is of the Tarnwick
// family, and sends with the tools dialog's SendTools on "&Send Now". It stays open after
// sending, so the same selection can go to several printers; "&Exit" closes it. The chosen
// printer and the Tarnwick state are kept in the profile when it closes.
class CSendPrintTools : public QDialog {
    Q_OBJECT
public:
    // `tools` is not owned and outlives the dialog; the formatting warnings are shown here.
    explicit CSendPrintTools(CPrintToolDlg& tools, QWidget* parent = nullptr);
    ~CSendPrintTools() override;

    // Opens the dialog modally on `tools`.
    static void run(CPrintToolDlg& tools);

    // "&Send Now": shows "Sending....", sends, then shows whether all items were sent, with the
    // print system's reason for a failed send (or the state of the queue a job waits in) beneath.
    // With no printer to choose nothing is sent and "No items were sent" shows. Returns the result.
    bool sendNow();

    // The values behind the widgets: the printer chosen last and the Tarnwick box.
    CSendPrintToolsSettings settings() const;
    const QString& portName() const { return m_port; }

    // Stores the printer, the Tarnwick state and the window placement, then closes.
    void done(int result) override;

private:
    void buildWidgets();
    void fillPrinters(const QString& saved);
    void fillSelectedTools();
    void printerChanged(int index);

    CPrintToolDlg& m_tools;
    std::unique_ptr<CZenPrinter> m_printer;
    QString m_printerName;
    QString m_port;

    QComboBox* m_printerBox = nullptr;
    QLabel* m_portLabel = nullptr;
    QCheckBox* m_tarnwick = nullptr;
    QListWidget* m_selected = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_reason = nullptr;
    QWidget* m_fileGroup = nullptr;
    QLabel* m_fileName = nullptr;
};
