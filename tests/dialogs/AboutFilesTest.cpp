#include "CAboutDlgFiles.h"
#include "TempCwd.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace qrl::about;

TEST(AboutFiles, RowsOfPresentAndMissingFiles)
{
    qrl::test::TempDirectory dir;
    const QString folder = QString::fromStdString(dir.path()) + QLatin1Char('/');
    qrl::test::writeFile(dir.path() + "/Quorlyn32", "program");
    qrl::test::writeFile(dir.path() + "/libvintrel.so", "not an ELF file");
    qrl::test::writeFile(dir.path() + "/Qrlyn.chm", "help!");

    const auto rows = fileRows({folder + QStringLiteral("Quorlyn32"), folder, QStringLiteral("3,2,0,2"),
                                QStringLiteral("/elsewhere/Qrlyn.chm")});
    ASSERT_EQ(rows.size(), 5u);
    const char* names[] = {"Quorlyn32", "libvintrel.so", "libpelmora.so", "Qrlyn.chm", "readme.txt"};
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].fileName, QString::fromLatin1(names[i]));

    EXPECT_EQ(rows[0].version, QStringLiteral("3,2,0,2"));
    EXPECT_EQ(rows[0].size, QStringLiteral("7"));
    EXPECT_EQ(rows[0].path, folder);
    EXPECT_TRUE(rows[1].version.isEmpty()) << "a file without a version record has no version";
    EXPECT_EQ(rows[1].size, QStringLiteral("15"));
    EXPECT_EQ(rows[3].path, folder) << "the help file is looked up in the program's folder";
    for (const std::size_t missing : {std::size_t{2}, std::size_t{4}}) {
        EXPECT_TRUE(rows[missing].date.isEmpty());
        EXPECT_TRUE(rows[missing].size.isEmpty());
        EXPECT_TRUE(rows[missing].path.isEmpty());
        EXPECT_TRUE(rows[missing].version.isEmpty());
    }
    EXPECT_EQ(rows[0].date.size(), 18) << qPrintable(rows[0].date);
}

TEST(AboutFiles, BuiltLibrariesShowTheirVersionRecord)
{
    const QString folder = QStringLiteral(QUORLYN_BIN_DIR "/");
    const auto rows = fileRows({folder + QStringLiteral("missing-program"), folder, {}, {}});
    EXPECT_FALSE(rows[1].version.isEmpty());
    EXPECT_EQ(rows[1].version.count(QLatin1Char(',')), 3);
    EXPECT_FALSE(rows[2].version.isEmpty());
}

TEST(AboutFiles, DateText)
{
    EXPECT_EQ(dateText(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 59))), QStringLiteral("2026/03/04 - 05:06"));
}

TEST(AboutFiles, DoubleClickOpensOnlyPresentTextAndHelpFiles)
{
    const struct {
        const char* name;
        const char* path;
        OpenKind kind;
    } cases[] = {
        {"readme.txt", "/opt/q/", OpenKind::Text},    {"README.TXT", "/opt/q/", OpenKind::Text},
        {"Qrlyn.chm", "/opt/q/", OpenKind::Help},     {"readme.txt", "", OpenKind::None},
        {"libvintrel.so", "/opt/q/", OpenKind::None}, {"", "/opt/q/", OpenKind::None},
        {"txt", "/opt/q/", OpenKind::None},           {"QrlynENU.html", "/opt/q/", OpenKind::Help},
        {"Qrlyn.HTML", "/opt/q/", OpenKind::Help},    {"QrlynENU.html", "", OpenKind::None},
        {"html", "/opt/q/", OpenKind::None},
    };
    for (const auto& c : cases) {
        const FileRow row{QString::fromLatin1(c.name), {}, {}, {}, QString::fromLatin1(c.path)};
        EXPECT_EQ(openKind(row), c.kind) << c.name << "|" << c.path;
    }
    EXPECT_EQ(fullPath({QStringLiteral("readme.txt"), {}, {}, {}, QStringLiteral("/opt/q/")}),
              QStringLiteral("/opt/q/readme.txt"));
}

TEST(AboutFiles, FoldHalvesAndUnfoldDoubles)
{
    qrl::WindowPlacement p;
    p.left = 10;
    p.top = 20;
    p.right = 410;
    p.bottom = 321; // height 301
    EXPECT_EQ(fold(p, 1), 0);
    EXPECT_EQ(p.bottom, 170); // 20 + 150
    EXPECT_EQ(fold(p, 0), 1);
    EXPECT_EQ(p.bottom, 320) << "an odd height comes back one pixel short";
    EXPECT_EQ(fold(p, 1), 0);
    EXPECT_EQ(fold(p, 0), 1);
    EXPECT_EQ(p.bottom, 320) << "an even height comes back exactly";
    EXPECT_EQ(p.top, 20);
    EXPECT_EQ(p.right, 410);
}
