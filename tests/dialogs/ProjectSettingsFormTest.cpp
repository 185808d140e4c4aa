#include "ProjectSettingsForm.h"

#include "CQuorlyn32Doc.h"
#include "ProjectTestSupport.h"
#include "SettingsFormFixture.h"
#include "StringTable.h"
#include "TextFormat.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <string>

using Focus = ProjectSettingsCheck::Focus;

namespace {

constexpr int KB = ProjectSettingsForm::kUnitKB;
constexpr int MB = ProjectSettingsForm::kUnitMB;
constexpr int kCustom = StorageSizeTable::kCustomIndex;

ProjectSettingsForm form(StorageMedium medium, int sizeIndex, int unit, const char* text,
                         std::uint64_t projectBytes)
{
    return qrl::test::settingsForm(medium, sizeIndex, unit, text, projectBytes);
}

} // namespace

TEST(ProjectSettingsForm, ShowsACustomSizeInWholeMBOrElseInKB)
{
    // Numbers are written the same under any locale.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    struct Case {
        int sizeIndex;
        std::uint32_t customSize;
        int unit;
        const char* text;
    };
    const Case cases[] = {
        {kCustom, 3145728, MB, "3"},
        {kCustom, 98304, KB, "96"},
        {kCustom, 1572864, KB, "1536"},
        {kCustom, 268435456, MB, "256"},
        {kCustom, 1048576, MB, "1"},
        {kCustom, 0, KB, "0"},
        {kCustom, 0xFFFFFFFFu, KB, "4194303"},
        // A listed size shows no custom size, whatever the project keeps.
        {5, 98304, MB, ""},
    };
    for (const Case& c : cases) {
        CProjSett settings;
        settings.m_medium = kJeidaCard;
        settings.m_storageSizeIndex = static_cast<std::uint16_t>(c.sizeIndex);
        settings.m_customSize = c.customSize;
        const ProjectSettingsForm f = qrl::projsett::loadForm(settings, 1234, MediaOffer::JeidaOnly);
        EXPECT_EQ(f.unit, c.unit) << c.customSize;
        EXPECT_EQ(f.customSizeText, QString::fromLatin1(c.text)) << c.customSize;
        EXPECT_EQ(f.medium, kJeidaCard);
        EXPECT_EQ(f.sizeIndex, c.sizeIndex);
        EXPECT_EQ(f.mode, MediaOffer::JeidaOnly);
        EXPECT_EQ(f.projectBytes, 1234u);
    }
    QLocale::setDefault(previous);
}

TEST(ProjectSettingsForm, OkChecksTheCapacityOfCardMedia)
{
    struct Case {
        ProjectSettingsForm form;
        int message;
        Focus focus;
        std::uint32_t customSize; // when passed with the custom index
        int storedIndex = -1;     // the index the choice carries when not the form's
    };
    const Case cases[] = {
        // Custom sizes: from one 32 KB block up to 256 MB, in whole blocks.
        {form(kSramCard, kCustom, KB, "96", 0), 0, Focus::None, 98304},
        {form(kSramCard, kCustom, KB, "32", 0), 0, Focus::None, 32768},
        {form(kSramCard, kCustom, KB, "48", 0), 2222, Focus::CustomSize, 0},
        {form(kSramCard, kCustom, KB, "0", 0), 2222, Focus::CustomSize, 0},
        {form(kSramCard, kCustom, KB, "", 0), 2222, Focus::CustomSize, 0},
        {form(kOtpCard, kCustom, MB, "256", 0), 0, Focus::None, 268435456},
        {form(kOtpCard, kCustom, MB, "257", 0), 2222, Focus::CustomSize, 0},
        {form(kOtpCard, kCustom, KB, "262144", 0), 0, Focus::None, 268435456},
        {form(kOtpCard, kCustom, KB, "262145", 0), 2222, Focus::CustomSize, 0},
        // Shifted in 32 bits, 4096 MB would be 0 and 4097 MB a valid 1 MB.
        {form(kCompactFlashCard, kCustom, MB, "4096", 0), 2222, Focus::CustomSize, 0},
        {form(kCompactFlashCard, kCustom, MB, "4097", 40000), 2222, Focus::CustomSize, 0},
        {form(kCompactFlashCard, kCustom, KB, "9999999", 40000), 2222, Focus::CustomSize, 0},
        {form(kCompactFlashCard, kCustom, MB, "99999999999999999999999", 0), 2222, Focus::CustomSize, 0},
        // A text that is not all ASCII digits is no number, not its leading digits.
        {form(kJeidaCard, kCustom, KB, "96ab", 0), 3041, Focus::CustomSize, 0},
        {form(kJeidaCard, kCustom, KB, " 96", 0), 3041, Focus::CustomSize, 0},
        {form(kJeidaCard, kCustom, KB, "+96", 0), 3041, Focus::CustomSize, 0},
        {form(kJeidaCard, kCustom, KB, "\u0669\u0666", 0), 3041, Focus::CustomSize, 0},
        // The custom size and a listed size must hold the project's files.
        {form(kJeidaCard, kCustom, KB, "64", 65536), 0, Focus::None, 65536},
        {form(kJeidaCard, kCustom, KB, "64", 65537), 2223, Focus::CustomSize, 0},
        {form(kJeidaCard, kCustom, KB, "", 40000), 2223, Focus::CustomSize, 0},
        {form(kCompactFlashCard, 0, MB, "", 40000), 2223, Focus::CapacityList, 0},
        {form(kCompactFlashCard, 1, MB, "", 40000), 0, Focus::None, 0},
        {form(kCompactFlashCard, 22, MB, "", 134217728), 0, Focus::None, 0},
        {form(kCompactFlashCard, 22, MB, "", 134217729), 2223, Focus::CapacityList, 0},
        // Media without a capacity are not checked against the project; they take the list's index
        // and keep a custom size the printers take; the custom entry without one is not kept.
        {form(kEprom, 0, MB, "", 40000), 0, Focus::None, 0},
        {form(kEprom, kCustom, MB, "8", 40000000), 0, Focus::None, 8388608},
        {form(kHardDisk, kCustom, KB, "48", 40000), 0, Focus::None, 0, StorageSizeTable::kDefaultIndex},
        {form(kMicroDrive, kCustom, KB, "x", 0), 0, Focus::None, 0, StorageSizeTable::kDefaultIndex},
        {form(kMicroDrive, kCustom, MB, "", 0), 0, Focus::None, 0, StorageSizeTable::kDefaultIndex},
    };
    for (const Case& c : cases) {
        const ProjectSettingsCheck check = qrl::projsett::checkForm(c.form);
        const std::string what =
            c.form.customSizeText.toStdString() + " index " + std::to_string(c.form.sizeIndex);
        EXPECT_EQ(check.messageId, c.message) << what;
        EXPECT_EQ(check.focus, c.focus) << what;
        if (c.message != 0)
            continue;
        EXPECT_EQ(check.choice.medium, c.form.medium) << what;
        EXPECT_EQ(check.choice.hasCapacity, isCardMedium(c.form.medium)) << what;
        EXPECT_EQ(check.choice.sizeIndex, c.storedIndex < 0 ? c.form.sizeIndex : c.storedIndex) << what;
        EXPECT_EQ(check.choice.customSize, c.customSize) << what;
    }
}

TEST(ProjectSettingsForm, ListedSizesBelowTheProjectAreRefused)
{
    EXPECT_EQ(qrl::projsett::checkListedSize(0, 40000), 2223);
    EXPECT_EQ(qrl::projsett::checkListedSize(1, 40000), 0);
    EXPECT_EQ(qrl::projsett::checkListedSize(0, 32768), 0);
    // 256 files of 32 MB sum past 32 bits and fit no card.
    EXPECT_EQ(qrl::projsett::checkListedSize(22, 256ull << 25), 2223);
    EXPECT_EQ(qrl::projsett::checkListedSize(kCustom, 40000), 0);
}

class ApplyProjectSettings : public qrl::test::ProjectTest {
protected:
    void SetUp() override
    {
        ProjectTest::SetUp();
        ResourceKind kind = kKindNone;
        ASSERT_TRUE(doc.AddFile(makeFile("forms/a.prn", std::string(40000, 'f')), kind));
        doc.SetModifiedFlag(false);
        pane.texts.clear();
    }
    QString cardPane(unsigned capacityKB) const
    {
        const unsigned freeKB = (capacityKB * 1024 - 40000) / 1024;
        return qrl::formatText(qrl::text(2270), {1u, capacityKB, 40000u / 1024, freeKB});
    }

    qrl::test::CheckedDoc doc;
    qrl::test::RecordingPane pane;
};

TEST_F(ApplyProjectSettings, WritesTheChoiceMarksTheProjectAndRefreshesThePane)
{
    int modified = 0;
    QObject::connect(&doc, &CQuorlyn32Doc::modifiedChanged,
                     [&modified](bool on) { modified += on ? 1 : 100; });
    ProjectSettingsChoice choice;
    choice.medium = kSramCard;
    choice.hasCapacity = true;
    choice.sizeIndex = kCustom;
    choice.customSize = 98304;
    qrl::projsett::applyChoice(doc, choice);
    const CProjSett& s = doc.GetProjSett();
    EXPECT_EQ(s.m_medium, kSramCard);
    EXPECT_EQ(s.m_storageSizeIndex, kCustom);
    EXPECT_EQ(s.m_customSize, 98304u);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(modified, 1);
    EXPECT_EQ(pane.texts, QStringList{cardPane(96)});

    // A listed size keeps the custom size the project had.
    choice.sizeIndex = 1;
    choice.customSize = 0;
    qrl::projsett::applyChoice(doc, choice);
    EXPECT_EQ(s.m_storageSizeIndex, 1);
    EXPECT_EQ(s.m_customSize, 98304u);
    EXPECT_EQ(pane.texts.last(), cardPane(64));
}

TEST_F(ApplyProjectSettings, AMediumWithoutCapacityStoresTheListsIndexAndTheCustomSizeItCarries)
{
    doc.GetProjSett().m_customSize = 98304;
    ProjectSettingsChoice choice;
    choice.medium = kHardDisk;
    choice.sizeIndex = kCustom;
    choice.customSize = 0;
    qrl::projsett::applyChoice(doc, choice);
    const CProjSett& s = doc.GetProjSett();
    EXPECT_EQ(s.m_customSize, 98304u) << "a choice without a size leaves the project's";
    choice.customSize = 65536;
    qrl::projsett::applyChoice(doc, choice);
    EXPECT_EQ(s.m_medium, kHardDisk);
    EXPECT_EQ(s.m_storageSizeIndex, kCustom);
    EXPECT_EQ(s.m_customSize, 65536u);
    pane.texts.clear();
    choice.sizeIndex = 0;
    qrl::projsett::applyChoice(doc, choice);
    EXPECT_EQ(s.m_storageSizeIndex, 0);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(pane.texts, QStringList{qrl::formatText(qrl::text(2271), {1u, 39u})});
}
