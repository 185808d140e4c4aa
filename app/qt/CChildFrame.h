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

    // The figures of the project this frame shows, which decide canBuild(); not owned. The program
    // sets them once, when it makes the frame; they belong to the document, itself a child of the
    // frame, so they last as long as the frame does.
    void setProject(const ProjectFigures* project) { m_project = project; }
    const ProjectFigures* project() const { return m_project; }
    // The project as the build dialog sees it; owned by the frame, replacing an earlier one.
    void setBuildDocument(std::unique_ptr<qrl::build::BuildDocument> document);

    // The view whose drag of items is under way; nullptr while none is (the view clears it when
    // its drag ends).
    void setDragSourceView(QWidget* view) { m_dragSourceView = view; }
    QWidget* dragSourceView() const { return m_dragSourceView; }

    // Asked before the frame closes; false keeps it open (a project whose changes the user wants
    // to keep but could not save). Without one the frame always closes.
    void setCloseGuard(std::function<bool()> guard) { m_closeGuard = std::move(guard); }
    // Asks the close guard ahead of a close that takes several frames, so that every question is
    // answered before any frame closes. True approves the next close, which then asks nothing;
    // withdrawCloseApproval() makes it ask again (a later frame's Cancel keeps all of them open).
    bool approveClose();
    void withdrawCloseApproval() { m_closeApproved = false; }

    // True while the frame has a project with at least one item; the main frame enables Build by it.
    bool canBuild() const;

    // The commands: the build dialog, the project settings dialog (all media allowed) and the
    // printed resource list, each modal over this frame. runBuild() does nothing without a build
    // document or while canBuild() is false; runPrintList() lists the active project, and does
    // nothing while there is none.
    void runBuild();
    void runProjectSettings();
    void runPrintList();

signals:
    // The tab at `index` became the current one; the view refills its list for its kind.
    void tabSelected(int index);

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
    bool m_closeApproved = false;
    std::unique_ptr<qrl::build::BuildDocument> m_buildDocument;
};
