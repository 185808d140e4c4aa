#pragma once

#include "FontDownloadText.h"

#include <QString>
#include <QVector>

// One font of the downloader's list.
struct FontDownloadRow {
    QString fontName;     // from the file
    QString targetPath;   // the file on the printer's medium, "fonts/<name>" unless changed
    QString localPath;    // the PFB file
    QString fileSizeText; // the file's length in bytes, decimal
};

// The files of one font download: the PFA text of the font being processed, one job part per
// font ("item%d.prn") and the combined job of a send ("VorlDown.prn"). They live in a private
// directory of their own, made on first use and removed with everything in it by DeleteJobFiles
// or the destructor, so two downloads never share a scratch file. File errors are shown with the
// three-part file message; "pfb2pfa failed" and "Inputted file isn't PFB font" as given.
class FontDownloadJob {
public:
    static constexpr const char* kPfaFileName = "VorlDown.pfa";
    static constexpr const char* kCaptureFileName = "VorlDown.prn";
    static constexpr const char* kItemFileFormat = "item%d.prn";

    FontDownloadJob(qrl::fontdownload::Medium medium, bool flstFontList);
    ~FontDownloadJob();
    FontDownloadJob(const FontDownloadJob&) = delete;
    FontDownloadJob& operator=(const FontDownloadJob&) = delete;

    // True when the first six bytes of the file can be read and open a PFB text segment.
    static bool IsPfbFile(const QString& path);
    // Message kVorlNotPfbFile for a file that is not a PFB.
    static void showNotPfbFile(const QString& path);
    // Sets the row's font name (the name after "FontName /") and its size text from the file.
    // False when the file cannot be opened or holds no usable name; the row is then unchanged.
    static bool ReadFontName(const QString& path, FontDownloadRow& row);

    // Makes the job's private directory when there is none yet and sets the PFA path in it.
    // False only when the directory cannot be made.
    bool setPFAFileName();
    // Converts the PFB at `localPath` into the PFA file. False after "pfb2pfa failed" (a file
    // error, a segment longer than the file, or a font text that would end the job early).
    bool pfb2pfa(const QString& localPath);
    // The job text before the font's data, for the job's medium and `targetPath`; empty when the
    // path cannot be written to the printer (a character outside Latin-1).
    QByteArray BuildJobHeader(const QString& targetPath) const;
    // Writes the part "item<index>.prn" for one row: header, PFA text, marker line, 0x04. False,
    // with no part file left, on any failure.
    bool WriteItemJob(int index, const FontDownloadRow& row);
    // Appends the part file to the combined file; the bytes appended, or -1 after a file message
    // with the combined file cut back to what it held before.
    qint64 writeToCaptureFile(const QString& partFile, const QString& captureFile);
    // Writes the font-list job to "item0.prn". False after a file message.
    bool WriteFontListJob();
    // Removes every file of the job and its directory.
    void DeleteJobFiles();

    // Builds the combined job of a send from the rows in order. A row whose file is missing or
    // no PFB, or whose part cannot be made, is reported and left out. The number of rows in the
    // job; the job is captureFilePath().
    int buildCombinedJob(const QVector<FontDownloadRow>& rows);

    QString itemFilePath(int index) const;
    QString captureFilePath() const;
    QString pfaFilePath() const { return m_pfaPath; }
    const QString& directory() const { return m_directory; }

private:
    bool makeDirectory();
    bool checkRow(const FontDownloadRow& row) const;

    qrl::fontdownload::Medium m_medium;
    bool m_flstFontList;
    QString m_directory;
    QString m_pfaPath;
};
