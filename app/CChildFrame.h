#pragma once

#include <QMdiSubWindow>
#include <QPointer>

#include <functional>
#include <memory>

class CQRLTabCtrl;
class ProjectFigures;

namespace qrl::build {
class BuildDocument;
}

// The frame of one project window inside the main frame: the project's view above and the tab
// strip (one tab per resource kind) in the bottom 26 pixels. It carries the project's Build,
// Settings and Print commands; the main frame routes them to the active child frame.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int kTabStripHeight = 26;
    static constexpr int kDefaultWidth = 600;
    static constexpr int kDefaultHeight = 400;

    explicit CChildFrame(QWidget* parent = nullptr);
    ~CChildFrame() override;

    // The view shown above the tab strip; the frame takes ownership and deletes a previous one.
    void setView(QWidget* view);
    QWidget* view() const { return m_view; }
    // The tab strip; nullptr when it could not be made (message kCannotCreateTabs was shown).
    CQRLTabCtrl* tabStrip() const { return m_tabs; }

    // The project this frame shows, answered by its document; not owned. The document sets it
    // when it makes the frame and clears it before it goes away.
    void setProject(const ProjectFigures* project) { m_project = project; }
    const ProjectFigures* project() const { return m_project; }
    // The project as the build dialog sees it; not owned, set and cleared with the project.
    // The project as the build dialog sees it; owned by the frame.
    void setBuildDocument(std::unique_ptr<qrl::build::BuildDocument> document);

    // The view in which a drag of items last started; nullptr until one does.
    void setDragSourceView(QWidget* view) { m_dragSourceView = view; }
    QWidget* dragSourceView() const { return m_dragSourceView; }

    // Asked before the frame closes; false keeps it open (a project whose changes the user wants
    // to keep but could not save). Without one the frame always closes.
    void setCloseGuard(std::function<bool()> guard) { m_closeGuard = std::move(guard); }

    // Build is enabled only while the project has at least one item.
    bool canBuild() const;

    // The commands: the build dialog, the project settings dialog (all media allowed) and the
    // printed resource list, each modal over this frame. They do nothing while the dialog they
    // open is not part of the program; the build needs the frame's build document as well.
    void runBuild();
    void runProjectSettings();
    void runPrintList();

signals:
    // The user chose the tab of `kind`; the view refills its list for it.
    void tabSelected(int kind);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createTabStrip();
    void layoutClient();

    QWidget* m_client = nullptr;
    CQRLTabCtrl* m_tabs = nullptr;
    QPointer<QWidget> m_view;
    QPointer<QWidget> m_dragSourceView;
    const ProjectFigures* m_project = nullptr;
    std::function<bool()> m_closeGuard;
    std::unique_ptr<qrl::build::BuildDocument> m_buildDocument;
};
