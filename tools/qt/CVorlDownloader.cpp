#include "CVorlDownloader.h"

#include "AppContext.h"
#include "DialogPlacement.h"
#include "FillPrinterComboBox.h"
#include "StringTable.h"
#include "ToolsTextIds.h"
#include "VorlDownloaderOptions.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kColumnTitleIds[VorlDownloaderSettings::kColumnCount] = {
    qrl::ids::kVorlFontNameColumn, qrl::ids::kVorlTargetFileColumn, qrl::ids::kVorlLocalFileColumn,
    qrl::ids::kVorlLocalSizeColumn};

QPushButton* button(const char* text, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(QString::fromLatin1(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

CVorlDownloader::CVorlDownloader(QWidget* parent, qrl::Spooler* spooler) : QDialog(parent), m_printer(spooler)
{
    setWindowTitle(QStringLiteral("Vorl Font Downloader"));
    createControls();
    // The size of a first opening; a stored placement replaces it.
    resize(760, 440);
    loadSettings();
}

void CVorlDownloader::run(QWidget* parent)
{
    CVorlDownloader dialog(parent);
    dialog.exec();
}

void CVorlDownloader::createControls()
{
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("fontList"));
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    QStringList titles;
    for (const int id : kColumnTitleIds)
        titles.append(qrl::text(id));
    m_list->setHeaderLabels(titles);

    m_add = button("&Add...", "addButton", this);
    m_modify = button("&Modify target directory name", "modifyTargetButton", this);
    m_remove = button("R&emove", "removeButton", this);

    auto* mediumGroup = new QGroupBox(QStringLiteral("Medium in Printer"), this);
    auto* compactFlash = new QRadioButton(QStringLiteral("&Compact Flash"), mediumGroup);
    compactFlash->setObjectName(QStringLiteral("compactFlashRadio"));
    auto* hardDisk = new QRadioButton(QStringLiteral("&Hard Disk / Micro Drive"), mediumGroup);
    hardDisk->setObjectName(QStringLiteral("hardDiskRadio"));
    m_media = new QButtonGroup(this);
    m_media->addButton(compactFlash, 0);
    m_media->addButton(hardDisk, 1);
    auto* mediumLayout = new QVBoxLayout(mediumGroup);
    mediumLayout->addWidget(compactFlash);
    mediumLayout->addWidget(hardDisk);

    auto* printerGroup = new QGroupBox(QStringLiteral("Select Printe&r"), this);
    m_printers = new QComboBox(printerGroup);
    m_printers->setObjectName(QStringLiteral("printerCombo"));
    m_port = new QLabel(printerGroup);
    m_port->setObjectName(QStringLiteral("portLabel"));
    auto* printerLayout = new QGridLayout(printerGroup);
    printerLayout->addWidget(m_printers, 0, 0, 1, 2);
    printerLayout->addWidget(new QLabel(QStringLiteral("Port :"), printerGroup), 1, 0);
    printerLayout->addWidget(m_port, 1, 1);
    printerLayout->setColumnStretch(1, 1);

    m_send = button("&Send", "sendButton", this);
    m_fontList = button("Print &font list", "fontListButton", this);
    QPushButton* exitButton = button("E&xit", "exitButton", this);

    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(m_add);
    listButtons->addWidget(m_modify);
    listButtons->addWidget(m_remove);
    listButtons->addStretch();
    auto* choices = new QHBoxLayout;
    choices->addWidget(mediumGroup);
    choices->addWidget(printerGroup, 1);
    auto* actions = new QHBoxLayout;
    actions->addStretch();
    actions->addWidget(m_send);
    actions->addWidget(m_fontList);
    actions->addWidget(exitButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(listButtons);
    layout->addLayout(choices);
    layout->addLayout(actions);

    connect(m_add, &QPushButton::clicked, this, &CVorlDownloader::onAdd);
    connect(m_modify, &QPushButton::clicked, this, &CVorlDownloader::onModifyTarget);
    connect(m_remove, &QPushButton::clicked, this, &CVorlDownloader::onRemove);
    connect(m_send, &QPushButton::clicked, this, &CVorlDownloader::onSend);
    connect(m_fontList, &QPushButton::clicked, this, &CVorlDownloader::onPrintFontList);
    connect(exitButton, &QPushButton::clicked, this, &CVorlDownloader::reject);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CVorlDownloader::updateButtons);
    connect(m_list, &QTreeWidget::customContextMenuRequested, this, &CVorlDownloader::onContextMenu);
    connect(m_printers, &QComboBox::currentIndexChanged, this, &CVorlDownloader::applyPrinterChoice);
}

void CVorlDownloader::loadSettings()
{
    const VorlDownloaderSettings settings = VorlDownloaderSettings::load(qrl::context().versionChanged);
    qrl::restoreDialogPlacement(this, QString::fromLatin1(kPlacementSection));
    m_options = qrl::vorloptions::read();
    m_media->button(qrl::fontdownload::mediumValue(settings.mediumType))->setChecked(true);

    {
        // The combo is filled before its changes are followed: the choice is applied once, below.
        const QSignalBlocker blocker(m_printers);
        m_printers->addItem(qrl::text(qrl::ids::kVorlFilePrinter));
        FillPrinterComboBox(m_printer, m_printers);
        const int stored =
            settings.printer.isEmpty() ? -1 : m_printers->findText(settings.printer, Qt::MatchExactly);
        if (stored >= 0)
            m_printers->setCurrentIndex(stored);
    }
    for (int i = 0; i < VorlDownloaderSettings::kColumnCount; ++i)
        m_list->setColumnWidth(i, settings.columnWidths[i]);

    m_modify->setVisible((m_options & qrl::vorloptions::kAllowModifyTarget) != 0);
    m_fontList->setText(qrl::text((m_options & qrl::vorloptions::kFlstFontList)
                                      ? qrl::ids::kVorlPrintFontList
                                      : qrl::ids::kVorlPrintFontFileList));
    updateButtons();
    applyPrinterChoice();
}

void CVorlDownloader::reject()
{
    VorlDownloaderSettings settings;
    settings.printer = m_printers->currentText();
    settings.mediumType = qrl::fontdownload::mediumFromValue(m_media->checkedId());
    for (int i = 0; i < VorlDownloaderSettings::kColumnCount; ++i)
        settings.columnWidths[i] = m_list->columnWidth(i);
    settings.save();
    qrl::vorloptions::write(m_options);
    qrl::saveDialogPlacement(this, QString::fromLatin1(kPlacementSection));
    QDialog::reject();
}

FontDownloadRequest CVorlDownloader::request() const
{
    FontDownloadRequest r;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_list->topLevelItem(i);
        r.rows.append({item->text(0), item->text(1), item->text(2), item->text(3)});
    }
    r.mediumType = qrl::fontdownload::mediumFromValue(m_media->checkedId());
    r.options = m_options;
    r.printerName = m_printers->currentText();
    return r;
}

bool CVorlDownloader::toFile() const
{
    return m_printers->currentIndex() == 0 &&
           m_printers->currentText() == qrl::text(qrl::ids::kVorlFilePrinter);
}
