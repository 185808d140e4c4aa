#include "CcpyPageRules.h"

#include "CcpyCommandText.h"
#include "StringTable.h"
#include "ToolsTextIds.h"

namespace qrl::ccpy {

namespace {

QStringList entries(int firstId, int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list.append(qrl::text(firstId + i));
    return list;
}

QString entry(int firstId, int count, int position)
{
    return position >= 0 && position < count ? qrl::text(firstId + position) : QString();
}

constexpr int kManualFeeder = 6;
constexpr int kNr4 = 7;

// Each list is a run of consecutive string ids, its first entry's id onwards.
static_assert(qrl::ids::kNr4 - qrl::ids::kCassette1 + 1 == kCassetteCount);
static_assert(qrl::ids::kResolution1200 - qrl::ids::kResolutionDefault + 1 == kResolutionCount);
static_assert(qrl::ids::kOverlayOnly - qrl::ids::kDataAndOverlay + 1 == kDataOverlayCount);
static_assert(qrl::ids::kStackSorter15 - qrl::ids::kStackDefault + 1 == kStackCount);

} // namespace

QStringList cassetteEntries()
{
    return entries(qrl::ids::kCassette1, kCassetteCount);
}

QStringList resolutionEntries()
{
    return entries(qrl::ids::kResolutionDefault, kResolutionCount);
}

QStringList dataOverlayEntries()
{
    return entries(qrl::ids::kDataAndOverlay, kDataOverlayCount);
}

QStringList stackEntries()
{
    return entries(qrl::ids::kStackDefault, kStackCount);
}

int paperSourceOfCassette(int position)
{
    if (position == kManualFeeder)
        return 0;
    if (position == kNr4)
        return 99;
    return position + 1;
}

int cassetteOfPaperSource(int paperSource)
{
    if (paperSource == 0)
        return kManualFeeder;
    if (paperSource == 99)
        return kNr4;
    return paperSource >= 1 && paperSource <= 6 ? paperSource - 1 : 0;
}

CcpyPage makePage(const PageChoice& choice)
{
    CcpyPage page;
    page.paperSource = paperSourceOfCassette(choice.cassette);
    page.overlayIndex = choice.overlay;
    if (choice.overlay == 0) {
        page.overlayName = kNoOverlay;
        page.overlayText = qrl::text(qrl::ids::kCcpyNone);
    } else {
        page.overlayName = choice.overlayName;
        page.overlayText = choice.overlayText;
    }
    page.termValue = choice.dataOverlay == 0 ? 1 : 0;
    page.resolutionIndex = choice.resolution;
    page.stackIndex = choice.stack;
    page.cassetteText = entry(qrl::ids::kCassette1, kCassetteCount, choice.cassette);
    page.resolutionText = entry(qrl::ids::kResolutionDefault, kResolutionCount, choice.resolution);
    page.dataOverlayText = entry(qrl::ids::kDataAndOverlay, kDataOverlayCount, choice.dataOverlay);
    page.stackText = entry(qrl::ids::kStackDefault, kStackCount, choice.stack);
    return page;
}

void removePage(CcpyJob& job, int row)
{
    if (row < 0 || row >= static_cast<int>(job.pages.size()))
        return;
    job.pages.erase(job.pages.begin() + row);
}

void applyBackSideRule(CcpyJob& job)
{
    if (!job.duplex)
        return;
    for (std::size_t row = 1; row < job.pages.size(); row += 2) {
        const CcpyPage& front = job.pages[row - 1];
        CcpyPage& back = job.pages[row];
        back.cassetteText = front.cassetteText;
        back.stackText = front.stackText;
        back.paperSource = front.paperSource;
        back.stackIndex = front.stackIndex;
    }
}

} // namespace qrl::ccpy
