#pragma once

#include "FontDownloadJob.h"

#include <QString>
#include <QVector>

class CZenPrinter;

// What the downloader sends: its list, the medium, the options read at opening and the printer.
struct FontDownloadRequest {
    QVector<FontDownloadRow> rows;
    qrl::fontdownload::Medium mediumType = qrl::fontdownload::Medium::CompactFlash;
    int options = 6;     // "VorlDownloaderOptions"
    QString printerName; // a printer, or "FILE:" for a job file
};

// The downloader's sends. Each builds its job in a private directory, shows its result in a
// message box and removes the job's files before it returns.
namespace qrl::fontdownload {

inline constexpr char kDocumentName[] = "Quorlyn Vorl Font Downloader File";

// Sends every usable row as one RAW job. True only when at least one font is in the job and the
// spooler confirmed it; "Add item first" for an empty list, nothing sent when no row is usable.
bool sendToPrinter(const FontDownloadRequest& request, CZenPrinter& printer);
// Builds the same job, asks for the file ("Save to file", opening in `initialDirectory`) and writes
// the job there whole or not at all (an existing file is replaced only by a complete job). False
// when the list is empty, no row is usable, the choice is cancelled or the file is not written.
bool saveToFile(const FontDownloadRequest& request, const QString& initialDirectory);
// Sends the font-list job to the request's printer.
bool sendFontList(const FontDownloadRequest& request, CZenPrinter& printer);

// The name the save dialog proposes: the last row's file name with ".prn" for its extension.
QString defaultJobFileName(const FontDownloadRequest& request);

} // namespace qrl::fontdownload
