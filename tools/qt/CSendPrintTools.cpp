#include "CSendPrintTools.h"

#include "CPrintToolDlg.h"
#include "CZenPrinter.h"
#include "DialogPlacement.h"
#include "FillPrinterComboBox.h"
#include "PrintingTextIds.h"
#include "StringTable.h"
#include "ToolRecord.h"
#include "UserInterface.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The pseudo-printer that writes the tools into a file instead of a printer queue.

QString section()
{
    return QString::fromLatin1(CSendPrintToolsSettings::kSection);
}

} // namespace

CSendPrintTools::CSendPrintTools(CPrintToolDlg& tools, QWidget* parent)
    : QDialog(parent), m_tools(tools), m_printer(std::make_unique<CZenPrinter>())
{
    const CSendPrintToolsSettings stored = CSendPrintToolsSettings::read();
    buildWidgets();
    qrl::restoreDialogPlacement(this, section());
    m_tarnwick->setChecked(stored.tarnwick);
    m_status->clear();
    fillPrinters(stored.printer);
    fillSelectedTools();
}

CSendPrintTools::~CSendPrintTools() = default;

void CSendPrintTools::run(CPrintToolDlg& tools)
{
    CSendPrintTools dialog(tools, &tools);
    dialog.exec();
}

void CSendPrintTools::buildWidgets()
{
    setObjectName(QStringLiteral("sendPrintToolsDialog"));
    setWindowTitle(QStringLiteral("Send Printer Tools"));

    m_printerBox = new QComboBox(this);
    m_printerBox->setObjectName(QStringLiteral("printerBox"));
    m_portLabel = new QLabel(this);
    m_portLabel->setObjectName(QStringLiteral("portLabel"));
    m_portLabel->setTextFormat(Qt::PlainText);
    m_tarnwick = new QCheckBox(QStringLiteral("Tarnwick Printer"), this);
    m_tarnwick->setObjectName(QStringLiteral("tarnwickCheck"));

    m_selected = new QListWidget(this);
    m_selected->setObjectName(QStringLiteral("selectedTools"));
    m_selected->setSelectionMode(QAbstractItemView::NoSelection);

    auto* statusGroup = new QGroupBox(QStringLiteral("Status"), this);
    m_status = new QLabel(statusGroup);
    m_status->setObjectName(QStringLiteral("statusLabel"));
    m_reason = new QLabel(statusGroup);
    m_reason->setObjectName(QStringLiteral("statusReasonLabel"));
    m_reason->setTextFormat(Qt::PlainText);
    m_reason->setWordWrap(true);
    auto* statusLayout = new QVBoxLayout(statusGroup);
    statusLayout->addWidget(m_status);
    statusLayout->addWidget(m_reason);

    auto* fileGroup = new QGroupBox(QStringLiteral("File to send"), this);
    fileGroup->setObjectName(QStringLiteral("fileGroup"));
    m_fileGroup = fileGroup;
    m_fileName = new QLabel(fileGroup);
    m_fileName->setObjectName(QStringLiteral("fileNameLabel"));
    m_fileName->setTextFormat(Qt::PlainText);
    m_fileName->setWordWrap(true);
    (new QVBoxLayout(fileGroup))->addWidget(m_fileName);

    auto* sendButton = new QPushButton(QStringLiteral("&Send Now"), this);
    sendButton->setObjectName(QStringLiteral("sendNowButton"));
    auto* exitButton = new QPushButton(QStringLiteral("&Exit"), this);
    exitButton->setObjectName(QStringLiteral("exitButton"));
    // Enter sends nothing by accident; sending is always a press of "&Send Now".
    sendButton->setAutoDefault(false);
    exitButton->setAutoDefault(false);

    auto* printerLayout = new QGridLayout;
    printerLayout->addWidget(m_printerBox, 0, 0, 1, 2);
    printerLayout->addWidget(new QLabel(QStringLiteral("Port :"), this), 1, 0);
    printerLayout->addWidget(m_portLabel, 1, 1);
    printerLayout->addWidget(m_tarnwick, 2, 0, 1, 2);
    printerLayout->setColumnStretch(1, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(sendButton);
    buttons->addWidget(exitButton);
    buttons->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(printerLayout, 1);
    top->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(new QLabel(QStringLiteral("Selected Tools:"), this));
    layout->addWidget(m_selected, 1);
    layout->addWidget(fileGroup);
    layout->addWidget(statusGroup);

    connect(sendButton, &QPushButton::clicked, this, [this] { sendNow(); });
    connect(exitButton, &QPushButton::clicked, this, &QDialog::reject);
}

void CSendPrintTools::fillPrinters(const QString& saved)
{
    m_printerBox->clear();
    m_printerBox->addItem(qrl::text(qrl::ids::kFilePrinter));
    m_printerBox->setCurrentIndex(0);
    // A spooler that cannot be asked leaves only "FILE:", after a message that says why.
    FillPrinterComboBox(*m_printer, m_printerBox);
    const int found =
        saved.isEmpty() ? -1 : m_printerBox->findText(saved, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found >= 0)
        m_printerBox->setCurrentIndex(found);
    printerChanged(m_printerBox->currentIndex());
    connect(m_printerBox, &QComboBox::currentIndexChanged, this, &CSendPrintTools::printerChanged);
}

void CSendPrintTools::printerChanged(int index)
{
    m_port.clear();
    m_printerName = index >= 0 ? m_printerBox->itemText(index) : QString();
    if (m_printerName == qrl::text(qrl::ids::kFilePrinter))
        m_port = QString::fromLatin1(ToolSender::kFilePort);
    else if (!m_printerName.isEmpty())
        m_port = m_printer->GetPrinterPortName(m_printerName);
    m_portLabel->setText(m_port);
}

void CSendPrintTools::fillSelectedTools()
{
    m_selected->clear();
    m_selected->addItems(m_tools.checkedToolNames());
    bool sendsFile = false;
    for (const int tool : m_tools.checkedTools()) {
        // Each formatting tool warns once; the warnings stop nothing.
        const int warning = qrl::sendtools::formatWarningId(m_tools.tools().GetToolName(tool));
        if (warning != 0)
            qrl::ui().message(qrl::text(warning), qrl::Buttons::Ok, qrl::Icon::Information);
        sendsFile = sendsFile || m_tools.tools().kind(tool) == kToolSendFile;
    }
    m_fileName->setText(sendsFile ? m_tools.chosenFile() : QString());
    m_fileGroup->setVisible(sendsFile);
}

bool CSendPrintTools::sendNow()
{
    m_status->setText(qrl::text(qrl::sendtools::sendingTextId()));
    m_reason->clear();
    // Without any printer to choose there is nothing to send to.
    const bool sent =
        !m_printerName.isEmpty() && m_tools.SendTools(m_printerName, m_port, m_tarnwick->isChecked() ? 1 : 0);
    m_status->setText(qrl::text(qrl::sendtools::resultTextId(sent)));
    m_reason->setText(sent ? m_tools.sender().waitingNote() : m_tools.sender().lastReason());
    return sent;
}

CSendPrintToolsSettings CSendPrintTools::settings() const
{
    return {m_printerName, m_tarnwick->isChecked()};
}

void CSendPrintTools::done(int result)
{
    CSendPrintToolsSettings::write(settings());
    qrl::saveDialogPlacement(this, section());
    QDialog::done(result);
}
