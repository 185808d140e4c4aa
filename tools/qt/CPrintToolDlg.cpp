#include "CPrintToolDlg.h"

#include "CCallMacroDlg.h"
#include "CMacroEditDlg.h"
#include "CSendPrintTools.h"
#include "DialogPlacement.h"
#include "StringTable.h"
#include "ToolDataText.h"
#include "ToolsTextIds.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>

namespace {

constexpr int kColumnWidth = 270;
constexpr int kListRows = 16;
const char* const kToolTipStyle = "QToolTip { background-color: rgb(225, 225, 128); color: black; }";

std::unique_ptr<CToolDataFile> openDataFile(const std::optional<CToolDataFile::Location>& location)
{
    bool ok = false;
    auto file =
        location ? std::make_unique<CToolDataFile>(*location, ok) : std::make_unique<CToolDataFile>(ok);
    return ok ? std::move(file) : nullptr;
}

QPushButton* makeButton(const char* text, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    // Enter never presses a button of this dialog: in the list it activates the selected row,
    // elsewhere it does nothing.
    button->setAutoDefault(false);
    return button;
}

} // namespace

CPrintToolDlg::CPrintToolDlg(QWidget* parent, std::optional<CToolDataFile::Location> location)
    : QDialog(parent), m_dataFile(openDataFile(location)), m_tools(m_dataFile && m_dataFile->created() != 0),
      m_sender(m_tools, m_call)
{
    PrintToolsData stored;
    if (m_dataFile)
        stored = loadPrintToolsData(*m_dataFile);
    m_call = stored.call;
    m_pathBuffer = stored.fileToSend;

    buildWidgets();
    qrl::restoreDialogPlacement(this, QString::fromLatin1(PrintToolsOptions::kPlacementSection));
    fillList(stored.macros);
    m_toolTips = PrintToolsOptions::read().toolTips;
    m_toolTipsCheck->setChecked(m_toolTips);
    updateSendButton();
    m_fileName->clear();
}

CPrintToolDlg::~CPrintToolDlg() = default;

void CPrintToolDlg::buildWidgets()
{
    setWindowTitle(QStringLiteral("Printer Tools"));
    setStyleSheet(QString::fromLatin1(kToolTipStyle));

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("toolList"));
    m_list->setAccessibleName(qrl::text(qrl::ids::kPrintToolListName));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMinimumWidth(kColumnWidth + m_list->frameWidth() * 2 + 20);
    m_list->setMinimumHeight(m_list->fontMetrics().height() * kListRows);
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);

    auto* closeButton = makeButton("&Close", "closeButton", this);
    m_saveButton = makeButton("&Save\nchanges", "saveButton", this);
    m_sendButton = makeButton("Send to\n &printer...", "sendButton", this);
    m_saveButton->setEnabled(m_dataFile != nullptr);

    auto* fileGroup = new QGroupBox(QStringLiteral("File to send"), this);
    fileGroup->setObjectName(QStringLiteral("fileGroup"));
    m_fileName = new QLabel(fileGroup);
    m_fileName->setObjectName(QStringLiteral("fileNameLabel"));
    m_fileName->setTextFormat(Qt::PlainText);
    m_fileName->setWordWrap(true);
    (new QVBoxLayout(fileGroup))->addWidget(m_fileName);

    auto* customGroup = new QGroupBox(QStringLiteral("Custom Macro Tools"), this);
    m_nameEdit = new QLineEdit(customGroup);
    m_nameEdit->setObjectName(QStringLiteral("nameEdit"));
    m_nameEdit->setMaxLength(static_cast<int>(qrl::tooldata::kMaxNameWritten));
    m_addButton = makeButton("&Add", "addButton", customGroup);
    m_deleteButton = makeButton("&Delete", "deleteButton", customGroup);
    auto* customLayout = new QGridLayout(customGroup);
    customLayout->addWidget(new QLabel(QStringLiteral("New macro name:"), customGroup), 0, 0, 1, 2);
    customLayout->addWidget(m_nameEdit, 1, 0, 1, 2);
    customLayout->addWidget(m_addButton, 2, 0);
    customLayout->addWidget(m_deleteButton, 2, 1);

    m_toolTipsCheck = new QCheckBox(QStringLiteral("S&how tool tips text"), this);
    m_toolTipsCheck->setObjectName(QStringLiteral("toolTipsCheck"));

    auto* side = new QVBoxLayout;
    side->addWidget(closeButton);
    side->addWidget(m_saveButton);
    side->addWidget(m_sendButton);
    side->addSpacing(8);
    side->addWidget(customGroup);
    side->addStretch(1);
    side->addWidget(m_toolTipsCheck);
    auto* top = new QHBoxLayout;
    top->addWidget(m_list, 1);
    top->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(fileGroup);

    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_saveButton, &QPushButton::clicked, this, [this] { SaveChanges(); });
    connect(m_sendButton, &QPushButton::clicked, this, [this] {
        if (CheckDuplicateNames())
            openSendDialog();
    });
    connect(m_addButton, &QPushButton::clicked, this, &CPrintToolDlg::addCustomMacro);
    connect(m_deleteButton, &QPushButton::clicked, this, &CPrintToolDlg::deleteCustomMacro);
    connect(m_nameEdit, &QLineEdit::textEdited, this, &CPrintToolDlg::renameCustomMacro);
    connect(m_toolTipsCheck, &QCheckBox::toggled, this, [this](bool on) {
        m_toolTips = on;
        if (!on)
            QToolTip::hideText();
    });
    connect(m_list, &QListWidget::currentRowChanged, this, &CPrintToolDlg::rowSelected);
    connect(m_list, &QListWidget::itemChanged, this, &CPrintToolDlg::updateSendButton);
    connect(m_list, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { activateRow(m_list->row(item)); });
}

PrintToolsOptions CPrintToolDlg::options() const
{
    return {m_toolTips};
}

void CPrintToolDlg::done(int result)
{
    qrl::saveDialogPlacement(this, QString::fromLatin1(PrintToolsOptions::kPlacementSection));
    PrintToolsOptions::write(options());
    QDialog::done(result);
}

bool CPrintToolDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            activateRow(m_list->currentRow());
            return true;
        }
    }
    if (watched == m_list->viewport() && event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        return showToolTip(help->pos(), help->globalPos());
    }
    return QDialog::eventFilter(watched, event);
}

bool CPrintToolDlg::showToolTip(const QPoint& position, const QPoint& globalPosition)
{
    const QListWidgetItem* item = m_toolTips ? m_list->itemAt(position) : nullptr;
    if (!item) {
        QToolTip::hideText();
        return true;
    }
    const int row = m_list->row(item);
    QToolTip::showText(globalPosition, qrl::text(CPrintToolArray::helpTextId(row)), m_list->viewport(),
                       m_list->visualItemRect(item));
    return true;
}

void CPrintToolDlg::openSendDialog()
{
    CSendPrintTools::run(*this);
}

void CPrintToolDlg::openCallMacroDialog()
{
    CCallMacroDlg::run(m_call, this);
}

void CPrintToolDlg::openMacroEditor(int row)
{
    // The editor works on the selected row; make it the one activated.
    if (m_list->currentRow() != row)
        m_list->setCurrentRow(row);
    CMacroEditDlg::run(*this);
}
