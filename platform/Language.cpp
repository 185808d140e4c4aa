#include "Language.h"

#include "ProgramFiles.h"

#include <QFileInfo>

#include <array>
#include <utility>

namespace qrl {

namespace {
constexpr std::array<std::pair<int, const char*>, 19> kLanguages{{
    {5, "Csy"},  {6, "Dan"},  {7, "Deu"},  {8, "Ell"},  {10, "Esp"}, {11, "Fin"}, {12, "Fra"},
    {14, "Hun"}, {16, "Ita"}, {19, "Nld"}, {20, "Nor"}, {21, "Plk"}, {22, "Ptg"}, {24, "Rom"},
    {26, "Hrv"}, {27, "Sky"}, {28, "Sqi"}, {29, "Sve"}, {31, "Trk"},
}};

QString inDir(const QString& dir, const QString& name)
{
    return findProgramFile(dir, ProgramFileKind::Data, name);
}
} // namespace

QString languageSuffix(int languageId)
{
    for (const auto& [id, suffix] : kLanguages)
        if (id == languageId)
            return QString::fromLatin1(suffix);
    return {};
}

QString languageCataloguePath(const QString& programDir, int languageId)
{
    const QString suffix = languageSuffix(languageId);
    return suffix.isEmpty() ? QString()
                            : inDir(programDir, QStringLiteral("Qrlyn") + suffix + QStringLiteral(".qm"));
}

QString languageHelpFilePath(const QString& programDir, int languageId)
{
    const QString suffix = languageSuffix(languageId);
    return suffix.isEmpty() ? QString()
                            : inDir(programDir, QStringLiteral("Qrlyn") + suffix + QStringLiteral(".html"));
}

QString defaultHelpFilePath(const QString& programPath)
{
    const QFileInfo program(programPath);
    return inDir(program.path(), program.fileName() + QStringLiteral(".html"));
}

} // namespace qrl
