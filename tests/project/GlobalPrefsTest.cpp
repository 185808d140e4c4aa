#include "CGlobalPrefs.h"
#include "ResourceTypes.h"
#include "ScriptedUserInterface.h"
#include "StringTable.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

const QString kMap = QStringLiteral("File Mappings");

class GlobalPrefs : public ::testing::Test {
protected:
    qrl::test::ScopedProfile profile;
    qrl::test::ScriptedUserInterface ui;
};

} // namespace

TEST_F(GlobalPrefs, FirstRunDropsOldMappingsAndLoadsTheBuiltInRows)
{
    profile.setString(kMap, "Map #0", "xyz;FONT;True Type Font");
    CGlobalPrefs prefs(QStringLiteral("1,0,0,1"));
    ASSERT_TRUE(prefs.Load());
    EXPECT_EQ(profile.getString("Settings", "version"), QStringLiteral("1,0,0,1"));
    ASSERT_EQ(prefs.count(), 10);
    EXPECT_EQ(prefs.SubtypeByExtension("xyz"), kSubtypeUnmapped);
    ASSERT_TRUE(prefs.Save());
    EXPECT_EQ(profile.valueNames(kMap).size(), 10);
    EXPECT_EQ(profile.getString(kMap, "Map #9"), QStringLiteral("prg;DATA;Program Data"));
}

TEST_F(GlobalPrefs, LookupsByExtensionAndSubtype)
{
    profile.setString("Settings", "version", "v");
    profile.setString(kMap, "Map #0", "ttf,TTC;FONT;True Type Font");
    profile.setString(kMap, "Map #1", "tlr;MACRO;Tellurade Macro");
    profile.setString(kMap, "Map #2", "myf;FONT;My Fonts");
    profile.setString(kMap, "Map #3", "frm;FORMS;Application Generated Form");
    profile.setString(kMap, "Map #4", "");
    profile.setString(kMap, "Map #5", "prg;DATA;Program Data");
    profile.setString(kMap, "Map #6", "no separators");
    CGlobalPrefs prefs(QStringLiteral("v"));
    ASSERT_TRUE(prefs.Load());
    struct Case {
        const char* extension;
        int subtype;
        ResourceKind kind;
    };
    const Case cases[] = {
        {"ttf", kTrueTypeFont, kKindFont},
        {"TTC", kTrueTypeFont, kKindFont},
        {"Ttc", kTrueTypeFont, kKindFont},
        {"tlr", kTelluradeMacro, kKindMacro},
        {"myf", kSubtypeUnknownDescription, kKindFont},
        {"frm", kApplicationForm, kKindForm},
        {"prg", kProgramData, kKindData},
        {"zzz", kSubtypeUnmapped, kKindNone},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(prefs.SubtypeByExtension(c.extension), c.subtype) << c.extension;
        EXPECT_EQ(prefs.KindByExtension(c.extension), c.kind) << c.extension;
    }
    // An empty value is passed over; the rows after it stay and are saved again.
    EXPECT_EQ(prefs.count(), 7);
    EXPECT_EQ(prefs.ExtensionOfSubtype(kTelluradeMacro), QStringLiteral("tlr"));
    EXPECT_EQ(prefs.DescriptionOfSubtype(kProgramData), QStringLiteral("Program Data"));
    EXPECT_EQ(prefs.KindOfSubtype(kApplicationForm), kKindNone); // "FORMS" is no type word
    EXPECT_EQ(prefs.KindOfSubtype(kPclMacro), kKindNone);        // nothing maps to it
    EXPECT_EQ(prefs.GetAt(6).description, QStringLiteral("no separators"));
    EXPECT_TRUE(prefs.GetAt(6).extension.isEmpty());

    ASSERT_TRUE(prefs.Save());
    CGlobalPrefs again(QStringLiteral("v"));
    ASSERT_TRUE(again.Load());
    ASSERT_EQ(again.count(), prefs.count());
    EXPECT_EQ(profile.getString(kMap, "Map #1"), QStringLiteral("TTC;FONT;True Type Font"));
    for (int i = 0; i < prefs.count(); ++i)
        EXPECT_EQ(again.GetAt(i).extension, prefs.GetAt(i).extension) << i;
}

TEST_F(GlobalPrefs, RemovingRenumbersTheRows)
{
    CGlobalPrefs prefs(QStringLiteral("v"));
    ASSERT_TRUE(prefs.Load());
    prefs.RemoveAt(0);
    ASSERT_EQ(prefs.count(), 9);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(prefs.GetAt(i).row, i);
    EXPECT_FALSE(CGlobalPrefs::isStorableExtension(""));
    EXPECT_FALSE(CGlobalPrefs::isStorableExtension("a;b"));
    EXPECT_FALSE(CGlobalPrefs::isStorableExtension("a,b"));
    EXPECT_TRUE(CGlobalPrefs::isStorableExtension("mcr"));
}

TEST_F(GlobalPrefs, AnUnwritableProfileOnAFirstRunFailsWithMessage2205)
{
    profile.setFailWrites(true);
    CGlobalPrefs prefs(QStringLiteral("v"));
    EXPECT_FALSE(prefs.Load());
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(2205)});
}
