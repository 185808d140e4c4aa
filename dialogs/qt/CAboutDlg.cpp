#include "CAboutDlg.h"

#include "AppContext.h"
#include "CAboutDlgBanner.h"
#include "DesktopLauncher.h"
#include "DialogPlacement.h"
#include "SettingsKeys.h"
#include "UserInterface.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr const char* kNoTextViewer = "Error finding a text viewer";
constexpr int kDefaultWidth = 580;
constexpr int kDefaultHeight = 440;
constexpr int kColumnPadding = 8;

QString latin(const char* text)
{
    return QString::fromLatin1(text);
}

} // namespace

CAboutDlg::CAboutDlg(const qrl::about::Sources& sources, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Quorlyn"));
    m_sectionName = latin(qrl::about::kSection);

    auto* banner = new CAboutDlgBanner(this);
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    m_detailsButton = new QPushButton(QStringLiteral("&Details.."), this);
    m_detailsButton->setObjectName(QStringLiteral("detailsButton"));
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("fileList"));
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_detailsButton);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(banner);
    layout->addLayout(buttons);
    layout->addWidget(m_list, 1);
    // Folded, the list is hidden: the room it leaves stays empty rather than stretching the banner.
    layout->addStretch(0);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_detailsButton, &QPushButton::clicked, this, &CAboutDlg::OnDetails);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &CAboutDlg::openSelectedFile);

    const qrl::Profile& profile = qrl::profile();
    m_detailsView = qrl::read(profile, qrl::settings::kAboutDetailsView);
    m_versionNew = qrl::read(profile, qrl::settings::kAboutVersionNew);
    fillList(sources, m_versionNew == 1);

    resize(kDefaultWidth, kDefaultHeight);
    if (m_versionNew == 1) {
        // After a version change the box opens folded at the default position.
        m_detailsView = 1;
        OnDetails();
        return;
    }
    if (qrl::restoreDialogPlacement(this, m_sectionName)) {
        m_list->setVisible(m_detailsView == 1);
    } else if (m_detailsView != 1) {
        // Without a stored placement the box opens at its full height; fold it so that its size
        // matches the kept fold state and the next "&Details.." unfolds it.
        m_detailsView = 1;
        OnDetails();
    }
}

void CAboutDlg::fillList(const qrl::about::Sources& sources, bool defaultWidths)
{
    QStringList titles;
    for (const auto& column : qrl::about::kColumns)
        titles << latin(column.title);
    m_list->setHeaderLabels(titles);
    m_list->header()->setDefaultAlignment(Qt::AlignLeft);
    for (const auto& row : qrl::about::fileRows(sources))
        new QTreeWidgetItem(m_list, {row.fileName, row.version, row.date, row.size, row.path});
    const qrl::Profile& profile = qrl::profile();
    int index = 0;
    for (const auto& column : qrl::about::kColumns) {
        if (!defaultWidths && qrl::isStored(profile, column.width)) {
            m_list->setColumnWidth(index++, qrl::read(profile, column.width));
            continue;
        }
        // The default widths were chosen for a narrower font: a default column grows until its title
        // and texts fit. A width the user left is kept as it is.
        m_list->resizeColumnToContents(index);
        m_list->setColumnWidth(index,
                               qMax(column.width.defaultValue, m_list->columnWidth(index) + kColumnPadding));
        ++index;
    }
}

void CAboutDlg::OnDetails()
{
    qrl::WindowPlacement placement;
    const QRect rect = geometry();
    placement.left = rect.left();
    placement.top = rect.top();
    placement.right = rect.left() + rect.width();
    placement.bottom = rect.top() + rect.height();
    m_detailsView = qrl::about::fold(placement, m_detailsView);
    applyFold(placement.bottom - placement.top);
}

void CAboutDlg::applyFold(int height)
{
    m_list->setVisible(m_detailsView == 1);
    // The layout's minimum height still counts the list until it is activated again; resizing before
    // that would clamp the folded height and the next unfold would double the clamped one.
    layout()->activate();
    resize(width(), height);
}

void CAboutDlg::openSelectedFile()
{
    const QTreeWidgetItem* item = m_list->currentItem();
    if (!item)
        return;
    const qrl::about::FileRow row{item->text(0), item->text(1), item->text(2), item->text(3), item->text(4)};
    const qrl::about::OpenKind kind = qrl::about::openKind(row);
    if (kind == qrl::about::OpenKind::None)
        return;
    const QString path = qrl::about::fullPath(row);
    DesktopLauncher& launcher = desktopLauncher();
    if (kind == qrl::about::OpenKind::Text && launcher.registeredViewer(path).isEmpty()) {
        qrl::ui().message(latin(kNoTextViewer));
        return;
    }
    launcher.openWithDesktop(path);
}

void CAboutDlg::done(int result)
{
    saveSettings();
    QDialog::done(result);
}

void CAboutDlg::saveSettings()
{
    if (m_saved)
        return;
    m_saved = true;
    qrl::Profile& profile = qrl::profile();
    // Closing the box is one action: its values reach the settings in one write.
    const qrl::ProfileBatch batch(profile);
    qrl::write(profile, qrl::settings::kAboutDetailsView, m_detailsView);
    qrl::write(profile, qrl::settings::kAboutVersionNew, 0);
    qrl::saveDialogPlacement(this, m_sectionName);
    int index = 0;
    for (const auto& column : qrl::about::kColumns)
        qrl::write(profile, column.width, m_list->columnWidth(index++));
}

qrl::about::Sources CAboutDlg::applicationSources()
{
    const qrl::AppContext& context = qrl::context();
    return {QCoreApplication::applicationFilePath(), context.programDirectory, context.fileVersionText,
            context.helpFileName};
}

void CAboutDlg::run(QWidget* parent)
{
    CAboutDlg dialog(applicationSources(), parent);
    dialog.exec();
}
