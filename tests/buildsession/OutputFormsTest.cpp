// The one table of the build's output forms: the dialog's positions, the save dialog of each
// export, and the engine's format of each EPROM form.
#include "OutputForms.h"

#include "TempCwd.h"
#include "vintrel.h"

#include <gtest/gtest.h>

#include <set>

using namespace qrl::build;

namespace {

const BuildTarget kTargets[] = {BuildTarget::Card, BuildTarget::Disk, BuildTarget::Eprom,
                                BuildTarget::CardImage};
const ExportFormat kFormats[] = {ExportFormat::Hex, ExportFormat::MotorolaBinary, ExportFormat::IntelBinary};

} // namespace

TEST(OutputForms, DialogPositionsNameEachTargetAndFormOnce)
{
    for (const BuildTarget target : kTargets)
        EXPECT_EQ(targetAt(indexOf(target)), target) << indexOf(target);
    for (const ExportFormat format : kFormats)
        EXPECT_EQ(exportFormatAt(indexOf(format)), format) << indexOf(format);
    // A position no entry has falls back to what the dialog starts with.
    for (const int outside : {-1, 4, 100})
        EXPECT_EQ(targetAt(outside), BuildTarget::Card) << outside;
    for (const int outside : {-1, 3})
        EXPECT_EQ(exportFormatAt(outside), ExportFormat::Hex) << outside;
}

TEST(OutputForms, EachRowCarriesWhatItsRoadNeeds)
{
    std::set<std::uint32_t> engineFormats;
    for (const OutputForm& form : outputForms()) {
        SCOPED_TRACE(form.formLabel ? form.formLabel : form.targetLabel);
        EXPECT_EQ(&outputForm(form.target, form.format), &form);
        ASSERT_NE(form.targetLabel, nullptr);
        if (isPrinterTarget(form.target)) {
            EXPECT_EQ(form.extension, nullptr);
            EXPECT_EQ(form.engineFormat, 0u);
            continue;
        }
        ASSERT_NE(form.extension, nullptr);
        EXPECT_EQ(form.extension[0], '.');
        EXPECT_NE(form.filterId, 0);
        EXPECT_NE(form.titleId, 0);
        EXPECT_EQ(form.formLabel != nullptr, form.target == BuildTarget::Eprom);
        EXPECT_EQ(form.engineFormat != 0, form.target == BuildTarget::Eprom);
        if (form.engineFormat != 0) {
            EXPECT_TRUE(engineFormats.insert(form.engineFormat).second) << form.engineFormat;
        }
    }
    // Every EPROM form the engine writes has its row, and only those.
    EXPECT_EQ(engineFormats, (std::set<std::uint32_t>{VINTREL_EXPORT_SRECORDS, VINTREL_EXPORT_SWAPPED,
                                                      VINTREL_EXPORT_PLAIN}));
}

TEST(OutputForms, TheEngineRefusesAFormatNoRowNames)
{
    qrl::test::TempCwd cwd;
    for (const std::uint32_t format : {0u, VINTREL_EXPORT_PLAIN + 1u}) {
        qrl::test::writeFile("TEMP.BXF", std::string(196, '\0'));
        EXPECT_EQ(WriteFileQRL(cwd.file("rom.bin").c_str(), format, nullptr), 0) << format;
    }
    // A format of the table is taken: the plain image is a copy of any image.
    qrl::test::writeFile("TEMP.BXF", "image");
    EXPECT_EQ(WriteFileQRL(cwd.file("rom.bin").c_str(),
                           outputForm(BuildTarget::Eprom, ExportFormat::IntelBinary).engineFormat, nullptr),
              1);
    EXPECT_EQ(qrl::test::readFile(cwd.file("rom.bin")), "image");
}
