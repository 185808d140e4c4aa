// The two rules every writer of a user's text follows: texts go out as single bytes, and quotes
// pair as the printer reads them. Each rule is one table over the writers.
#include "CCallMacroDlgCheck.h"
#include "CToolDataFile.h"
#include "CallMacroCommand.h"
#include "CcpyCommandText.h"
#include "CcpyJob.h"
#include "EmcrCommandFile.h"
#include "PrintToolsData.h"
#include "ProjectFile.h"
#include "ProjectTestSupport.h"
#include "SlotCommands.h"
#include "StringTable.h"

#include <QBuffer>

#include <functional>

namespace {

using qrl::build::CommandFamily;

class PrinterTextRulesTest : public qrl::test::ProjectTest {
protected:
    // The record bytes of a form item renamed to `name` in the project.
    QByteArray renamedForm(const QString& name)
    {
        CQuorlyn32Doc doc;
        ResourceKind kind = kKindNone;
        EXPECT_TRUE(doc.AddFile(makeFile("form.prn", "form"), kind));
        EXPECT_TRUE(doc.SetItemName(doc.GetItemAt(0)->serial(), name));
        return QByteArray::fromStdString(doc.GetItemAt(0)->record().name);
    }
};

EmcrCommandJob emcrJob(const QString& macro, const QString& parameters)
{
    EmcrCommandJob job;
    job.optionMask = 0;
    job.assignments[0] = {macro, parameters, {}};
    return job;
}

// The command with parameters in which the CALL tool sends `macro`.
QByteArray callCommand(const QString& macro, const QString& parameter)
{
    QByteArray command;
    EXPECT_EQ(buildCallMacroCommand({macro, parameter, {}}, command), CallMacroProblem::None);
    return command;
}

QByteArray ccpyPage(const QByteArray& overlay)
{
    CcpyJob job;
    job.pages.resize(1);
    job.pages[0].overlayName = overlay;
    return qrl::ccpy::pageMacroText(job, 0);
}

} // namespace

TEST_F(PrinterTextRulesTest, EveryWriterStoresAndSendsTextsAsSingleBytes)
{
    struct Writer {
        const char* name;
        std::function<QByteArray(const QString&)> write;
    };
    const Writer writers[] = {
        {"project file",
         [this](const QString& text) {
             ItemRecord record;
             record.name = renamedForm(text).toStdString();
             QByteArray out;
             QBuffer buffer(&out);
             buffer.open(QIODevice::WriteOnly);
             QString error;
             EXPECT_TRUE(WriteProjectFile(buffer, CProjSett(), std::span(&record, 1), error));
             return out;
         }},
        {"tool data",
         [this](const QString& text) {
             bool ok = false;
             CToolDataFile file(
                 {dirPath() + QStringLiteral("/tooldata.dat"), dirPath() + QStringLiteral("/tooldata.dat")},
                 ok);
             PrintToolsData data;
             data.call = {QStringLiteral("M"), text, {}};
             data.macros = {{text, QByteArray("EXIT;")}};
             EXPECT_TRUE(savePrintToolsData(file, data));
             QFile written(dirPath() + QStringLiteral("/tooldata.dat"));
             EXPECT_TRUE(written.open(QIODevice::ReadOnly));
             return written.readAll();
         }},
        {"EMCR",
         [](const QString& text) { return qrl::emcr::enableFileBytes(emcrJob(QStringLiteral("M"), text)); }},
        {"CCPY", [this](const QString& text) { return ccpyPage(renamedForm(text)); }},
        {"CALL", [](const QString& text) { return callCommand(text, text); }},
        {"build commands",
         [this](const QString& text) {
             const QByteArray name = renamedForm(text);
             return qrl::build::slotPrefix(qrl::build::kSlotForms, name, CommandFamily::RwerCard, false) +
                    qrl::build::MakePowerOnFormCommand(name);
         }},
    };
    struct Input {
        QString text;
        QByteArray bytes;
    };
    const Input inputs[] = {
        {QStringLiteral("a") + QString(20, QChar(0xE9)), QByteArray("a") + QByteArray(20, '\xe9')},
        {QStringLiteral("Gr\u00fc\u00dfe"), QByteArray("Gr\xfc\xdf"
                                                       "e")},
    };
    for (const Writer& w : writers) {
        for (const Input& in : inputs) {
            const QByteArray out = w.write(in.text);
            EXPECT_TRUE(out.contains(in.bytes)) << w.name << ": " << out.toStdString();
            EXPECT_FALSE(out.contains('\xc3')) << w.name << ": " << out.toStdString();
        }
    }
    EXPECT_TRUE(ui.texts().isEmpty());
}

TEST_F(PrinterTextRulesTest, QuotesPairAsThePrinterReadsThem)
{
    // A refusal without a message of its own here: the writer's caller tells it.
    constexpr int kRefused = -1;
    const auto emcrCheck = [](const QString& macro, const QString& parameters) {
        return qrl::emcr::messageOf(qrl::emcr::checkAssignments(emcrJob(macro, parameters)));
    };
    struct Case {
        const char* writer;
        std::function<int(const QString&)> check;
        const char* input;
        int message; // 0: taken
    };
    const auto emcrName = [&](const QString& s) { return emcrCheck(s, {}); };
    const auto emcrParameters = [&](const QString& s) { return emcrCheck(QStringLiteral("M"), s); };
    const auto callName = [](const QString& s) { return qrl::callmacro::checkCallMacroParams({s, {}, {}}); };
    const auto callParameter = [](const QString& s) {
        return qrl::callmacro::checkCallMacroParams({QStringLiteral("M"), s, {}});
    };
    const auto ccpyOverlay = [](const QString& s) {
        return qrl::ccpy::isCallableName(s.toLatin1()) ? 0 : kRefused;
    };
    const auto slotName = [](const QString& s) {
        return qrl::build::checkSlotName(qrl::build::kSlotForms, s.toLatin1(), CommandFamily::RwerCard) ==
                       qrl::build::NameCheck::Ok
                   ? 0
                   : kRefused;
    };
    const Case cases[] = {
        {"EMCR name", emcrName, "one\"", 3015},
        {"EMCR name", emcrName, "one'", 3015},
        {"EMCR name", emcrName, "ONE", 0},
        {"EMCR parameters", emcrParameters, "'\"'\"", 9040},
        {"EMCR parameters", emcrParameters, "'a;b'", 9040},
        {"EMCR parameters", emcrParameters, "\"it's\"", 0},
        {"EMCR parameters", emcrParameters, "'a, \"b\"',2", 0},
        {"CALL name", callName, "A\"B", 3015},
        {"CALL name", callName, "AB", 0},
        {"CALL parameter", callParameter, "'\"'\"", 9040},
        {"CALL parameter", callParameter, "\"a;b\"", 9040},
        {"CALL parameter", callParameter, "\"it's\"", 0},
        {"CCPY overlay", ccpyOverlay, "A\"B", kRefused},
        {"CCPY overlay", ccpyOverlay, "A'B", kRefused},
        {"CCPY overlay", ccpyOverlay, "AB", 0},
        // Slot names stand in '...': only that quote closes it.
        {"slot name", slotName, "it's", kRefused},
        {"slot name", slotName, "say \"hi\"", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.check(QString::fromLatin1(c.input)), c.message) << c.writer << ": " << c.input;
    }
    // What is taken is written as typed.
    EXPECT_TRUE(qrl::emcr::enableFileBytes(emcrJob(QStringLiteral("M"), QStringLiteral("\"it's\"")))
                    .contains("EMCR E,1,M,\"it's\";"));
    EXPECT_EQ(callCommand(QStringLiteral("M"), QStringLiteral("\"it's\"")),
              QByteArray("!R! CALL M, \"it's\" ; EXIT;"));
}
