#include "CToolDataFile.h"
#include "FileSave.h"
#include "PrintToolsData.h"
#include "ToolDataImage.h"
#include "ToolDataText.h"
#include "ToolsTextIds.h"

#include "FileSizeLimit.h"
#include "RunAs.h"
#include "ScriptedUserInterface.h"
#include "StringTable.h"
#include "TempCwd.h"

#include <QDir>
#include <QFileInfo>

#include <filesystem>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using qrl::test::readFile;
using qrl::test::writeFile;

namespace {

// The skeleton, spelled out as the file holds it.
const std::string kSkeletonBytes =
    "[CALL_MCRO]\r\n[CALL_PARAM]\r\n[CALL_RPT]\r\n[MACRO_FILE]\r\n[CUSTOM_MCRO1]\r\n";

class ToolDataFileTest : public ::testing::Test {
protected:
    CToolDataFile::Location here() const { return {path, path}; }
    std::unique_ptr<CToolDataFile> open()
    {
        bool ok = false;
        auto tools = std::make_unique<CToolDataFile>(here(), ok);
        EXPECT_TRUE(ok);
        return tools;
    }
    QByteArray bytes() const { return QByteArray::fromStdString(readFile(file)); }

    qrl::test::TempDirectory dir;
    std::string file = dir.file("tooldata.dat");
    QString path = QString::fromStdString(file);
    qrl::test::ScriptedUserInterface ui;
};

QByteArray padding(qsizetype size)
{
    return QByteArray(size, 'x');
}

} // namespace

TEST_F(ToolDataFileTest, MissingFileIsCreatedWithTheSkeletonAndReadsBackEmpty)
{
    auto first = open();
    EXPECT_EQ(first->created(), 1);
    EXPECT_EQ(readFile(file), kSkeletonBytes);
    EXPECT_EQ(kSkeletonBytes.size(), 69u);

    QByteArray value = "unchanged";
    EXPECT_TRUE(first->ReadCallMacro(value));
    EXPECT_TRUE(value.isEmpty());
    const PrintToolsData data = loadPrintToolsData(*first);
    EXPECT_EQ(data, PrintToolsData{});

    // An existing file is only opened.
    EXPECT_EQ(open()->created(), 0);
    EXPECT_EQ(readFile(file), kSkeletonBytes);
    EXPECT_TRUE(ui.shown().isEmpty());
}

TEST_F(ToolDataFileTest, SavedDataIsWrittenInTheFileFormatAndReadsBackUnchanged)
{
    auto tools = open();
    PrintToolsData data;
    data.call = {QStringLiteral("ABCD"), QStringLiteral("1"), QStringLiteral("2")};
    data.fileToSend = QStringLiteral("/srv/forms/Überweisung.prn");
    data.macros = {
        {QStringLiteral("Custom macro #1"), std::nullopt},
        {QStringLiteral("Logo"), QByteArray("!R! MCRO LOGO;\r\nBOX 10,10;\r\nENDM;\r\nEXIT;")},
        {QStringLiteral("Grüße"),
         QByteArray("!R! CALL LOGO;\r\n  [CALL_MCRO] mid-line is text\r\nEXIT;\r\n")},
    };
    ASSERT_TRUE(savePrintToolsData(*tools, data));

    const QByteArray expected = "[CALL_MCRO]ABCD\r\n[CALL_PARAM]1\r\n[CALL_RPT]2\r\n"
                                "[MACRO_FILE]/srv/forms/\xC3\x9C"
                                "berweisung.prn\r\n"
                                "[CUSTOM_MCRO|Custom macro #1]\r\n"
                                "[CUSTOM_MCRO|Logo]!R! MCRO LOGO;\r\nBOX 10,10;\r\nENDM;\r\nEXIT;\r\n"
                                "[CUSTOM_MCRO|Gr\xFC\xDF"
                                "e]!R! CALL LOGO;\r\n  [CALL_MCRO] mid-line is text\r\n"
                                "EXIT;\r\n\r\n";
    EXPECT_EQ(bytes(), expected);

    // A macro saved without text reads back with an empty one.
    data.macros[0].text = QByteArray();
    EXPECT_EQ(loadPrintToolsData(*open()), data);
    EXPECT_TRUE(ui.shown().isEmpty());
}

TEST_F(ToolDataFileTest, FilesOfOlderRunsAreReadAsTheyStand)
{
    // A value at the very end without CR LF is read whole; a Latin-1 name is shown as Latin-1.
    writeFile(file, "[CALL_MCRO]M1\r\n[CALL_PARAM]\r\n[CALL_RPT]3\r\n[CUSTOM_MCRO|Gr\xFC\xDF]A\r\n"
                    "[MACRO_FILE]C:\\FORMS\\A.PRN");
    const PrintToolsData data = loadPrintToolsData(*open());
    EXPECT_EQ(data.call, (CallMacroParams{QStringLiteral("M1"), QString(), QStringLiteral("3")}));
    EXPECT_EQ(data.fileToSend, QStringLiteral("C:\\FORMS\\A.PRN"));
    ASSERT_EQ(data.macros.size(), 1u);
    EXPECT_EQ(data.macros[0].name, QString::fromLatin1("Gr\xFC\xDF"));
    // The macro ends where the next entry begins, whatever its kind.
    EXPECT_EQ(data.macros[0].text, QByteArray("A"));

    // An earlier build wrote the values as UTF-8: they read back as typed and are saved as single bytes.
    writeFile(file, "[CALL_MCRO]M\xc3\x9c\r\n[CALL_PARAM]'\xc3\xa9'\r\n[CALL_RPT]\r\n[CUSTOM_MCRO|"
                    "Gr\xc3\xbc\xc3\x9f]A\r\n");
    const PrintToolsData earlier = loadPrintToolsData(*open());
    EXPECT_EQ(earlier.call,
              (CallMacroParams{QStringLiteral("M\u00dc"), QStringLiteral("'\u00e9'"), QString()}));
    ASSERT_EQ(earlier.macros.size(), 1u);
    EXPECT_EQ(earlier.macros[0].name, QStringLiteral("Gr\u00fc\u00df"));
    ASSERT_TRUE(savePrintToolsData(*open(), earlier));
    EXPECT_TRUE(bytes().startsWith("[CALL_MCRO]M\xdc\r\n[CALL_PARAM]'\xe9'\r\n")) << bytes().toStdString();
    EXPECT_TRUE(bytes().contains("[CUSTOM_MCRO|Gr\xfc\xdf]A")) << bytes().toStdString();

    // One CALL value missing empties all three.
    writeFile(file, "[CALL_MCRO]M1\r\n[CALL_RPT]3\r\n");
    EXPECT_EQ(loadPrintToolsData(*open()).call, CallMacroParams{});
}

TEST_F(ToolDataFileTest, TagsAreFoundOnlyWhenTheyBeginBeforeOffset10000)
{
    struct Case {
        qsizetype tagOffset;
        bool textFound;
    };
    for (const Case c : {Case{9999, true}, Case{10000, false}}) {
        SCOPED_TRACE(c.tagOffset);
        // A comment line pads the file so that the second macro's tag begins at the offset.
        QByteArray content = "[CUSTOM_MCRO|first]one\r\n";
        content += padding(c.tagOffset - content.size() - 2) + "\r\n";
        ASSERT_EQ(content.size(), c.tagOffset);
        content += "[CUSTOM_MCRO|second]two\r\n[CUSTOM_MCRO|third]three\r\n";
        writeFile(file, content.toStdString());

        const PrintToolsData data = loadPrintToolsData(*open());
        ASSERT_EQ(data.macros.size(), 3u); // names are listed wherever they lie
        EXPECT_EQ(data.macros[1].name, QStringLiteral("second"));
        EXPECT_EQ(data.macros[1].text.has_value(), c.textFound);
        if (c.textFound) {
            EXPECT_EQ(*data.macros[1].text, QByteArray("two"));
        }
        // The first text ends before the second tag even when that tag is out of the search's reach.
        EXPECT_EQ(data.macros[0].text, QByteArray("one\r\n") + padding(c.tagOffset - 26));
    }

    const QByteArray late = padding(10000) + "\r\n[CALL_MCRO]late\r\n";
    EXPECT_FALSE(qrl::tooldata::readValue(late, qrl::tooldata::kCallMacroTag));
}

TEST_F(ToolDataFileTest, HostileFilesAreReadWithinTheirBytes)
{
    struct Case {
        const char* what;
        QByteArray content;
        std::vector<QByteArray> names;
        std::vector<std::optional<QByteArray>> texts;
        QByteArray callParam;
    };
    const Case cases[] = {
        {"tags inside values",
         "[CALL_MCRO]X[CALL_PARAM]Y [CUSTOM_MCRO|in]Z\r\n[CALL_PARAM]P\r\n",
         {},
         {},
         "P"},
        {"a tag inside a macro line",
         "[CUSTOM_MCRO|a]CALL [CUSTOM_MCRO|b]x\r\n",
         {"a"},
         {"CALL [CUSTOM_MCRO|b]x"},
         {}},
        {"macro at the end without its line end", "[CUSTOM_MCRO|a]", {"a"}, {""}, {}},
        {"macro with one byte", "[CUSTOM_MCRO|a]x", {"a"}, {"x"}, {}},
        {"name without bracket on its line",
         "[CUSTOM_MCRO|a\r\nb]\r\n[CUSTOM_MCRO|c]t\r\n",
         {"c"},
         {"t"},
         {}},
        {"name without bracket at the end", "[CUSTOM_MCRO|abc", {}, {}, {}},
        {"name too long to hold",
         "[CUSTOM_MCRO|" + padding(256) + "]t\r\n[CUSTOM_MCRO|ok]u\r\n",
         {"ok"},
         {"u"},
         {}},
        {"macro before another kind of entry", "[CUSTOM_MCRO|a]t\r\n[CALL_PARAM]Q\r\n", {"a"}, {"t"}, "Q"},
        {"line ends without CR",
         "[CALL_PARAM]L\n[CUSTOM_MCRO|a]t\nu\n[CUSTOM_MCRO|b]v\n",
         {"a", "b"},
         {"t\nu", "v"},
         "L"},
        {"empty file", "", {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<QByteArray> names;
        std::vector<std::optional<QByteArray>> texts;
        qint64 offset = 0;
        QByteArray name;
        while (qrl::tooldata::nextCustomMacroName(c.content, offset, name)) {
            names.push_back(name);
            texts.push_back(qrl::tooldata::readCustomMacro(c.content, name));
        }
        EXPECT_EQ(names, c.names);
        EXPECT_EQ(texts, c.texts);
        EXPECT_EQ(qrl::tooldata::readValue(c.content, qrl::tooldata::kCallParamTag).value_or(QByteArray()),
                  c.callParam);
    }
}

TEST_F(ToolDataFileTest, EntriesThatWouldNotReadBackAreRefusedAndTheFileIsKept)
{
    auto tools = open();
    const std::string before = readFile(file);
    using Refusal = ToolDataImage::Refusal;
    struct Case {
        const char* what;
        PrintToolsData data;
        Refusal refusal;
    };
    const PrintToolsData::Macro tagLine{QStringLiteral("m"), QByteArray("!R!\r\n[CUSTOM_MCRO|x]\r\nEXIT;")};
    const PrintToolsData::Macro big{QStringLiteral("big"), padding(9990)};
    const Case cases[] = {
        {"line break in a CALL value",
         {{QStringLiteral("A\r\nB"), {}, {}}, {}, {}},
         Refusal::LineBreakInValue},
        {"path too long", {{}, QString(261, QLatin1Char('p')), {}}, Refusal::PathTooLong},
        {"bracket in a name", {{}, {}, {{QStringLiteral("a]b"), std::nullopt}}}, Refusal::BadName},
        {"name too long", {{}, {}, {{QString(244, QLatin1Char('n')), std::nullopt}}}, Refusal::BadName},
        {"tag at the start of a macro line", {{}, {}, {tagLine}}, Refusal::TagInMacroText},
        {"entry past the tag window",
         {{}, {}, {big, {QStringLiteral("after"), std::nullopt}}},
         Refusal::PastTagWindow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui.clear();
        EXPECT_FALSE(savePrintToolsData(*tools, c.data));
        ASSERT_EQ(ui.shown().size(), 1);
        EXPECT_EQ(readFile(file), before);

        ToolDataImage image;
        bool kept = image.WriteCallBlock(c.data.call.macroName.toUtf8(), {}, {}) &&
                    image.AppendMacroFile(c.data.fileToSend.toUtf8());
        for (const auto& macro : c.data.macros)
            kept = kept && image.AppendCustomMacro(macro.name.toUtf8(), macro.text ? &*macro.text : nullptr);
        EXPECT_FALSE(kept);
        EXPECT_EQ(image.refusal(), c.refusal);
        EXPECT_EQ(ui.shown()[0].text, image.refusalText());
    }
    // At the limits everything is kept.
    PrintToolsData limits{
        {}, QString(260, QLatin1Char('p')), {{QString(243, QLatin1Char('n')), std::nullopt}}};
    EXPECT_TRUE(savePrintToolsData(*tools, limits));
    EXPECT_EQ(loadPrintToolsData(*tools).macros[0].name.size(), 243);
}

TEST_F(ToolDataFileTest, AWriteThatFailsLeavesThePreviousFileWhole)
{
    auto tools = open();
    PrintToolsData data;
    data.call.macroName = QStringLiteral("KEEP");
    ASSERT_TRUE(savePrintToolsData(*tools, data));
    const std::string before = readFile(file);

    data.macros.push_back({QStringLiteral("large"), padding(8000)});
    {
        const qrl::test::FileSizeLimit fullDisk(4096);
        EXPECT_FALSE(savePrintToolsData(*tools, data));
    }
    EXPECT_EQ(readFile(file), before);
    ASSERT_EQ(ui.shown().size(), 1);
    EXPECT_EQ(ui.shown()[0].text, qrl::writeFailureText(qrl::WriteError::TooLarge, path));
    // No scratch file is left beside it.
    EXPECT_EQ(QDir(QString::fromStdString(dir.path())).entryList(QDir::Files),
              QStringList{QStringLiteral("tooldata.dat")});
}

TEST_F(ToolDataFileTest, AFileThatCannotBeOpenedIsReportedByEveryReader)
{
    auto tools = open();
    std::filesystem::remove(file);
    std::filesystem::create_directory(file); // a folder where the file should be
    QByteArray value = "unchanged";
    EXPECT_FALSE(tools->ReadCallMacro(value));
    EXPECT_FALSE(tools->ReadMacroFile(value));
    qint64 offset = 0;
    EXPECT_FALSE(tools->NextCustomMacroName(offset, value));
    EXPECT_EQ(value, QByteArray("unchanged"));
    EXPECT_EQ(ui.shown().size(), 3);

    bool ok = true;
    CToolDataFile again(here(), ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(ui.shown().size(), 4);
}

TEST_F(ToolDataFileTest, TheFileLivesBesideTheProgramUnlessItsFolderIsReadOnly)
{
    const QString program = QString::fromStdString(dir.path()) + QStringLiteral("/program");
    const QString user = QString::fromStdString(dir.path()) + QStringLiteral("/user");
    QDir().mkpath(program);
    const QString programFile = program + QStringLiteral("/tooldata.dat");
    const QString userFile = user + QStringLiteral("/tooldata.dat");

    using Location = CToolDataFile::Location;
    auto same = [](const Location& a, const Location& b) {
        return a.readPath == b.readPath && a.writePath == b.writePath;
    };
    EXPECT_TRUE(same(CToolDataFile::locate(program, user, true), {programFile, programFile}));
    EXPECT_TRUE(same(CToolDataFile::locate(program, user, false), {userFile, userFile}));

    // An installed copy in a read-only program folder is read until the user's own is written.
    writeFile(programFile.toStdString(), "[CALL_MCRO]SHIPPED\r\n[CALL_PARAM]\r\n[CALL_RPT]\r\n");
    const Location installed = CToolDataFile::locate(program, user, false);
    EXPECT_TRUE(same(installed, {programFile, userFile}));
    bool ok = false;
    CToolDataFile tools(installed, ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(tools.created(), 0);
    PrintToolsData data = loadPrintToolsData(tools);
    EXPECT_EQ(data.call.macroName, QStringLiteral("SHIPPED"));
    data.call.macroName = QStringLiteral("MINE");
    ASSERT_TRUE(savePrintToolsData(tools, data));
    EXPECT_EQ(readFile(programFile.toStdString()).substr(0, 19), "[CALL_MCRO]SHIPPED\r");
    EXPECT_EQ(loadPrintToolsData(tools).call.macroName, QStringLiteral("MINE"));

    // Once the user has a copy it is the one used, also where the program's folder is writable.
    EXPECT_TRUE(same(CToolDataFile::locate(program, user, true), {userFile, userFile}));

    // The program's folder is used only when it is this user's own: one that others own (an
    // installation, /tmp) is not written, however writable.
    EXPECT_TRUE(CToolDataFile::isOwnWritableFolder(program));
    EXPECT_FALSE(CToolDataFile::isOwnWritableFolder(program + QStringLiteral("/none")));
    if (::geteuid() == 0) {
        const std::string shared = dir.file("shared");
        std::filesystem::create_directory(shared);
        ASSERT_EQ(::chown(shared.c_str(), 65534, static_cast<gid_t>(-1)), 0);
        EXPECT_FALSE(CToolDataFile::isOwnWritableFolder(QString::fromStdString(shared)));
    } else {
        EXPECT_FALSE(CToolDataFile::isOwnWritableFolder(QStringLiteral("/tmp")));
    }

    // Without a copy anywhere the skeleton goes to the user's folder.
    std::filesystem::remove_all(program.toStdString());
    std::filesystem::remove_all(user.toStdString());
    CToolDataFile fresh(CToolDataFile::locate(program, user, false), ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(fresh.created(), 1);
    EXPECT_EQ(readFile(userFile.toStdString()), kSkeletonBytes);
}

// A file beside the program is read only when it is this user's or root's and neither its group
// nor others may write it; otherwise the user's own file is used and the other is left as it is.
TEST_F(ToolDataFileTest, AFileBesideTheProgramIsReadOnlyWhenNoOneElseCanHaveWrittenIt)
{
    const bool root = ::geteuid() == 0;
    const uid_t me = root ? 1001 : ::geteuid();
    struct Case {
        const char* what;
        uid_t owner;
        mode_t mode;
        bool folderWritable;
        bool read;
    };
    const Case cases[] = {
        {"own, only the owner writes", me, 0644, false, true},
        {"own, in the user's own folder", me, 0600, true, true},
        {"own, the group writes", me, 0664, false, false},
        {"own, everyone writes, in the user's own folder", me, 0666, true, false},
        {"root's, installed", 0, 0644, false, true},
        {"root's, the group writes", 0, 0674, false, false},
        {"another user's", 1002, 0644, false, false},
        {"another user's in the user's own folder", 1002, 0644, true, false},
    };
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    const std::string program = dir.file("program");
    const std::string shared = dir.file("home");
    std::filesystem::create_directory(program);
    std::filesystem::create_directory(shared);
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    const std::string programFile = program + "/tooldata.dat";
    const std::string shipped = "[CALL_MCRO]SHIPPED\r\n[CALL_PARAM]\r\n[CALL_RPT]\r\n";
    for (const Case& c : cases) {
        if (!root && c.owner != me)
            continue;
        const std::string user = shared + "/user";
        std::filesystem::remove_all(user);
        writeFile(programFile, shipped);
        ASSERT_EQ(root ? ::chown(programFile.c_str(), c.owner, c.owner) : 0, 0) << c.what;
        ASSERT_EQ(::chmod(programFile.c_str(), c.mode), 0) << c.what;
        const auto step = [&] {
            const CToolDataFile::Location location = CToolDataFile::locate(
                QString::fromStdString(program), QString::fromStdString(user), c.folderWritable);
            bool ok = false;
            CToolDataFile tools(location, ok);
            const bool read = loadPrintToolsData(tools).call.macroName == QStringLiteral("SHIPPED");
            return ok && read == c.read && tools.created() == (c.read ? 0 : 1);
        };
        EXPECT_EQ(root ? qrl::test::runAs({me, me}, 0, step) : step() ? 0 : 1, 0) << c.what;
        EXPECT_EQ(readFile(programFile), shipped) << c.what;
    }
    // The file this program makes beside itself is one it reads again, whatever the umask.
    std::filesystem::remove(programFile);
    const mode_t previousMask = ::umask(002);
    bool made = false;
    const CToolDataFile::Location own = CToolDataFile::locate(
        QString::fromStdString(program), QString::fromStdString(shared + "/user2"), true);
    const CToolDataFile first(own, made);
    ::umask(previousMask);
    ASSERT_TRUE(made);
    ui.clear();
    CToolDataFile again(CToolDataFile::locate(QString::fromStdString(program),
                                              QString::fromStdString(shared + "/user2"), true),
                        made);
    QByteArray none;
    EXPECT_TRUE(made);
    EXPECT_EQ(again.created(), 0);
    EXPECT_TRUE(again.ReadCallMacro(none));
    EXPECT_TRUE(ui.shown().isEmpty());

    // A file that others may write by the time it is read is refused on the file opened.
    writeFile(programFile, shipped);
    ASSERT_EQ(::chown(programFile.c_str(), ::geteuid(), ::getegid()), 0);
    ASSERT_EQ(::chmod(programFile.c_str(), 0644), 0);
    std::filesystem::remove_all(shared + "/user");
    bool ok = false;
    CToolDataFile tools(CToolDataFile::locate(QString::fromStdString(program),
                                              QString::fromStdString(shared + "/user"), false),
                        ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(::chmod(programFile.c_str(), 0666), 0);
    ui.clear();
    QByteArray value;
    EXPECT_FALSE(tools.ReadCallMacro(value));
    ASSERT_EQ(ui.shown().size(), 1);
    EXPECT_TRUE(ui.shown()[0].text.contains(qrl::text(qrl::ids::kProgramFileNotTrusted)));
}
