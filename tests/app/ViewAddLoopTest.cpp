// The project window's roads into a project, driven over a document without a window.
#include "ViewAddLoop.h"

#include "ItemRename.h"
#include "ResourceTypes.h"
#include "SharedFolder.h"
#include "StringTable.h"
#include "TextFormat.h"
#include "ViewTestSupport.h"

#include <QDir>

#include <functional>

using qrl::test::viewtest::OpenDoc;
using qrl::test::viewtest::ViewTest;

namespace {

class AddLoopTest : public ViewTest {
protected:
    // What the list was told to show, and how many messages had been shown by then.
    struct Shown {
        ResourceKind kind;
        qsizetype messagesBefore;
        bool modified;
    };

    qrl::addloop::ShowKind recorder()
    {
        return [this](ResourceKind kind) { shown.push_back({kind, ui.shown().size(), doc.IsModified()}); };
    }

    // A project on a 32 KB card, so a second 20000-byte file does not fit.
    void useSmallCard()
    {
        doc.GetProjSett().m_medium = kSramCard;
        doc.GetProjSett().m_storageSizeIndex = 0;
    }

    std::vector<Shown> shown;
};

} // namespace

TEST_F(AddLoopTest, ChosenFilesStopAtTheFirstRefusalAfterShowingWhatWasAdded)
{
    const QString first = makeFile("one.prn", "form one");
    const QString second = makeFile("two.prg", "data two");
    const QString third = makeFile("three.prn", "form three");
    ResourceKind kind = kKindNone;
    ASSERT_TRUE(doc.AddFile(second, kind));

    const qrl::addloop::Result result = qrl::addloop::addChosenFiles(doc, {first, second, third}, recorder());
    EXPECT_EQ(result.added, 1);
    EXPECT_EQ(result.lastKind, kKindForm);
    EXPECT_EQ(doc.GetItemCount(), 2);
    EXPECT_EQ(doc.GetItemAt(1)->GetPath(), first); // the third was never tried
    EXPECT_EQ(ui.texts(),
              (QStringList{second + QStringLiteral("\n\nis already in the project"),
                           qrl::formatText(qrl::text(9330), {QStringLiteral("two.prg\nthree.prn")})}));
    // The list and the modified mark caught up before the message.
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, kKindForm);
    EXPECT_EQ(shown[0].messagesBefore, 0);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(AddLoopTest, AllChosenFilesAddedShowTheLastOnesTab)
{
    const QString form = makeFile("a.prn", "form");
    const QString data = makeFile("b.prg", "data");
    const qrl::addloop::Result result = qrl::addloop::addChosenFiles(doc, {form, data}, recorder());
    EXPECT_EQ(result.added, 2);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, kKindData);
    EXPECT_TRUE(ui.shown().isEmpty());

    // A Windows shared folder ends the command; nothing after it is tried.
    const QString later = makeFile("c.prn", "form");
    qrl::addloop::addChosenFiles(doc, {QStringLiteral("\\\\server\\share\\x.prn"), later}, recorder());
    EXPECT_EQ(ui.texts(), (QStringList{qrl::text(3035),
                                       qrl::formatText(qrl::text(9330), {QStringLiteral("x.prn\nc.prn")})}));
    EXPECT_EQ(doc.GetItemCount(), 2);
    // Any path that begins with a backslash is taken for one; an ordinary path never is.
    EXPECT_FALSE(qrl::isSharedFolderPath(QStringLiteral("/srv/share/x.prn")));
    EXPECT_TRUE(qrl::isSharedFolderPath(QStringLiteral("\\single")));
}

TEST_F(AddLoopTest, PastedListSkipsFoldersAndGoesOnAfterARefusal)
{
    useSmallCard();
    const QString big = makeFile("big.prn", std::string(20000, 'f'));
    const QString folder = dirPath() + QStringLiteral("/fonts");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString tooBig = makeFile("huge.prg", std::string(20000, 'd'));
    const QString small = makeFile("small.prg", "d");

    const qrl::addloop::Result result =
        qrl::addloop::addFileList(doc, {big, folder, tooBig, small}, recorder());
    EXPECT_EQ(result.added, 2);
    EXPECT_EQ(doc.GetItemCount(), 2);
    EXPECT_EQ(ui.texts(), (QStringList{qrl::text(2210), qrl::text(2318) + tooBig}));
    // Before each message the list showed what had been added; at the end the last added item.
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].kind, kKindForm);
    EXPECT_EQ(shown[0].messagesBefore, 0);
    EXPECT_TRUE(shown[0].modified);
    EXPECT_EQ(shown[1].kind, kKindData);
    EXPECT_TRUE(doc.IsModified());

    // A single dropped file that does not fit only tells why.
    shown.clear();
    ui.clear();
    doc.SetModifiedFlag(false);
    EXPECT_FALSE(
        qrl::addloop::addDroppedFile(doc, makeFile("more.prn", std::string(20000, 'm')), recorder()));
    EXPECT_TRUE(shown.empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(ui.shown().size(), 1);
}

TEST_F(AddLoopTest, CreatorResultsEndOnTheFormsTabAndKeepWhatWasAdded)
{
    struct Case {
        const char* what;
        bool enableInProject;
        std::size_t disableSize;
        int items; // in the project afterwards
        bool modified;
        int messages;
    };
    const Case cases[] = {
        {"both added", false, 10, 2, true, 0},
        {"enable already there", true, 10, 2, true, 0},
        {"disable over capacity", false, 40000, 1, true, 1},
    };
    int round = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OpenDoc project;
        project.GetProjSett().m_medium = kSramCard;
        project.GetProjSett().m_storageSizeIndex = 0;
        const std::string suffix = std::to_string(round++);
        const QString enable = makeFile("ccpy on" + suffix + ".prn", "on");
        const QString disable = makeFile("ccpy off" + suffix + ".prn", std::string(c.disableSize, 'x'));
        ResourceKind kind = kKindNone;
        if (c.enableInProject) {
            ASSERT_TRUE(project.AddFile(enable, kind));
        }
        ui.clear();
        std::vector<ResourceKind> kinds;
        const qrl::addloop::Result result = qrl::addloop::addCreatorResults(
            project, enable, disable, [&kinds](ResourceKind k) { kinds.push_back(k); });
        EXPECT_EQ(result.added + (c.enableInProject ? 1 : 0), c.items);
        EXPECT_EQ(project.GetItemCount(), c.items);
        EXPECT_EQ(project.IsModified(), c.modified);
        EXPECT_EQ(kinds, std::vector<ResourceKind>{kKindForm});
        ASSERT_EQ(ui.shown().size(), c.messages);
        if (c.messages) {
            EXPECT_EQ(ui.texts().first(), qrl::text(2318) + disable);
        }
    }

    // An enable file that does not fit ends the command at once: nothing added, nothing marked.
    OpenDoc full;
    full.GetProjSett().m_medium = kSramCard;
    full.GetProjSett().m_storageSizeIndex = 0;
    ui.clear();
    std::vector<ResourceKind> kinds;
    qrl::addloop::addCreatorResults(full, makeFile("on.prn", std::string(40000, 'x')),
                                    makeFile("off.prn", "off"),
                                    [&kinds](ResourceKind k) { kinds.push_back(k); });
    EXPECT_EQ(full.GetItemCount(), 0);
    EXPECT_FALSE(full.IsModified());
    EXPECT_TRUE(kinds.empty());
    EXPECT_EQ(ui.shown().size(), 1);
}

TEST_F(ViewTest, RenameCutsTrueTypeNamesAndRefusesLongerNamesEmptyNamesAndMacros)
{
    const int font = addFile("a.ttf", trueTypeFont("Font"));
    const int form = addFile("b.prn", "form");
    const int macro = addFile("c.tlr", telluradeMacro("MAC"));
    const QString forty(40, QLatin1Char('n'));
    // 16 accented characters and one more are 17 single bytes.
    const QString accented = QString(16, QChar(0x00E9)) + QStringLiteral("x");

    struct Case {
        const char* what;
        int serial;
        QString text;
        std::optional<QString> stored;
        int message; // 0: none
    };
    const Case cases[] = {
        {"TrueType over 31", font, forty, QString(31, QLatin1Char('n')), 2356},
        {"TrueType at 31", font, QString(31, QLatin1Char('t')), QString(31, QLatin1Char('t')), 0},
        {"form over 32", form, forty, std::nullopt, 2357},
        {"form of accented characters", form, accented, accented, 0},
        {"empty", form, QString(), std::nullopt, 0},
        {"macro", macro, QStringLiteral("NEW"), std::nullopt, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui.clear();
        const QString before = doc.GetItemName(c.serial);
        const std::optional<QString> stored = qrl::itemrename::renameItem(doc, c.serial, c.text);
        EXPECT_EQ(stored, c.stored);
        EXPECT_EQ(doc.GetItemName(c.serial), c.stored ? *c.stored : before);
        EXPECT_EQ(ui.texts(), c.message ? QStringList{qrl::text(c.message)} : QStringList{});
    }
    EXPECT_FALSE(qrl::itemrename::canEditName(kPclMacro));
    EXPECT_FALSE(qrl::itemrename::canEditName(kTelluradeMacro));
    EXPECT_TRUE(qrl::itemrename::canEditName(kPclEoFont));
}

TEST_F(AddLoopTest, TheFilesLeftAfterTheFirstRefusalAreNamedInOneMessage)
{
    // Six files chosen at once, the third refused: the two before stay, the others are named.
    struct Row {
        const char* what;
        std::string third;
        std::function<QStringList(const QString&)> refusal; // the third's own messages
    };
    const Row rows[] = {
        {"already in the project", "c.prn",
         [](const QString& path) {
             return QStringList{path + QStringLiteral("\n\nis already in the project")};
         }},
        {"its type question cancelled", "c.zzz", [](const QString&) { return QStringList{}; }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        while (doc.GetItemCount() > 0)
            doc.RemoveItem(doc.GetItemAt(0)->serial());
        ui.clear();
        shown.clear();
        QStringList paths;
        for (const char* name : {"a.prn", "b.prg"})
            paths.append(makeFile(name, "x"));
        paths.append(makeFile(row.third, "x"));
        for (const char* name : {"d.prn", "e.prg", "f.prn"})
            paths.append(makeFile(name, "x"));
        ResourceKind kind = kKindNone;
        if (row.third == "c.prn") {
            ASSERT_TRUE(doc.AddFile(paths[2], kind));
        }
        const int before = doc.GetItemCount();

        const qrl::addloop::Result result = qrl::addloop::addChosenFiles(doc, paths, recorder());
        EXPECT_EQ(result.added, 2);
        EXPECT_EQ(doc.GetItemCount(), before + 2);
        const QStringList expected =
            row.refusal(paths[2]) +
            QStringList{qrl::formatText(
                qrl::text(9330),
                {QStringLiteral("%1\nd.prn\ne.prg\nf.prn").arg(QString::fromStdString(row.third))})};
        EXPECT_EQ(ui.texts(), expected);
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].messagesBefore, 0);
    }

    // The refused file the last one chosen: its own message is all; a long list is cut short.
    ui.clear();
    qrl::addloop::addChosenFiles(doc, {makeFile("g.zzz", "x")}, recorder());
    EXPECT_TRUE(ui.texts().isEmpty());
    QStringList many{makeFile("h.zzz", "x")};
    QStringList names{QStringLiteral("h.zzz")};
    for (int i = 0; i < 30; ++i) {
        many.append(makeFile("m" + std::to_string(i) + ".prn", "x"));
        if (names.size() < 20)
            names.append(QStringLiteral("m%1.prn").arg(i));
    }
    names.append(QStringLiteral("and 11 more"));
    qrl::addloop::addChosenFiles(doc, many, recorder());
    EXPECT_EQ(ui.texts(), QStringList{qrl::formatText(qrl::text(9330), {names.join(QLatin1Char('\n'))})});
}
