#include "LogFile.h"
#include "FileSizeLimit.h"
#include "LogWindow.h"
#include "RunAs.h"
#include "TempCwd.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QDateTime kWhen(QDate(2024, 3, 5), QTime(7, 8, 9));

class RowsWindow : public LogWindow {
public:
    explicit RowsWindow(LogFile* log) : m_log(log) {}
    int AddText(const QString& text) override
    {
        for (const QString& r : text.split("\r\n"))
            rows << r;
        return int(rows.size()) - 1;
    }
    int AddLine(const QString& text) override
    {
        rows << text;
        return int(rows.size()) - 1;
    }
    void destroyWindow() override
    {
        m_log->windowDestroyed();
        destroyed = true;
    }
    QStringList rows;
    bool destroyed = false;

private:
    LogFile* m_log;
};

class Log : public ::testing::Test {
protected:
    Log()
    {
        m_log.setClock([] { return kWhen; });
    }
    std::string contents() const { return qrl::test::readFile(m_dir.file("q.log")); }
    QString name() const { return QString::fromStdString(m_dir.file("q.log")); }

    qrl::test::TempDirectory m_dir;
    LogFile m_log;
};

} // namespace

TEST_F(Log, StampsOnlyTheStartAndEndUnlessAskedForEveryText)
{
    ASSERT_EQ(m_log.OpenNew(name(), 0), 0);
    EXPECT_EQ(m_log.WriteText("one\r\n"), 5);
    m_log.SetTimeStampMode(1);
    EXPECT_EQ(m_log.WriteText("two"), 3);
    EXPECT_EQ(m_log.WriteText(""), 0);
    m_log.SetTimeStampMode(2); // only exactly 1 stamps
    m_log.WriteText("three");
    m_log.CloseLog();
    const std::string stamp = "[2024/03/05 - 07:08:09] ";
    EXPECT_EQ(contents(), stamp + "***** Starting ***** Log file successfully opened: " +
                              name().toStdString() + "\r\n" + "one\r\n" + stamp + "two" + stamp + "three" +
                              stamp + "***** Ending ***** Log file is about closing.\r\n");
}

TEST_F(Log, AppendKeepsTheOldTextAndANewOpenTruncates)
{
    qrl::test::writeFile(name().toStdString(), "earlier\r\n");
    ASSERT_EQ(m_log.OpenAppend(name(), 0), 0);
    m_log.CloseLog();
    EXPECT_EQ(contents().rfind("earlier\r\n[2024/03/05", 0), 0u);
    ASSERT_EQ(m_log.OpenNew(name(), 0), 0);
    m_log.CloseLog();
    EXPECT_EQ(contents().rfind("[2024/03/05 - 07:08:09] ***** Starting", 0), 0u);
}

TEST_F(Log, WritesNothingWhileClosedAndRefusesASecondWriter)
{
    EXPECT_EQ(m_log.WriteText("lost"), 0);
    m_log.WriteTimeStamp();
    ASSERT_EQ(m_log.OpenNew(name(), 0), 0);
    LogFile other;
    EXPECT_NE(other.OpenAppend(name(), 0), 0);
    EXPECT_FALSE(other.isOpen());
    m_log.CloseLog();
    EXPECT_EQ(contents().find("lost"), std::string::npos);
    EXPECT_NE(LogFile().OpenNew(QString::fromStdString(m_dir.file("no/such/dir.log")), 0), 0);
}

TEST_F(Log, AFailingWriteSwitchesTheLogOffQuietly)
{
    ASSERT_EQ(m_log.OpenNew(name(), 0), 0);
    {
        // Writes past the current size fail as on a full disk.
        const qrl::test::FileSizeLimit full(contents().size() + 4);
        EXPECT_EQ(m_log.WriteText(QString(200, QLatin1Char('x'))), 0);
    }
    EXPECT_FALSE(m_log.isOpen());
    EXPECT_EQ(m_log.WriteText("after"), 0);
    EXPECT_EQ(contents().find("after"), std::string::npos);
}

TEST_F(Log, NeverWritesThroughALinkOrIntoAnythingButAPlainFile)
{
    namespace fs = std::filesystem;
    qrl::test::writeFile(m_dir.file("target.txt"), "keep\n");
    fs::create_symlink(m_dir.file("target.txt"), m_dir.file("link.log"));
    fs::create_symlink(m_dir.file("absent.txt"), m_dir.file("dangling.log"));
    fs::create_directory(m_dir.file("folder.log"));
    ASSERT_EQ(::mkfifo(m_dir.file("pipe.log").c_str(), 0600), 0);
    const std::string names[] = {m_dir.file("link.log"), m_dir.file("dangling.log"), m_dir.file("folder.log"),
                                 m_dir.file("pipe.log"), "/dev/null"};
    for (const std::string& n : names) {
        const QString fileName = QString::fromStdString(n);
        EXPECT_FALSE(LogFile::isPlainFileOrAbsent(fileName)) << n;
        for (bool append : {false, true}) {
            LogFile log;
            EXPECT_NE(append ? log.OpenAppend(fileName, 0) : log.OpenNew(fileName, 0), 0) << n;
            EXPECT_FALSE(log.isOpen()) << n;
        }
    }
    EXPECT_EQ(qrl::test::readFile(m_dir.file("target.txt")), "keep\n");
    EXPECT_FALSE(fs::exists(m_dir.file("absent.txt")));
    EXPECT_TRUE(LogFile::isPlainFileOrAbsent(name()));
    EXPECT_TRUE(LogFile::isPlainFileOrAbsent(QString::fromStdString(m_dir.file("target.txt"))));
}

// In a folder every user may write, a log another user left there (writable by all) never
// receives this user's entries; the user's own log there is opened as usual.
TEST_F(Log, AnotherUsersFileIsNeverOpened)
{
    if (qrl::test::rootReason())
        GTEST_SKIP() << qrl::test::rootReason();
    ASSERT_EQ(::chmod(m_dir.path().c_str(), 01777), 0);
    const std::string planted = m_dir.file("Quorlyn32.log");
    const std::string own = m_dir.file("own.log");
    EXPECT_EQ(qrl::test::runAs({1002, 1002}, 0,
                               [&] {
                                   qrl::test::writeFile(planted, "theirs\n");
                                   return ::chmod(planted.c_str(), 0666) == 0;
                               }),
              0);
    EXPECT_EQ(qrl::test::runAs({1001, 1001}, 0,
                               [&] {
                                   bool refused = true;
                                   for (bool append : {false, true}) {
                                       LogFile log;
                                       const QString name = QString::fromStdString(planted);
                                       refused =
                                           refused &&
                                           (append ? log.OpenAppend(name, 0) : log.OpenNew(name, 0)) != 0 &&
                                           !log.isOpen() && log.WriteText("mine") == 0;
                                   }
                                   LogFile mine;
                                   return refused && mine.OpenNew(QString::fromStdString(own), 0) == 0;
                               }),
              0);
    EXPECT_EQ(qrl::test::readFile(planted), "theirs\n");
    EXPECT_NE(qrl::test::readFile(own).find("Starting"), std::string::npos);
}

TEST_F(Log, TheWindowGetsTheSameRowsAndStaysClosedOnceClosed)
{
    RowsWindow* window = nullptr;
    LogFile::setWindowFactory([&window](LogFile* log) { return window = new RowsWindow(log); });
    ASSERT_EQ(m_log.OpenNew(name(), 1), 0);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(m_log.windowShown());
    m_log.WriteText("a\r\nb");
    const QString stamp = "[2024/03/05 - 07:08:09] ";
    EXPECT_EQ(
        window->rows,
        (QStringList{stamp + "***** Starting ***** Log file successfully opened: " + name(), "a", "b"}));
    std::unique_ptr<RowsWindow> owned(window);
    m_log.CloseWindow();
    EXPECT_TRUE(window->destroyed);
    EXPECT_EQ(m_log.window(), nullptr);
    m_log.WriteText("c\r\n");
    m_log.CloseLog();
    EXPECT_EQ(window->rows.size(), 3);
    EXPECT_NE(contents().find("c\r\n"), std::string::npos);
    LogFile::setWindowFactory({});
}
