#pragma once

#include "CcpyJob.h"

#include <QStringList>

// The lists a page is chosen from (texts from the string table) and the rules of the creator's
// page table: a page from the chosen positions, deleting a page, and the duplex back sides.
namespace qrl::ccpy {

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

} // namespace qrl::ccpy
