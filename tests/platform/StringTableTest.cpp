#include "StringTable.h"
#include "TestEnvironment.h"
#include "TextIds.h"

#include <QFile>
#include <QTranslator>

#include <iterator>

#include <gtest/gtest.h>

TEST(StringTable, IdsAreUniqueAscendingAndTextsAreExact)
{
    const std::vector<int> ids = qrl::builtInIds();
    ASSERT_FALSE(ids.empty());
    for (std::size_t i = 1; i < ids.size(); ++i)
        EXPECT_LT(ids[i - 1], ids[i]) << "id " << ids[i];
    EXPECT_EQ(qrl::text(2312), QStringLiteral("Quorlyn for Windows"));
    EXPECT_EQ(qrl::text(2206),
              QStringLiteral("Fatal error reading preferences!\nQuorlyn will now terminate"));
    EXPECT_EQ(qrl::text(57344), QStringLiteral("Quorlyn32"));
    EXPECT_TRUE(qrl::text(1).isEmpty());
}

// The table and the id headers come from one list by two roads (the preprocessor, the build's
// generator): every id of the table has its name, with its own number, in one of the area headers.
TEST(StringTable, AreaHeadersNameEveryIdOfTheTable)
{
    struct Named {
        int id;
        int named;
    };
    constexpr Named kNamed[] = {
#define QRL_STRING(id, area, name, text) {id, qrl::ids::name},
#include "StringList.def"
#undef QRL_STRING
    };
    const std::vector<int> ids = qrl::builtInIds();
    ASSERT_EQ(ids.size(), std::size(kNamed));
    for (std::size_t i = 0; i < ids.size(); ++i) {
        EXPECT_EQ(kNamed[i].named, kNamed[i].id);
        EXPECT_EQ(ids[i], kNamed[i].id);
    }
}

namespace {

// A translator answering fixed texts by disambiguation (the id), as a loaded catalogue does.
class FixedCatalogue : public QTranslator {
public:
    QString translate(const char* context, const char*, const char* disambiguation, int) const override
    {
        if (QByteArray(context) != qrl::kCatalogueContext)
            return {};
        if (QByteArray(disambiguation) == "2312")
            return QStringLiteral("Quorlyn für Windows");
        if (QByteArray(disambiguation) == "2270")
            return QStringLiteral("Anzahl: %s"); // takes a text where the English takes numbers
        return {};
    }
    bool isEmpty() const override { return false; }
};

} // namespace

TEST(StringTable, CatalogueTextsReplaceOnlyWhenTheyTakeTheSameArguments)
{
    FixedCatalogue catalogue;
    qrl::setStringCatalogue(&catalogue);
    EXPECT_EQ(qrl::text(2312), QStringLiteral("Quorlyn für Windows"));
    EXPECT_EQ(qrl::text(2270), QString::fromUtf8(qrl::builtInText(2270)));
    EXPECT_EQ(qrl::text(2206), QString::fromUtf8(qrl::builtInText(2206)));
    qrl::setStringCatalogue(nullptr);
    EXPECT_EQ(qrl::text(2312), QStringLiteral("Quorlyn for Windows"));
}
