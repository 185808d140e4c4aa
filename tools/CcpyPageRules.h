#pragma once

#include "CcpyJob.h"

#include <QStringList>

// The lists a page is chosen from (texts from the string table) and the rules of the creator's
// page table: a page from the chosen positions, deleting a page, and the duplex back sides.
namespace ccpy {

namespace ids {
inline constexpr int kFirstCassette = 2900;   // 8 paper sources, shared with the EMCR creator
inline constexpr int kNoPage = 3800;          // "No item in the CCPY list..."
inline constexpr int kEnableFilter = 3801;
inline constexpr int kDisableFilter = 3802;
inline constexpr int kEnableTitle = 3803;
inline constexpr int kDisableTitle = 3804;
inline constexpr int kPageTitle = 3805;
inline constexpr int kFrontSideTitle = 3806;
inline constexpr int kBackSideTitle = 3807;
inline constexpr int kBackSideInfo = 3808;
inline constexpr int kFront = 3809;
inline constexpr int kBack = 3810;
inline constexpr int kNone = 3811;
inline constexpr int kBlankHint = 3812;
inline constexpr int kTooManyPages = 3813;
inline constexpr int kSameFile = 3814;
inline constexpr int kFirstResolution = 3820; // 8 entries
inline constexpr int kFirstDataOverlay = 3830; // 2 entries
inline constexpr int kFirstStack = 3840;      // 19 entries
} // namespace ids

inline constexpr int kCassetteCount = 8;
inline constexpr int kResolutionCount = 8;
inline constexpr int kDataOverlayCount = 2;
inline constexpr int kStackCount = 19;

QStringList cassetteEntries();
QStringList resolutionEntries();
QStringList dataOverlayEntries();
QStringList stackEntries();

// The PSRC value of a cassette position: 0-5 give 1-6, 6 (manual feeder) 0, 7 (NR-4) 99.
int paperSourceOfCassette(int position);
// The cassette position of a PSRC value (the inverse); 0 for an unknown value.
int cassetteOfPaperSource(int paperSource);

// The chosen list positions of one page and the overlay's bytes (ignored for position 0).
struct PageChoice {
    int cassette = 0;
    int overlay = 0;
    QByteArray overlayName;
    QString overlayText;
    int dataOverlay = 0;
    int resolution = 0;
    int stack = 0;
};
// The page of the choice, with the list texts of its positions.
CcpyPage makePage(const PageChoice& choice);

// Removes page `row`; the pages after it move up, so their page macros take lower names.
void removePage(CcpyJob& job, int row);
// With duplex on, every odd row (a back side) takes the cassette and stack of the row before it.
void applyBackSideRule(CcpyJob& job);
// Whether page `row` (from 0) is a back side: duplex on and an odd row.
inline bool isBackSide(const CcpyJob& job, int row)
{
    return job.duplex && row % 2 == 1;
}

} // namespace ccpy
