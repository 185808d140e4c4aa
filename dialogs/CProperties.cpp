#include "CProperties.h"

#include "CFileLocationOptionsPropPage.h"
#include "CFileMapPropPage.h"

#include "CAppOptsPropPage.h"
#include "CCcpyOptionsPropPage.h"
#include "CEmcrOptionsPropPage.h"
#include "CQuorlyn32App.h"
#include "CVorlDownloaderOptionsPropPage.h"
#include "CWinPlacement.h"
#include "WindowPlacementAdapter.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

std::vector<CProperties::PageFactory> CProperties::programPages(appopts::StartUpSink sink)
{
    std::vector<PageFactory> pages;
    pages.push_back([sink = std::move(sink)](CProperties& sheet) {
        const CQuorlyn32App& app = theApp();
        auto* page = new CAppOptsPropPage(appopts::initialValues(app.startUpSplash(), app.startUpOptions()),
                                          sink);
        connect(page, &CAppOptsPropPage::modified, &sheet, &CProperties::pageModified);
        return Page{page, [page] { return page->apply(); }};
    });
    // The extension map page needs the loaded map (it is there once the program has started).
    if (theApp().prefs()) {
        pages.push_back([](CProperties& sheet) {
            auto* page = new CFileMapPropPage(*theApp().prefs());
            connect(page, &CFileMapPropPage::modified, &sheet, &CProperties::pageModified);
            return Page{page, [page] { return page->validate() && page->apply(); }};
        });
    }
    pages.push_back([](CProperties& sheet) {
        auto* page = new CFileLocationOptionsPropPage(theApp());
        connect(page, &CFileLocationOptionsPropPage::modified, &sheet, &CProperties::pageModified);
        return Page{page, [page] { return page->validate() && page->apply(); }};
    });
    pages.push_back(pageFactory<CEmcrOptionsPropPage>(&CEmcrOptionsPropPage::modified));
    pages.push_back(pageFactory<CCcpyOptionsPropPage>(&CCcpyOptionsPropPage::modified));
    pages.push_back(pageFactory<CVorlDownloaderOptionsPropPage>(&CVorlDownloaderOptionsPropPage::changed));
    return pages;
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
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (index >= 0 && static_cast<std::size_t>(index) < m_shown.size())
            m_shown[static_cast<std::size_t>(index)] = true;
    });

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    m_applyButton = buttons->button(QDialogButtonBox::Apply);
    m_applyButton->setEnabled(false);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (applyShownPages())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_applyButton, &QPushButton::clicked, this, [this] { applyShownPages(); });
    layout->addWidget(buttons);
    restorePlacement();
}

CProperties::~CProperties() = default;

bool CProperties::run(QWidget* parent, appopts::StartUpSink sink)
{
    CProperties sheet(programPages(std::move(sink)), parent);
    return sheet.exec() == QDialog::Accepted;
}

bool CProperties::applyShownPages()
{
    bool stored = true;
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (m_shown[i] && !m_pages[i].apply())
            stored = false;
    }
    m_applyButton->setEnabled(!stored);
    return stored;
}

void CProperties::pageModified()
{
    m_applyButton->setEnabled(true);
}

void CProperties::done(int result)
{
    savePlacement();
    QDialog::done(result);
}

void CProperties::restorePlacement()
{
    if (theApp().versionChanged())
        return;
    qrl::WindowPlacement placement;
    if (CWinPlacement().LoadWindowPlacement(QString::fromLatin1(kPlacementSection), placement))
        qrl::applyWindowPlacement(this, placement);
}

void CProperties::savePlacement() const
{
    CWinPlacement().SaveWindowPlacement(QString::fromLatin1(kPlacementSection), qrl::captureWindowPlacement(this));
}
