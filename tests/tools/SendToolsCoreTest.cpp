#include "CCallMacroDlgCheck.h"
#include "CMacroEditDlgText.h"
#include "CSendPrintToolsSettings.h"
#include "PrinterText.h"
#include "StringTable.h"
#include "TestEnvironment.h"
#include "TextIds.h"

#include <gtest/gtest.h>

TEST(SendToolsSettings, DefaultsThenRoundTripInTheSendSection)
{
    qrl::test::ScopedProfile profile;
    EXPECT_EQ(CSendPrintToolsSettings::read(), CSendPrintToolsSettings{});
    ASSERT_TRUE(CSendPrintToolsSettings::write({QStringLiteral("FS-1"), true}));
    EXPECT_EQ(qrl::profile().getInt(QStringLiteral("Send Print Tools"), QStringLiteral("Tarnwick"), 0), 1);
    EXPECT_EQ(qrl::profile().getString(QStringLiteral("Send Print Tools"), QStringLiteral("Printer")),
              QStringLiteral("FS-1"));
    EXPECT_EQ(CSendPrintToolsSettings::read(), (CSendPrintToolsSettings{QStringLiteral("FS-1"), true}));
}

TEST(SendToolsSettings, OnlyTheThreeFormattingToolsWarn)
{
    EXPECT_EQ(qrl::sendtools::formatWarningId(qrl::text(2003)), 2202);
    EXPECT_EQ(qrl::sendtools::formatWarningId(qrl::text(2005)), 3030);
    EXPECT_EQ(qrl::sendtools::formatWarningId(qrl::text(2007)), 3031);
    for (const int other : {2000, 2004, 2006, 2008, 2013, 2014, 2015})
        EXPECT_EQ(qrl::sendtools::formatWarningId(qrl::text(other)), 0) << other;
    EXPECT_EQ(qrl::text(qrl::sendtools::resultTextId(true)), QStringLiteral("All items were sent"));
    EXPECT_EQ(qrl::text(qrl::sendtools::resultTextId(false)), QStringLiteral("No items were sent"));
}

TEST(CallMacroCheck, RepeatCountMustBeADecimalUpTo32767)
{
    struct Case {
        const char* repeat;
        int expected;
    } const cases[] = {
        {"", 0},      {"2", 0},     {"32767", 0}, {"0032767", 0},     {"32768", 3989}, {"999999999999", 3989},
        {"1a", 3041}, {"-1", 3041}, {" 2", 3041}, {"\xd9\xa3", 3041}, // an Arabic-Indic digit is no digit
                                                                      // here
    };
    for (const Case& c : cases) {
        const CallMacroParams params{QStringLiteral("ABCD"), QString(), QString::fromUtf8(c.repeat)};
        EXPECT_EQ(qrl::callmacro::checkCallMacroParams(params), c.expected) << c.repeat;
    }
    // An empty name is taken here and reported when the tools are sent.
    EXPECT_EQ(qrl::callmacro::checkCallMacroParams({}), 0);
    // Name and parameter go to the printer in Latin-1.
    EXPECT_EQ(
        qrl::callmacro::checkCallMacroParams({QStringLiteral("\u00c9T\u00c9"), QStringLiteral("\u00ff"), {}}),
        0);
    EXPECT_EQ(qrl::callmacro::checkCallMacroParams({QStringLiteral("\u0100"), {}, {}}), qrl::ids::kNotLatin1);
    EXPECT_EQ(qrl::callmacro::checkCallMacroParams({QStringLiteral("ABCD"), QStringLiteral("1 \u20ac"), {}}),
              qrl::ids::kNotLatin1);
}

TEST(MacroEditText, LineBreaksAreCrLfAndEveryByteRoundTrips)
{
    const QByteArray stored("!R! STAT;\r\nEXIT;\r\n\xe9\x01");
    const QString shown = qrl::macroedit::editorText(stored);
    EXPECT_EQ(shown, QStringLiteral("!R! STAT;\nEXIT;\n") + QChar(0xE9) + QChar(1));
    EXPECT_EQ(qrl::macroedit::storedText(shown), stored);
    EXPECT_EQ(qrl::macroedit::storedText(QString()), QByteArray());
    // A character that is not one byte is refused rather than sent as another.
    EXPECT_FALSE(qrl::macroedit::storedText(QStringLiteral("EXIT; \u20ac")).has_value());
}
