#include "TextFormat.h"

#include <gtest/gtest.h>

#include <clocale>

using qrl::formatText;

TEST(TextFormat, FillsTheConversionsTheTablesUse)
{
    struct Case {
        const char* format;
        QString expected;
        QString actual;
    };
    const Case cases[] = {
        {"SLT%05d.SLT", "SLT00007.SLT", formatText("SLT%05d.SLT", {7})},
        {"[%.4d/%.2d/%.2d]", "[2024/03/05]", formatText("[%.4d/%.2d/%.2d]", {2024, 3, 5})},
        {"%lu KB", "4294967295 KB", formatText("%lu KB", {4294967295ul})},
        {"%s_%d.log", "Quorlyn32_3.log", formatText("%s_%d.log", {QStringLiteral("Quorlyn32"), 3})},
        {"%02X", "0A", formatText("%02X", {10})},
        {"(%x)", "(ffff)", formatText("(%x)", {0xffff})},
        {"%-4s|", "ab  |", formatText("%-4s|", {"ab"})},
        {"100%%", "100%", formatText("100%%", {})},
        {"%c", "A", formatText("%c", {65})},
        {"%d", "-12", formatText("%d", {-12})},
        {"%u of -1", "4294967295 of -1", formatText("%u of -1", {-1})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.actual, c.expected) << c.format;
}

TEST(TextFormat, NeverReadsArgumentsThatWereNotGiven)
{
    // A translated or stored text with more conversions than arguments gets empty fills.
    EXPECT_EQ(formatText("%s and %s and %d", {"one"}), QStringLiteral("one and  and "));
    // A text given to a number conversion is written as text, a number to %s in decimal.
    EXPECT_EQ(formatText("%d/%s", {"x", 5}), QStringLiteral("x/5"));
    // An incomplete conversion at the end stays as written.
    EXPECT_EQ(formatText("50%", {1}), QStringLiteral("50%"));
}

TEST(TextFormat, IsLocaleFree)
{
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    // A locale with a decimal comma must not change printer numbers (skipped when not installed).
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_EQ(formatText("%.2f", {1.5}), QStringLiteral("1.50"));
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(TextFormat, SignatureComparesArgumentKinds)
{
    EXPECT_EQ(qrl::formatSignature("INFO %s ... %s ... %s"), QStringLiteral("sss"));
    EXPECT_EQ(qrl::formatSignature("%lu %05d %x 100%%"), QStringLiteral("ddd"));
    EXPECT_EQ(qrl::formatBytes("!R!%s;%d", {"A", 2}), QByteArray("!R!A;2"));
}
