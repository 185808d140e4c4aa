#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <vector>

// One page of a multi-part form: the five values that drive the command files and the texts the
// creator's page list shows.
struct CcpyPage {
    int paperSource = 1;     // PSRC: cassettes 1-6, 0 manual feeder, 99 NR-4
    int overlayIndex = 0;    // position in the overlay list, 0 "None"
    QByteArray overlayName;  // the bytes CALL names; "None" for no overlay
    int termValue = 1;       // TERM: 1 data and overlay, 0 overlay alone
    int resolutionIndex = 0; // 0 default, 1-7 the resolutions 75 to 1200
    int stackIndex = 0;      // 0 default, 1-3 trays, 4-18 sorter trays 1-15
    QString overlayText;
    QString cassetteText;
    QString resolutionText;
    QString dataOverlayText;
    QString stackText;

    bool operator==(const CcpyPage&) const = default;
};

// What the CCPY command files are written from: the pages in page order, the duplex setting and
// the option mask of the comment lines, with the version and the time the comments carry.
struct CcpyJob {
    static constexpr int kMaxPages = 999;

    std::vector<CcpyPage> pages;
    bool duplex = false;
    bool longEdge = true; // the binding, long edge unless short was chosen
    int options = 0;      // CcpyOptions bits
    QString versionText;  // the program's file version, "1,0,0,1"
    QDateTime time;       // local time of writing
};
