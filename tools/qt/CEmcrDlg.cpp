#include "CEmcrDlg.h"

#include "AppContext.h"
#include "CQuorlyn32Doc.h"
#include "DialogPlacement.h"
#include "DuplexControls.h"
#include "EmcrOptions.h"
#include "EmcrSave.h"
#include "ResourceTypes.h"
#include "StringTable.h"
#include "ToolsTextIds.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kMacroNameWidth = 85;
constexpr int kFileNameWidth = 490;

QPushButton* button(const char* text, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(QString::fromLatin1(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

CEmcrDlg::CEmcrDlg(CQuorlyn32Doc& document, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("emcrCreatorDialog"));
    setWindowTitle(QStringLiteral("EMCR Creator"));
    m_projectPath = document.GetPathName();
    m_job.optionMask = qrl::emcr::options::creatorMask();
    m_job.versionText = qrl::context().fileVersionText;
    createControls();
    fillMacroList(document);
    rebuildAssigner();
    restorePlacement();
}

CEmcrDlg::~CEmcrDlg() = default;

bool CEmcrDlg::run(QWidget* parent, CQuorlyn32Doc& document, QString& enablePath, QString& disablePath)
{
    CEmcrDlg dialog(document, parent);
    const bool written = dialog.exec() == QDialog::Accepted;
    enablePath = written ? dialog.enablePath() : QString();
    disablePath = written ? dialog.disablePath() : QString();
    return written;
}

void CEmcrDlg::createControls()
{
    m_macroList = new QTreeWidget(this);
    m_macroList->setObjectName(QStringLiteral("macroList"));
    m_macroList->setRootIsDecorated(false);
    m_macroList->setHeaderLabels(
        {qrl::text(qrl::ids::kEmcrMacroNameColumn), qrl::text(qrl::ids::kEmcrFileNameColumn)});
    m_macroList->headerItem()->setTextAlignment(0, Qt::AlignCenter);
    m_macroList->setColumnWidth(0, kMacroNameWidth);
    m_macroList->setColumnWidth(1, kFileNameWidth);
    auto* macroGroup = new QGroupBox(QStringLiteral("Tellurade Macros in Active Project"), this);
    (new QVBoxLayout(macroGroup))->addWidget(m_macroList);

    m_assigner = new QTreeWidget(this);
    m_assigner->setObjectName(QStringLiteral("assignerList"));
    m_assigner->setRootIsDecorated(false);
    m_assigner->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_assigner->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_assigner, &QTreeWidget::itemDoubleClicked, this, [this] { assignRow(selectedRow()); });
    connect(m_assigner, &QWidget::customContextMenuRequested, this, &CEmcrDlg::onContextMenu);
    auto* assign = button("&Assign macro / modify...", "assignButton", this);
    connect(assign, &QPushButton::clicked, this, [this] { assignRow(selectedRow()); });
    auto* assignerGroup = new QGroupBox(QStringLiteral("Macro - &Paper Source Assigner"), this);
    auto* assignerLayout = new QVBoxLayout(assignerGroup);
    assignerLayout->addWidget(m_assigner);
    assignerLayout->addWidget(assign, 0, Qt::AlignLeft);

    const DuplexControls duplex = makeDuplexControls(this, m_job.longEdge);
    connect(duplex.duplex, &QCheckBox::toggled, this, &CEmcrDlg::onDuplexToggled);
    auto* duplexRow = new QHBoxLayout;
    duplexRow->addWidget(duplex.duplex);
    duplexRow->addWidget(duplex.longEdge);
    duplexRow->addWidget(duplex.shortEdge);
    duplexRow->addStretch();

    auto* add = button("Add &to project...", "addButton", this);
    add->setDefault(true);
    auto* cancel = button("&Cancel", "cancelButton", this);
    connect(add, &QPushButton::clicked, this, &CEmcrDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CEmcrDlg::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(add);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(macroGroup, 2);
    layout->addWidget(assignerGroup, 3);
    layout->addLayout(duplexRow);
    layout->addLayout(buttons);
    resize(720, 560);
}

void CEmcrDlg::fillMacroList(const CQuorlyn32Doc& document)
{
    for (int i = 0; i < document.GetItemCount(); ++i) {
        const CProjItem* item = document.GetItemAt(i);
        if (item->subtype() != kTelluradeMacro)
            continue;
        auto* row = new QTreeWidgetItem(m_macroList, {item->GetName(), item->GetPath()});
        row->setTextAlignment(0, Qt::AlignCenter);
        m_macroNames.append(item->GetName());
    }
}

void CEmcrDlg::accept()
{
    savePlacement();
    m_enablePath.clear();
    m_disablePath.clear();
    const qrl::emcr::SaveResult result = qrl::emcr::saveFiles(
        m_job, qrl::emcr::fileDirectory(qrl::context().directories.forms, m_projectPath));
    if (result.outcome == qrl::emcr::SaveOutcome::Cancel) {
        QDialog::reject();
        return;
    }
    if (result.outcome != qrl::emcr::SaveOutcome::Written)
        return;
    m_enablePath = result.enablePath;
    m_disablePath = result.disablePath;
    QDialog::accept();
}

void CEmcrDlg::reject()
{
    savePlacement();
    QDialog::reject();
}

void CEmcrDlg::restorePlacement()
{
    qrl::restoreDialogPlacement(this, QString::fromLatin1(kPlacementSection));
}

void CEmcrDlg::savePlacement() const
{
    qrl::saveDialogPlacement(this, QString::fromLatin1(kPlacementSection));
}
