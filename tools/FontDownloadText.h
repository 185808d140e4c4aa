#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The printer texts of a font download: the job around each font, and the job that prints the
// list of fonts stored on the medium.
namespace qrl::fontdownload {

// The text that ends the font data inside the job; a font's text must never hold it.
inline constexpr char kEndOfDataMarker[] = "%%Mirabeld";
inline constexpr char kEndOfJob = '\x04';

// The printer's medium the fonts are stored on (the downloader's "nMediumType").
enum class Medium { CompactFlash = 0, HardDisk = 1 };
// A stored value other than 1 is the Compact Flash card, the first of the two choices.
Medium mediumFromValue(int value);
// The stored value of a medium.
constexpr int mediumValue(Medium medium)
{
    return static_cast<int>(medium);
}

// The bytes of a PostScript string's contents (between its parentheses) that stand for `text`:
// backslash, parentheses and every byte outside printable ASCII are escaped, so a name or folder
// from the user or a font file can neither end the string nor add PostScript to the job.
QByteArray postScriptStringBody(QByteArrayView text);

// The bytes of a target path as the printer's file system gets them. Nothing when the path holds
// a character outside Latin-1 (it could not be written as the user typed it).
bool targetPathBytes(const QString& targetPath, QByteArray& bytes);

// The job text before a font's data: the emulation switch and the PostScript program that copies
// the data up to the marker into `targetPath` on `medium`. Every line ends with CR LF.
QByteArray jobHeader(Medium medium, QByteArrayView targetPath);
// The text after the font's data: the marker line and the end-of-job byte.
QByteArray jobTrailer();

// The font-list job: with `flstCommand` the printer language's own font list, otherwise the
// PostScript program that lists the files of the medium's fonts folder.
QByteArray fontListJob(Medium medium, bool flstCommand);

} // namespace qrl::fontdownload
