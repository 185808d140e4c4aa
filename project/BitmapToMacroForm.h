#pragma once

#include "CQuorlyn32Doc.h"

#include <QString>
#include <QStringList>

#include <cstdint>

// What the bitmap-to-macro dialog edits: the image, the macro to write and its parameters, as the
// controls hold them. Core code: the dialog loads it, the checks and the conversion work on it.
struct BitmapToMacroForm {
    enum ImageType { kBmp = 1, kJpeg = 2, kTiff = 3 };
    enum Unit { kCentimeters = 0, kInches = 1, kDots = 2 };

    // Entry limits of the dialog's edits.
    static constexpr int kMaxMacroName = 4;
    static constexpr int kMaxMacroFilePath = 260;
    static constexpr int kMaxNumberEntry = 6;

    int imageType = kBmp;
    QString sourcePath;
    QString macroFilePath;
    QString macroName;
    int colourFlag = 0;
    int resolutionIndex = 0;
    int unitIndex = kCentimeters;
    int positionFlag = 0;
    QString positionXText;
    QString positionYText;
    int orientationFlag = 0;
    int portraitFlag = 0;
    int landscapeFlag = 0;
    QString outputWidthEntry;
    QString outputHeightEntry;
    // The picture's size and resolution as read from the image header.
    std::int32_t pixelWidth = 0;
    std::int32_t pixelHeight = 0;
    QString resolutionXText;
    QString resolutionYText;
};

namespace qrl::bitmapmacro {

// The entries of the resolution list ("Default" is 75 dots per inch) and of the unit list.
QStringList resolutionTexts();
QStringList unitTexts();
int dotsPerInch(int resolutionIndex);
// "cm", "inches" or "dots": the label beside every length.
QString unitLabel(int unitIndex);

// The printed length of `pixels` at the resolution in the unit.
double printedLength(std::int32_t pixels, int resolutionIndex, int unitIndex);
// The same as the dialog shows it ("%.2f").
QString printedLengthText(std::int32_t pixels, int resolutionIndex, int unitIndex);

// The macro file proposed for an image: the image's name with "mcr" after its last ".", in the
// macros directory when one is set, else beside the image.
QString defaultMacroFilePath(const QString& imagePath, const QString& macrosDirectory);

// The form at the dialog's opening for an image of `imageType`, with the caller's texts.
BitmapToMacroForm openingForm(const CQuorlyn32Doc::BitmapToMacroRequest& request,
                              const QString& macrosDirectory);

// What OK hands the caller: the macro file path, upper-cased name, list texts, positions (empty
// while "Position" is off), width and height ("%1" and "%2" unless both were typed), colour
// (always for JPEG and TIFF) and orientation (landscape wins over portrait).
CQuorlyn32Doc::BitmapToMacroRequest toRequest(const BitmapToMacroForm& form);

} // namespace qrl::bitmapmacro
