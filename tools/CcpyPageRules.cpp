#include "CcpyPageRules.h"

#include "CcpyCommandText.h"
#include "StringTable.h"

namespace ccpy {

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

} // namespace

QStringList cassetteEntries()
{
    return entries(ids::kFirstCassette, kCassetteCount);
}

QStringList resolutionEntries()
{
    return entries(ids::kFirstResolution, kResolutionCount);
}

QStringList dataOverlayEntries()
{
    return entries(ids::kFirstDataOverlay, kDataOverlayCount);
}

QStringList stackEntries()
{
    return entries(ids::kFirstStack, kStackCount);
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
        page.overlayText = qrl::text(ids::kNone);
    } else {
        page.overlayName = choice.overlayName;
        page.overlayText = choice.overlayText;
    }
    page.termValue = choice.dataOverlay == 0 ? 1 : 0;
    page.resolutionIndex = choice.resolution;
    page.stackIndex = choice.stack;
    page.cassetteText = entry(ids::kFirstCassette, kCassetteCount, choice.cassette);
    page.resolutionText = entry(ids::kFirstResolution, kResolutionCount, choice.resolution);
    page.dataOverlayText = entry(ids::kFirstDataOverlay, kDataOverlayCount, choice.dataOverlay);
    page.stackText = entry(ids::kFirstStack, kStackCount, choice.stack);
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

} // namespace ccpy
