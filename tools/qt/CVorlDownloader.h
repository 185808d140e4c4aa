#pragma once

#include "FontDownloadSend.h"
#include "VorlDownloaderSettings.h"

#include "CZenPrinter.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

// "Vorl Font Downloader": a list of PostScript Type 1 fonts (PFB files), the medium of the printer
// and a printer; "Send" stores every listed font on that medium in one job, through the spooler or
// into a job file ("FILE:"), and "Print font list" sends the job that lists the stored fonts. The
// list lives only while the dialog is open; the printer, the medium, the column widths and the
// placement are kept in the profile section "Vorl Font Downloader".
class CVorlDownloader : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kPlacementSection = VorlDownloaderSettings::kSection;

    // `spooler`: not owned; nullptr means the program's.
    explicit CVorlDownloader(QWidget* parent = nullptr, qrl::Spooler* spooler = nullptr);

    // Runs the dialog modally over `parent` (the project window's font downloader command).
    static void run(QWidget* parent);

    // The list and the choices as they stand.
    FontDownloadRequest request() const;
    // Puts `folder` + "/" + the font name into the target of every selected row; an empty folder
    // changes nothing (what OK of the target directory dialog does).
    void applyTargetDirectory(const QString& folder);
    // Appends a row for each PFB file, with its messages for files that cannot be used; the new
    // rows end up selected. What OK of the add dialog does.
    void addFiles(const QStringList& paths);

    void reject() override;

private:
    void createControls();
    void loadSettings();
    void applyPrinterChoice();
    void updateButtons();
    void onAdd();
    void onRemove();
    void onModifyTarget();
    void onSend();
    void onPrintFontList();
    void onContextMenu(const QPoint& position);
    bool toFile() const;

    CZenPrinter m_printer;
    int m_options = 0;
    QTreeWidget* m_list = nullptr;
    QButtonGroup* m_media = nullptr;
    QComboBox* m_printers = nullptr;
    QLabel* m_port = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_modify = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_send = nullptr;
    QPushButton* m_fontList = nullptr;
};
