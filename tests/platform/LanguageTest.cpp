#include "Language.h"

#include <gtest/gtest.h>

TEST(Language, TableGivesCatalogueAndHelpFileBesideTheProgram)
{
    EXPECT_EQ(qrl::languageSuffix(7), QStringLiteral("Deu"));
    EXPECT_EQ(qrl::languageSuffix(31), QStringLiteral("Trk"));
    for (int outside : {0, 9, 1, 13, 32, -1})
        EXPECT_TRUE(qrl::languageSuffix(outside).isEmpty()) << outside;
    EXPECT_EQ(qrl::languageCataloguePath("/opt/q", 7), QStringLiteral("/opt/q/QrlynDeu.qm"));
    EXPECT_EQ(qrl::languageHelpFilePath("/opt/q/", 12), QStringLiteral("/opt/q/QrlynFra.html"));
    EXPECT_TRUE(qrl::languageCataloguePath("/opt/q", 9).isEmpty());
    EXPECT_EQ(qrl::defaultHelpFilePath("/opt/q/Quorlyn32"), QStringLiteral("/opt/q/Quorlyn32.html"));
}
