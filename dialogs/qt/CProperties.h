#pragma once

#include "CAppOptsSettings.h"
#include "SettingsKeys.h"

#include <QDialog>

#include <functional>
#include <vector>

class CGlobalPrefs;
namespace qrl {
class ProfileBatch;
}
class QPushButton;
class QTabWidget;

// "Preferences": the modal sheet of the program's option pages. OK applies every page that was
// shown and closes, Apply does the same and stays open, Cancel applies nothing. The sheet keeps
// its placement in "Property Pages".
class CProperties : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kPlacementSection = qrl::settings::kPropertyPagesSection;

    // One page as the sheet holds it: the widget (its window title is the tab's caption) and
    // what storing it does. The widget is handed to the sheet, which owns it from then on.
    struct Page {
        QWidget* widget = nullptr;
        std::function<bool()> apply;
        // Checks the page (with its own message) before the user leaves it for another; a refusal
        // keeps it in front. Empty for pages that can always be left.
        std::function<bool()> leave;
    };
    // Makes a page; it calls sheet.pageModified() whenever the user changes the page.
    using PageFactory = std::function<Page(CProperties& sheet)>;

    // A factory for a page class made as `new T()` with a parameterless `bool apply()` and a
    // parameterless change signal.
    template <class T, class Signal>
    static PageFactory pageFactory(Signal changed)
    {
        return [changed](CProperties& sheet) {
            auto* page = new T();
            connect(page, changed, &sheet, &CProperties::pageModified);
            return Page{page, [page] { return page->apply(); }, {}};
        };
    }

    // The program's pages in tab order. The global options page hands its stored start-up values
    // to the application object, then to `sink`.
    static std::vector<PageFactory> programPages(qrl::appopts::StartUpSink sink);
    // The "File Mappings" page over `prefs`, checked when it is left and when it is applied.
    static PageFactory fileMapPage(CGlobalPrefs& prefs);

    CProperties(const std::vector<PageFactory>& pages, QWidget* parent = nullptr);
    ~CProperties() override;

    // Runs the sheet with the program's pages; `sink` takes the new start-up values when the
    // global options are stored. True when the user left it with OK.
    static bool run(QWidget* parent, qrl::appopts::StartUpSink sink);

    // Applies every page shown so far, in tab order, and stores what they set in one write. The
    // first page that refuses stays in front with Apply enabled, and the pages after it are not
    // applied; false then. A store that fails also keeps Apply enabled and tells the user.
    bool applyShownPages();

    QTabWidget* tabs() const { return m_tabs; }
    QPushButton* applyButton() const { return m_applyButton; }

public slots:
    // A page was changed: Apply becomes enabled.
    void pageModified();

protected:
    void done(int result) override;

private:
    bool applyPages();
    bool stored(qrl::ProfileBatch& batch);
    void onCurrentChanged(int index);
    // Brings a page to the front without the check of the page it covers.
    void showPage(int index);
    void restorePlacement();
    void savePlacement() const;

    QTabWidget* m_tabs = nullptr;
    QPushButton* m_applyButton = nullptr;
    std::vector<Page> m_pages;
    std::vector<bool> m_shown;
    int m_currentPage = 0;
    bool m_switching = false;
    bool m_placementSaved = false; // stored with the pages on OK
};
