#include "BitmapToMacroCheck.h"

#include "CProjItem.h"
#include "CQuorlyn32Doc.h"
#include "FileMessages.h"
#include "PlatformTextIds.h"
#include "ProjectTextIds.h"
#include "RasterTextIds.h"
#include "ResourceTypes.h"
#include "SingleByteText.h"
#include "StringTable.h"
#include "UserInterface.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>

namespace {

using Focus = BitmapToMacroRefusal::Focus;

void tell(int id)
{
    qrl::ui().message(qrl::text(id), qrl::Buttons::Ok, qrl::Icon::Warning);
}

std::optional<BitmapToMacroRefusal> refuse(Focus focus)
{
    return BitmapToMacroRefusal{focus};
}

// The largest integer part a length may have in the unit: below 42 cm, 19 inches, 50400 dots.
int lengthLimit(int unitIndex)
{
    switch (unitIndex) {
    case BitmapToMacroForm::kInches:
        return 19;
    case BitmapToMacroForm::kDots:
        return 50400;
    default:
        return 42;
    }
}

// The value of the digits before the first other character (0 when there are none).
long long integerPart(const QString& text)
{
    long long value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        value = std::min(value * 10 + (c.unicode() - '0'), 1000000000LL);
    }
    return value;
}

enum class NumberCheck { Ok, NotANumber, BadSeparator };

// Turns "," into "." and checks that the field is a number in the unit: digits and at most one
// separator, none in dots. A character of another kind marks the field "#Value".
NumberCheck correctNumber(QString& text, int unitIndex)
{
    int separators = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char(','))
            text[i] = QLatin1Char('.');
        if (text[i] == QLatin1Char('.')) {
            if (++separators > 1 || unitIndex == BitmapToMacroForm::kDots)
                return NumberCheck::BadSeparator;
            continue;
        }
        if (text[i] < QLatin1Char('0') || text[i] > QLatin1Char('9')) {
            text = QString::fromLatin1(qrl::bitmapmacro::kNotANumberMark);
            return NumberCheck::NotANumber;
        }
    }
    return NumberCheck::Ok;
}

struct NumberField {
    QString* text;
    Focus focus;
};

std::optional<BitmapToMacroRefusal> checkLimits(std::initializer_list<NumberField> fields, int unitIndex)
{
    for (const NumberField& field : fields) {
        if (integerPart(*field.text) >= lengthLimit(unitIndex)) {
            qrl::ui().message(QString::fromLatin1(qrl::bitmapmacro::kTooBigText), qrl::Buttons::Ok,
                              qrl::Icon::Warning);
            return refuse(field.focus);
        }
    }
    return std::nullopt;
}

std::optional<BitmapToMacroRefusal> checkNumbers(std::initializer_list<NumberField> fields, int unitIndex)
{
    for (const NumberField& field : fields) {
        const NumberCheck check = correctNumber(*field.text, unitIndex);
        if (check == NumberCheck::BadSeparator)
            tell(qrl::ids::kNotANumber);
        if (check != NumberCheck::Ok)
            return refuse(field.focus);
    }
    return std::nullopt;
}

} // namespace

bool qrl::bitmapmacro::checkMacroName(QString& name, const CQuorlyn32Doc* project)
{
    name = name.toUpper();
    if (name.isEmpty()) {
        tell(qrl::ids::kNoMacroName);
        return false;
    }
    if (name[0] < QLatin1Char('A') || name[0] > QLatin1Char('Z')) {
        tell(qrl::ids::kMacroNameNoLetterFirst);
        return false;
    }
    name = name.trimmed();
    name.remove(QLatin1Char(' '));
    name.remove(QLatin1Char('\t'));
    name.remove(QLatin1Char('\r'));
    name.remove(QLatin1Char('\n'));
    if (!qrl::singlebyte::fits(name)) {
        tell(qrl::ids::kNotLatin1);
        return false;
    }
    // The printer takes at most four bytes of a name; a longer one would be cut in the macro.
    if (name.contains(QLatin1Char(',')) || name.contains(QLatin1Char(';')) ||
        name.size() > BitmapToMacroForm::kMaxMacroName) {
        tell(qrl::ids::kMacroNameNotAcceptable);
        return false;
    }
    for (int i = 0; project && i < project->GetItemCount(); ++i) {
        const CProjItem* item = project->GetItemAt(i);
        if (item->subtype() == kTelluradeMacro && item->GetName() == name) {
            tell(qrl::ids::kMacroNameInProject);
            return false;
        }
    }
    return true;
}

bool qrl::bitmapmacro::checkMacroFilePath(const QString& path, const CQuorlyn32Doc* project)
{
    if (path.isEmpty()) {
        tell(qrl::ids::kNoMacroFileName);
        return false;
    }
    if (!path.startsWith(QLatin1Char('/'))) {
        tell(qrl::ids::kMacroFileNoFullPath);
        return false;
    }
    // The macro file becomes a project item: a path its record cannot hold is refused before
    // anything is written.
    if (!CProjItem::FitsPathField(path)) {
        CProjItem::ShowPathTooLong(path);
        return false;
    }
    // Any file of the project, not only its macros: writing the macro would replace it.
    const QString key = CProjItem::PathKey(path);
    for (int i = 0; project && i < project->GetItemCount(); ++i) {
        const CProjItem* item = project->GetItemAt(i);
        if (item->pathKey() == key || item->GetPath().compare(path, Qt::CaseInsensitive) == 0) {
            tell(qrl::ids::kMacroFileInProject);
            return false;
        }
    }
    return true;
}

bool qrl::bitmapmacro::checkMacroFileIsNotImage(const QString& macroFilePath, const QString& imagePath)
{
    // A macro file that does not exist yet cannot be the image; equivalent() then fails.
    std::error_code ec;
    const bool same = std::filesystem::equivalent(QFile::encodeName(macroFilePath).toStdString(),
                                                  QFile::encodeName(imagePath).toStdString(), ec);
    if (!same || ec)
        return true;
    tell(qrl::ids::kMacroFileIsImage);
    return false;
}

bool qrl::bitmapmacro::probeFolder(const QString& macroFilePath)
{
    const QString folder = macroFilePath.left(macroFilePath.lastIndexOf(QLatin1Char('/')) + 1);
    const QString probePath = folder + QString::fromLatin1(kProbeFileName);
    if (!QFileInfo::exists(probePath) && !QFileInfo(probePath).isSymLink()) {
        QFile probe(probePath);
        if (!probe.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return false;
        probe.close();
        return probe.remove();
    }
    // Somebody's file of that name is never truncated or deleted: a fresh name tests the folder.
    QTemporaryFile probe(folder + QStringLiteral("mewhat.XXXXXX.trt"));
    return probe.open();
}

bool qrl::bitmapmacro::probeFolderOrTell(const QString& macroFilePath)
{
    if (probeFolder(macroFilePath))
        return true;
    ShowFileError(qrl::ids::kFileErrorFormat, qrl::ids::kCouldNotCreateFile, qrl::ids::kHintCheckDirectory,
                  macroFilePath);
    return false;
}

bool qrl::bitmapmacro::isNumberEntry(const QString& text)
{
    for (const QChar c : text)
        if ((c < QLatin1Char('0') || c > QLatin1Char('9')) && c != QLatin1Char(',') && c != QLatin1Char('.'))
            return false;
    return true;
}

std::optional<BitmapToMacroRefusal> qrl::bitmapmacro::checkForm(BitmapToMacroForm& form,
                                                                const CQuorlyn32Doc* project)
{
    if (!checkMacroName(form.macroName, project))
        return refuse(Focus::MacroName);
    if (!checkMacroFilePath(form.macroFilePath, project) ||
        !checkMacroFileIsNotImage(form.macroFilePath, form.sourcePath) ||
        !probeFolderOrTell(form.macroFilePath))
        return refuse(Focus::MacroFile);
    const int unit = form.unitIndex;
    const std::initializer_list<NumberField> position = {{&form.positionXText, Focus::PositionX},
                                                         {&form.positionYText, Focus::PositionY}};
    if (auto refusal = checkLimits(position, unit))
        return refusal;
    if (auto refusal = checkNumbers(position, unit))
        return refusal;
    if (auto refusal = checkNumbers(
            {{&form.outputHeightEntry, Focus::OutputHeight}, {&form.outputWidthEntry, Focus::OutputWidth}},
            unit))
        return refusal;
    return checkLimits(
        {{&form.outputWidthEntry, Focus::OutputWidth}, {&form.outputHeightEntry, Focus::OutputHeight}}, unit);
}
