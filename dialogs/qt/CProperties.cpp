#include "CProperties.h"
#include "DialogsTextIds.h"

#include "AppContext.h"
#include "CFileLocationOptionsPropPage.h"
#include "CFileMapPropPage.h"
#include "CGlobalPrefs.h"

#include "CAppOptsPropPage.h"
#include "CCcpyOptionsPropPage.h"
#include "CEmcrOptionsPropPage.h"
#include "CVorlDownloaderOptionsPropPage.h"
#include "DialogPlacement.h"
#include "Profile.h"
#include "StringTable.h"
#include "TextFormat.h"
#include "UserInterface.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

std::vector<CProperties::PageFactory> CProperties::programPages(qrl::appopts::StartUpSink sink)
{
    std::vector<PageFactory> pages;
    pages.push_back([sink = std::move(sink)](CProperties& sheet) {
        qrl::AppContext& context = qrl::context();
        auto toContext = [sink, &context](int splash, int option) {
            context.startUpSplash = splash;
            context.startUpOptions = option;
            if (sink)
                sink(splash, option);
        };
        auto* page = new CAppOptsPropPage(
            qrl::appopts::initialValues(context.startUpSplash, context.startUpOptions), toContext);
        connect(page, &CAppOptsPropPage::modified, &sheet, &CProperties::pageModified);
        return Page{page, [page] { return page->apply(); }, {}};
    });
    // The extension map page needs the loaded map (it is there once the program has started).
    if (CGlobalPrefs* prefs = activePrefs())
        pages.push_back(fileMapPage(*prefs));
    pages.push_back([](CProperties& sheet) {
        auto* page = new CFileLocationOptionsPropPage(qrl::context());
        connect(page, &CFileLocationOptionsPropPage::modified, &sheet, &CProperties::pageModified);
        return Page{page, [page] { return page->validate() && page->apply(); }, {}};
    });
    pages.push_back(pageFactory<CEmcrOptionsPropPage>(&CEmcrOptionsPropPage::modified));
    pages.push_back(pageFactory<CCcpyOptionsPropPage>(&CCcpyOptionsPropPage::modified));
    pages.push_back(pageFactory<CVorlDownloaderOptionsPropPage>(&CVorlDownloaderOptionsPropPage::changed));
    return pages;
}

CProperties::PageFactory CProperties::fileMapPage(CGlobalPrefs& prefs)
{
    return [&prefs](CProperties& sheet) {
        auto* page = new CFileMapPropPage(prefs);
        connect(page, &CFileMapPropPage::modified, &sheet, &CProperties::pageModified);
        return Page{page, [page] { return page->apply(); }, [page] { return page->validate(); }};
    };
}

CProperties::CProperties(const std::vector<PageFactory>& pages, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("preferencesSheet"));
    setWindowTitle(QStringLiteral("Preferences"));
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    layout->addWidget(m_tabs);
    for (const PageFactory& factory : pages) {
        Page page = factory(*this);
        m_tabs->addTab(page.widget, page.widget->windowTitle());
        m_pages.push_back(std::move(page));
    }
    m_shown.assign(m_pages.size(), false);
    if (!m_pages.empty())
        m_shown[0] = true;
    m_tabs->setCurrentIndex(0);
    connect(m_tabs, &QTabWidget::currentChanged, this, &CProperties::onCurrentChanged);

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    m_applyButton = buttons->button(QDialogButtonBox::Apply);
    m_applyButton->setEnabled(false);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        // The pages and the sheet's placement reach the settings in one write.
        qrl::ProfileBatch batch(qrl::profile());
        if (!applyPages())
            return;
        savePlacement();
        if (!stored(batch))
            return;
        m_placementSaved = true;
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_applyButton, &QPushButton::clicked, this, [this] { applyShownPages(); });
    layout->addWidget(buttons);
    // Opened at its own size, the sheet is wide enough for every tab without scroll buttons.
    const QMargins margins = layout->contentsMargins();
    resize(qMax(sizeHint().width(), m_tabs->tabBar()->sizeHint().width() + margins.left() + margins.right()),
           sizeHint().height());
    restorePlacement();
}

CProperties::~CProperties() = default;

bool CProperties::run(QWidget* parent, qrl::appopts::StartUpSink sink)
{
    CProperties sheet(programPages(std::move(sink)), parent);
    return sheet.exec() == QDialog::Accepted;
}

bool CProperties::applyShownPages()
{
    qrl::ProfileBatch batch(qrl::profile());
    if (!applyPages() || !stored(batch))
        return false;
    m_applyButton->setEnabled(false);
    return true;
}

bool CProperties::applyPages()
{
    const int current = m_tabs->currentIndex();
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (!m_shown[i])
            continue;
        // Each page is applied in front, so a refusal's message stands over the page it names.
        showPage(static_cast<int>(i));
        if (!m_pages[i].apply()) {
            m_applyButton->setEnabled(true);
            return false;
        }
    }
    showPage(current);
    return true;
}

bool CProperties::stored(qrl::ProfileBatch& batch)
{
    QString failure;
    if (batch.commit(&failure))
        return true;
    qrl::ui().message(qrl::formatText(qrl::text(qrl::ids::kPreferencesNotStored), {failure}),
                      qrl::Buttons::Ok, qrl::Icon::Warning);
    m_applyButton->setEnabled(true);
    return false;
}

void CProperties::onCurrentChanged(int index)
{
    if (m_switching || index < 0)
        return;
    const int previous = m_currentPage;
    if (previous != index && previous >= 0 && static_cast<std::size_t>(previous) < m_pages.size() &&
        m_pages[static_cast<std::size_t>(previous)].leave) {
        // The page being left checks itself while it is still in front.
        showPage(previous);
        if (!m_pages[static_cast<std::size_t>(previous)].leave())
            return;
        showPage(index);
    }
    m_currentPage = index;
    if (static_cast<std::size_t>(index) < m_shown.size())
        m_shown[static_cast<std::size_t>(index)] = true;
}

void CProperties::showPage(int index)
{
    m_switching = true;
    m_tabs->setCurrentIndex(index);
    m_switching = false;
    m_currentPage = index;
}

void CProperties::pageModified()
{
    m_applyButton->setEnabled(true);
}

void CProperties::done(int result)
{
    if (!m_placementSaved)
        savePlacement();
    QDialog::done(result);
}

void CProperties::restorePlacement()
{
    qrl::restoreDialogPlacement(this, QString::fromLatin1(kPlacementSection));
}

void CProperties::savePlacement() const
{
    qrl::saveDialogPlacement(this, QString::fromLatin1(kPlacementSection));
}
