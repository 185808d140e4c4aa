// The main frame, the child frame and the tab strip, on the offscreen platform.
#include "CChildFrame.h"
#include "CMainFrame.h"
#include "CQRLTabCtrl.h"
#include "CommandIds.h"
#include "ImageLists.h"
#include "ProjectFigures.h"
#include "QtAppShell.h"
#include "Screenshot.h"
#include "TestEnvironment.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QPalette>
#include <QToolBar>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>

// Texts in failure messages as text.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

class FakeProject : public ProjectFigures {
public:
    FakeProject(StorageMedium medium, std::uint16_t sizeIndex, std::uint32_t items, std::uint64_t bytes)
        : m_items(items), m_bytes(bytes)
    {
        m_settings.m_medium = medium;
        m_settings.m_storageSizeIndex = sizeIndex;
    }
    const CProjSett& settings() const override { return m_settings; }
    std::uint32_t itemCount() const override { return m_items; }
    std::uint64_t totalBytes() const override { return m_bytes; }

    CProjSett m_settings;
    std::uint32_t m_items;
    std::uint64_t m_bytes;
};

class FrameTest : public ::testing::Test {
protected:
    CChildFrame* openChild(CMainFrame& frame, const FakeProject* project)
    {
        auto* child = new CChildFrame;
        child->setProject(project);
        child->setView(new QWidget);
        frame.addChildFrame(child);
        return child;
    }

    qrl::test::ScopedProfile m_profile;
};

TEST_F(FrameTest, ToolbarHoldsTheTwentyButtonsInOrderAndOnlyHandledCommandsAreEnabled)
{
    const std::pair<int, const char*> expected[] = {
        {57600, "actionNew"},        {57601, "actionOpen"},
        {57603, "actionSave"},       {0, nullptr},
        {57635, "actionCut"},        {57634, "actionCopy"},
        {57637, "actionPaste"},      {0, nullptr},
        {32797, "actionBuild"},      {57670, "actionHelp"},
        {57664, "actionAbout"},      {0, nullptr},
        {32771, "actionAdd"},        {32775, "actionDelete"},
        {32800, "actionProperties"}, {0, nullptr},
        {32788, "actionLargeIcons"}, {32789, "actionSmallIcons"},
        {32790, "actionList"},       {32791, "actionDetails"},
    };
    QtAppShell shell;
    ASSERT_TRUE(shell.createMainFrame());
    CMainFrame& frame = *shell.mainFrame();
    auto* toolBar = frame.findChild<QToolBar*>(QStringLiteral("mainToolBar"));
    ASSERT_NE(toolBar, nullptr);
    EXPECT_EQ(frame.toolBarArea(toolBar), Qt::TopToolBarArea);
    EXPECT_EQ(toolBar->allowedAreas(), Qt::AllToolBarAreas);
    const QList<QAction*> actions = toolBar->actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(std::size(expected)));
    for (qsizetype i = 0; i < actions.size(); ++i) {
        const auto& [id, name] = expected[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(actions[i]->isSeparator(), id == 0);
        if (id == 0)
            continue;
        EXPECT_EQ(actions[i]->data().toInt(), id);
        EXPECT_EQ(actions[i]->objectName(), QString::fromLatin1(name));
        EXPECT_FALSE(actions[i]->toolTip().isEmpty());
        EXPECT_FALSE(actions[i]->icon().isNull());
        // New, Open and About have their handlers; Save waits for a modified project, the
        // project's commands for a project window, the rest for their handlers.
        const bool handled =
            id == qrl::cmd::kFileNew || id == qrl::cmd::kFileOpen || id == qrl::cmd::kAppAbout;
        EXPECT_EQ(actions[i]->isEnabled(), handled) << name;
    }
    EXPECT_EQ(frame.commandAction(qrl::cmd::kBuild)->text(), QStringLiteral("&Build..."));
    EXPECT_EQ(frame.commandAction(qrl::cmd::kProjectSettings)->text(), QStringLiteral("Se&ttings..."));
    EXPECT_EQ(frame.commandAction(qrl::cmd::kPrintList)->text(), QStringLiteral("&Print..."));
}

TEST_F(FrameTest, ChildFrameShowsTheFourKindTabsUnderTheView)
{
    CMainFrame frame;
    FakeProject project(kCompactFlashCard, 22, 0, 0);
    CChildFrame* child = openChild(frame, &project);
    child->resize(500, 300);
    frame.show();

    CQRLTabCtrl* tabs = child->tabStrip();
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 4);
    const QString captions[] = {"Fonts", "Macros", "Host Files-Forms", "Programs"};
    const QSize tabSize = tabs->tabRect(0).size();
    EXPECT_GE(tabSize.width(), 120);
    EXPECT_EQ(tabSize.height(), 21);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(CQRLTabCtrl::caption(i), captions[i]);
        EXPECT_EQ(tabs->image(i).size(), QSize(16, 16));
        // Selected, the caption is bold and starts furthest in: it still ends inside its tab.
        tabs->setCurrentIndex(i);
        EXPECT_EQ(tabs->tabRect(i).size(), tabSize);
        const int captionEnd = tabs->contentOrigin(i).x() + 20 +
                               QFontMetrics(tabs->captionFont(true)).horizontalAdvance(captions[i]);
        EXPECT_LE(captionEnd, tabs->tabRect(i).right());
    }
    EXPECT_EQ(CQRLTabCtrl::caption(4), QString());
    child->resize(CChildFrame::kDefaultWidth, 300);
    tabs->setCurrentIndex(2);
    QCoreApplication::processEvents();
    qrl::test::saveScreenshot(tabs, QStringLiteral("tab-strip-forms-selected.png"));
    child->resize(500, 300);
    tabs->setCurrentIndex(0);

    const QWidget* client = child->widget();
    EXPECT_EQ(tabs->geometry(), QRect(0, client->height() - 26, client->width(), 26));
    EXPECT_EQ(child->view()->geometry(), QRect(0, 0, client->width(), client->height() - 26));

    QList<int> selected;
    QObject::connect(child, &CChildFrame::tabSelected, [&](int kind) { selected.append(kind); });
    tabs->setCurrentIndex(2);
    EXPECT_EQ(selected, QList<int>{2});
    EXPECT_EQ(tabs->contentOrigin(2), tabs->tabRect(2).topLeft() + QPoint(8, 3));
    EXPECT_EQ(tabs->contentOrigin(1), tabs->tabRect(1).topLeft() + QPoint(4, 1));
    EXPECT_EQ(tabs->captionFont(true).weight(), QFont::Bold);
    EXPECT_EQ(tabs->captionFont(false).weight(), QFont::Medium);
}

TEST_F(FrameTest, CapacityPaneShowsTheProjectsFiguresOrKeepsItsTextWhenAnAddWouldNotFit)
{
    struct Case {
        const char* what;
        StorageMedium medium;
        std::uint16_t sizeIndex;
        std::uint32_t customSize;
        std::uint32_t items;
        std::uint64_t bytes;
        std::uint64_t toAdd;
        bool fits;
        const char* text; // nullptr: the pane keeps its text
    };
    const Case cases[] = {
        {"card that fits", kSramCard, 0, 0, 2, 20000, 0, true,
         "Resource count:  2        Project size: 32 KB        Used: 19 KB         Free: 12 KB"},
        {"card exactly full", kOtpCard, 0, 0, 2, 30000, 2768, true,
         "Resource count:  2        Project size: 32 KB        Used: 32 KB         Free: 0 KB"},
        {"card over with the add", kCompactFlashCard, 0, 0, 3, 20000, 13000, false, nullptr},
        {"custom card size", kJeidaCard, 23, 96 * 1024, 1, 1000, 0, true,
         "Resource count:  1        Project size: 96 KB        Used: 0 KB         Free: 95 KB"},
        {"printer's disk", kHardDisk, 0, 0, 5, 5000000, 0, true, "Resource count:  5        Used:  4882 KB"},
    };
    CMainFrame frame;
    QLabel* pane = frame.capacityPane();
    EXPECT_EQ(pane->minimumWidth(), 520);
    EXPECT_EQ(pane->frameShape(), QFrame::NoFrame);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeProject project(c.medium, c.sizeIndex, c.items, c.bytes);
        project.m_settings.m_customSize = c.customSize;
        pane->setText(QStringLiteral("before"));
        EXPECT_EQ(frame.UpdateCapacityPane(&project, c.toAdd), c.fits);
        EXPECT_EQ(pane->text(), c.text ? QString::fromLatin1(c.text) : QStringLiteral("before"));
    }
    pane->setText(QStringLiteral("before"));
    EXPECT_FALSE(frame.UpdateCapacityPane(nullptr, 0));
    EXPECT_EQ(pane->text(), QStringLiteral("before"));
}

TEST_F(FrameTest, CapacityPaneGrowsToAWholeLargeFigureAndKeepsItsLeastWidth)
{
    CMainFrame frame;
    frame.resize(900, 400);
    frame.show();
    QLabel* pane = frame.capacityPane();
    FakeProject small(kHardDisk, 0, 1, 1000);
    ASSERT_TRUE(frame.UpdateCapacityPane(&small, 0));
    QCoreApplication::processEvents();
    EXPECT_EQ(pane->width(), 520);

    // A 128 MB card with a few files: every figure has six digits.
    FakeProject large(kCompactFlashCard, 22, 250, 3 * 1024 * 1024);
    ASSERT_TRUE(frame.UpdateCapacityPane(&large, 0));
    ASSERT_TRUE(pane->text().endsWith(QStringLiteral("Free: 128000 KB"))) << pane->text().toStdString();
    QCoreApplication::processEvents();
    EXPECT_GE(pane->contentsRect().width(), pane->fontMetrics().horizontalAdvance(pane->text()));
    qrl::test::saveScreenshot(&frame, QStringLiteral("main-window-large-capacity.png"));
}

TEST_F(FrameTest, BuildFollowsTheActiveProjectsItemsAndActivationRefreshesThePane)
{
    CMainFrame frame;
    frame.show();
    QAction* build = frame.commandAction(qrl::cmd::kBuild);
    EXPECT_FALSE(build->isEnabled());
    EXPECT_FALSE(frame.commandAction(qrl::cmd::kProjectSettings)->isEnabled());

    QList<CChildFrame*> changed;
    QObject::connect(&frame, &CMainFrame::activeChildChanged, [&](CChildFrame* c) { changed.append(c); });
    FakeProject empty(kHardDisk, 22, 0, 0);
    CChildFrame* first = openChild(frame, &empty);
    EXPECT_EQ(changed, QList<CChildFrame*>{first});
    EXPECT_EQ(frame.activeChild(), first);
    EXPECT_FALSE(build->isEnabled());
    EXPECT_TRUE(frame.commandAction(qrl::cmd::kProjectSettings)->isEnabled());
    EXPECT_TRUE(frame.commandAction(qrl::cmd::kPrintList)->isEnabled());
    EXPECT_EQ(frame.capacityPane()->text(), QStringLiteral("Resource count:  0        Used:  0 KB"));

    // The document's road after an add: the capacity update also refreshes the commands.
    empty.m_items = 1;
    empty.m_bytes = 4096;
    EXPECT_TRUE(frame.UpdateCapacityPane(&empty, 0));
    EXPECT_TRUE(build->isEnabled());

    FakeProject other(kHardDisk, 22, 0, 0);
    CChildFrame* second = openChild(frame, &other);
    EXPECT_EQ(frame.activeChild(), second);
    EXPECT_FALSE(build->isEnabled());
    EXPECT_EQ(frame.capacityPane()->text(), QStringLiteral("Resource count:  0        Used:  0 KB"));

    frame.mdiArea()->setActiveSubWindow(first);
    EXPECT_EQ(changed, (QList<CChildFrame*>{first, second, first}));
    EXPECT_TRUE(build->isEnabled());
    EXPECT_EQ(frame.capacityPane()->text(), QStringLiteral("Resource count:  1        Used:  4 KB"));

    frame.mdiArea()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frame.activeChild(), nullptr);
    ASSERT_FALSE(changed.isEmpty());
    EXPECT_EQ(changed.last(), nullptr);
    EXPECT_FALSE(build->isEnabled());
    EXPECT_FALSE(frame.commandAction(qrl::cmd::kPrintList)->isEnabled());
    EXPECT_EQ(frame.capacityPane()->text(), QString());
}

TEST_F(FrameTest, ClosingStoresThePlacementWithRestoreToMaximisedOnlyWhenMaximised)
{
    struct Case {
        bool maximised;
        const char* text;
    };
    const Case cases[] = {
        {false, "0,1,-1,-1,-1,-1,100,120,740,600"},
        {true, "2,3,-1,-1,-1,-1,100,120,740,600"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CMainFrame frame;
        frame.setGeometry(100, 120, 640, 480);
        if (c.maximised)
            frame.showMaximized();
        else
            frame.show();
        frame.close();
        EXPECT_EQ(m_profile.getString(QStringLiteral("Settings"), QStringLiteral("WinPlacement")),
                  QString::fromLatin1(c.text));
    }
}

TEST_F(FrameTest, ImageListsHoldFiveDistinctImagesInBothSizes)
{
    const ImageLists lists;
    ASSERT_EQ(lists.smallImages().size(), 5);
    ASSERT_EQ(lists.largeImages().size(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(lists.smallImages()[i].size(), QSize(16, 16));
        EXPECT_EQ(lists.largeImages()[i].size(), QSize(32, 32));
        for (int j = 0; j < i; ++j)
            EXPECT_NE(lists.smallImages()[i].toImage(), lists.smallImages()[j].toImage()) << i << " " << j;
    }
    EXPECT_TRUE(lists.icon(5).isNull());
}

// The share of an image's drawn pixels that stand out from `background` by at least a quarter of
// the scale of lightness, on that background.
double visibleShare(const QImage& image, const QColor& background)
{
    int drawn = 0;
    int visible = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() < 128)
                continue;
            ++drawn;
            if (std::abs(c.lightness() - background.lightness()) >= 64)
                ++visible;
        }
    }
    return drawn ? double(visible) / drawn : 0.0;
}

TEST_F(FrameTest, ListModeImagesStayVisibleOnADarkPalette)
{
    const QPalette light = QApplication::palette();
    QPalette dark(QColor(45, 45, 48), QColor(30, 30, 32));
    dark.setColor(QPalette::ButtonText, QColor(235, 235, 235));
    dark.setColor(QPalette::WindowText, QColor(235, 235, 235));
    QApplication::setPalette(dark);
    {
        QtAppShell shell;
        ASSERT_TRUE(shell.createMainFrame());
        CMainFrame& frame = *shell.mainFrame();
        frame.show();
        auto* toolBar = frame.findChild<QToolBar*>(QStringLiteral("mainToolBar"));
        ASSERT_NE(toolBar, nullptr);
        qrl::test::saveScreenshot(toolBar, QStringLiteral("toolbar-dark.png"));
        const QColor background = dark.color(QPalette::Button);
        for (const int id :
             {qrl::cmd::kLargeIcons, qrl::cmd::kSmallIcons, qrl::cmd::kList, qrl::cmd::kDetails}) {
            const QImage image = frame.commandAction(id)->icon().pixmap(16, 16).toImage();
            EXPECT_GE(visibleShare(image, background), 0.6) << id;
        }
    }
    QApplication::setPalette(light);
}

} // namespace
