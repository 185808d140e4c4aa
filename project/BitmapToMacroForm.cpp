#include "BitmapToMacroForm.h"

#include "CProjItem.h"
#include "TextFormat.h"

namespace {

struct Resolution {
    const char* text;
    int dotsPerInch;
};

constexpr Resolution kResolutions[] = {
    {"Default", 75}, {"100", 100}, {"150", 150}, {"200", 200}, {"300", 300}, {"600", 600},
};
constexpr const char* kUnits[] = {"Centimeters", "Inches", "Dots"};
constexpr const char* kUnitLabels[] = {"cm", "inches", "dots"};

// Centimetres per inch as the printed sizes have always been computed: 2.541, not 2.54.
constexpr std::int64_t kCentiPerInchThousandths = 2541;

template <typename T, std::size_t N>
int clampIndex(int index, const T (&)[N])
{
    return index >= 0 && index < static_cast<int>(N) ? index : 0;
}

// The text up to and including its last ".", empty when it has none.
QString cutAfterLastDot(const QString& text)
{
    const qsizetype dot = text.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 ? text.left(dot + 1) : QString();
}

} // namespace

QStringList qrl::bitmapmacro::resolutionTexts()
{
    QStringList texts;
    for (const Resolution& resolution : kResolutions)
        texts.append(QString::fromLatin1(resolution.text));
    return texts;
}

QStringList qrl::bitmapmacro::unitTexts()
{
    QStringList texts;
    for (const char* unit : kUnits)
        texts.append(QString::fromLatin1(unit));
    return texts;
}

int qrl::bitmapmacro::dotsPerInch(int resolutionIndex)
{
    return kResolutions[clampIndex(resolutionIndex, kResolutions)].dotsPerInch;
}

QString qrl::bitmapmacro::unitLabel(int unitIndex)
{
    return QString::fromLatin1(kUnitLabels[clampIndex(unitIndex, kUnitLabels)]);
}

double qrl::bitmapmacro::printedLength(std::int32_t pixels, int resolutionIndex, int unitIndex)
{
    const std::int64_t dots = dotsPerInch(resolutionIndex);
    switch (clampIndex(unitIndex, kUnits)) {
    case BitmapToMacroForm::kInches:
        return static_cast<double>(pixels) / static_cast<double>(dots);
    case BitmapToMacroForm::kDots:
        return static_cast<double>(pixels);
    default:
        // Whole thousandths of a centimetre first, as the sizes have always been shown.
        return static_cast<double>(pixels * kCentiPerInchThousandths / dots) / 1000.0;
    }
}

QString qrl::bitmapmacro::printedLengthText(std::int32_t pixels, int resolutionIndex, int unitIndex)
{
    return qrl::formatText(QStringLiteral("%.2f"), {printedLength(pixels, resolutionIndex, unitIndex)});
}

QString qrl::bitmapmacro::defaultMacroFilePath(const QString& imagePath, const QString& macrosDirectory)
{
    const QString macroExtension = QStringLiteral("mcr");
    if (macrosDirectory.isEmpty())
        return cutAfterLastDot(imagePath) + macroExtension;
    QString path = macrosDirectory;
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path + cutAfterLastDot(CProjItem::FileNameOf(imagePath)) + macroExtension;
}

BitmapToMacroForm qrl::bitmapmacro::openingForm(const CQuorlyn32Doc::BitmapToMacroRequest& request,
                                                const QString& macrosDirectory)
{
    BitmapToMacroForm form;
    form.imageType = request.imageType;
    form.sourcePath = request.path;
    form.macroName = request.macroName;
    form.positionXText = request.positionX;
    form.positionYText = request.positionY;
    form.macroFilePath = defaultMacroFilePath(request.path, macrosDirectory);
    form.colourFlag = request.colour;
    // JPEG and TIFF files are always wrapped as they are: the printer decodes them in colour.
    if (form.imageType != BitmapToMacroForm::kBmp)
        form.colourFlag = 1;
    return form;
}

CQuorlyn32Doc::BitmapToMacroRequest qrl::bitmapmacro::toRequest(const BitmapToMacroForm& form)
{
    CQuorlyn32Doc::BitmapToMacroRequest request;
    request.path = form.macroFilePath;
    request.macroName = form.macroName.toUpper();
    request.resolution = resolutionTexts().value(clampIndex(form.resolutionIndex, kResolutions));
    request.unit = unitTexts().value(clampIndex(form.unitIndex, kUnits));
    if (form.positionFlag) {
        request.positionX = form.positionXText;
        request.positionY = form.positionYText;
    }
    const bool sized = form.imageType != BitmapToMacroForm::kBmp && !form.outputWidthEntry.isEmpty() &&
                       !form.outputHeightEntry.isEmpty();
    request.width = sized ? form.outputWidthEntry : QStringLiteral("%1");
    request.height = sized ? form.outputHeightEntry : QStringLiteral("%2");
    request.colour = form.imageType == BitmapToMacroForm::kBmp ? (form.colourFlag ? 1 : 0) : 1;
    request.orientation = form.landscapeFlag ? 2 : (form.portraitFlag ? 1 : 0);
    request.imageType = form.imageType;
    return request;
}
