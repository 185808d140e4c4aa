#include "EmcrCommandFile.h"

#include "EmcrOptions.h"
#include "PrinterText.h"
#include "ProjectTextIds.h"
#include "SingleByteText.h"
#include "StringTable.h"
#include "TextFormat.h"
#include "ToolFileWrite.h"
#include "ToolsTextIds.h"
#include "UserInterface.h"

#include <QList>

namespace qrl::emcr {

namespace {

constexpr const char* kVersionComment = "CMNT created by Quorlyn version: %s;\r\n";
constexpr const char* kTimeComment = "CMNT creation time: [%.4d/%.2d/%.2d - %.2d:%.2d];\r\n";

template <typename Pred>
bool allOf(const QString& text, Pred pred)
{
    for (const QChar c : text) {
        if (!pred(c.unicode()))
            return false;
    }
    return true;
}

QByteArray command(const EmcrCommandJob& job, int row)
{
    const EmcrAssignment& a = job.assignments[static_cast<std::size_t>(slotOfRow(row, job.duplex))];
    QByteArray line = qrl::formatBytes("EMCR E,%d", {sourceNumber(sourceOfRow(row, job.duplex))});
    if (job.duplex)
        line += qrl::formatBytes("=%d", {sideOfRow(row, job.duplex)});
    line += ',';
    if (!a.repeatCount.isEmpty())
        line += qrl::singlebyte::toBytes(a.repeatCount) + ' ';
    line += qrl::singlebyte::toBytes(a.macro);
    if (!a.parameters.isEmpty())
        line += ',' + qrl::singlebyte::toBytes(a.parameters);
    return line + ';';
}

// The comment lines that explain one assignment, each without its line end.
QList<QByteArray> explanations(const EmcrCommandJob& job, int row)
{
    const EmcrAssignment& a = job.assignments[static_cast<std::size_t>(slotOfRow(row, job.duplex))];
    QList<QByteArray> lines;
    lines.append(qrl::formatBytes("CMNT assign macro %s to '%s';",
                                  {a.macro, sourceName(sourceOfRow(row, job.duplex))}));
    if (job.duplex)
        lines.append(
            qrl::formatBytes("CMNT duplex side: %s;", {sideOfRow(row, true) == 0 ? "front" : "back"}));
    if (!a.repeatCount.isEmpty())
        lines.append(qrl::formatBytes("CMNT repeat count: %s;", {a.repeatCount}));
    if (!a.parameters.isEmpty())
        lines.append(qrl::formatBytes("CMNT params: %s;", {a.parameters}));
    return lines;
}

TextError checkRow(const EmcrCommandJob& job, int row)
{
    const EmcrAssignment& a = job.assignments[static_cast<std::size_t>(slotOfRow(row, job.duplex))];
    if (!acceptableName(a.macro))
        return TextError::MacroName;
    if (!acceptableParameters(a.parameters))
        return TextError::Parameters;
    if (!a.repeatCount.isEmpty()) {
        const RepeatCount repeat = normaliseRepeatCount(a.repeatCount);
        if (!repeat.ok || repeat.text != a.repeatCount)
            return TextError::RepeatCount;
    }
    if (command(job, row).size() > kMaxCommandBytes)
        return TextError::CommandTooLong;
    if (job.optionMask & options::kEnableExplanation) {
        for (const QByteArray& line : explanations(job, row)) {
            if (line.size() > kMaxCommandBytes)
                return TextError::CommandTooLong;
        }
    }
    return TextError::None;
}

void appendHeader(QByteArray& out, const EmcrCommandJob& job, int versionBit, int timeBit)
{
    out += "!R!\r\n";
    if (job.optionMask & versionBit)
        out += qrl::formatBytes(kVersionComment, {job.versionText});
    if (job.optionMask & timeBit) {
        const QDateTime t = job.time.isValid() ? job.time : QDateTime::currentDateTime();
        const QDate d = t.date();
        const QTime c = t.time();
        out += qrl::formatBytes(kTimeComment, {d.year(), d.month(), d.day(), c.hour(), c.minute()});
    }
}

} // namespace

bool isParameterChar(QChar c)
{
    // Blanks, commas and quotes are the parameters' own syntax; control bytes would break the line.
    const char16_t u = c.unicode();
    return (u >= 0x20 && u < 0x7F && u != u';') || (u >= 0xA0 && u <= 0xFF);
}

bool acceptableName(const QString& name)
{
    // The name stands bare between the repeat count's blank and the parameters' comma; it is kept
    // to printable ASCII as well.
    return allOf(name, [](char16_t c) { return c < 0x7F; }) &&
           qrl::printertext::isBareName(qrl::singlebyte::toBytes(name));
}

bool acceptableParameters(const QString& parameters)
{
    // A string left open swallows the rest of the job; one that closes may hold blanks and commas.
    return allOf(parameters, [](char16_t c) { return isParameterChar(QChar(c)); }) &&
           qrl::printertext::readQuotes(qrl::singlebyte::toBytes(parameters)) ==
               qrl::printertext::QuoteReading::Closed;
}

int assignedRowCount(const EmcrCommandJob& job)
{
    int count = 0;
    for (int row = 0; row < rowCount(job.duplex); ++row)
        count += job.assignments[static_cast<std::size_t>(slotOfRow(row, job.duplex))].isAssigned() ? 1 : 0;
    return count;
}

TextError checkAssignments(const EmcrCommandJob& job, int* row)
{
    for (int r = 0; r < rowCount(job.duplex); ++r) {
        if (!job.assignments[static_cast<std::size_t>(slotOfRow(r, job.duplex))].isAssigned())
            continue;
        const TextError error = checkRow(job, r);
        if (error != TextError::None) {
            if (row)
                *row = r;
            return error;
        }
    }
    return TextError::None;
}

int messageOf(TextError error)
{
    switch (error) {
    case TextError::MacroName:
        return qrl::ids::kMacroNameNotAcceptable;
    case TextError::RepeatCount:
        return qrl::ids::kNotANumber;
    case TextError::Parameters:
        return qrl::ids::kParametersNotAcceptable;
    case TextError::CommandTooLong:
        return qrl::ids::kEmcrParametersTooLong;
    case TextError::None:
        break;
    }
    return 0;
}

QByteArray enableFileBytes(const EmcrCommandJob& job)
{
    if (checkAssignments(job) != TextError::None)
        return {};
    const bool explain = job.optionMask & options::kEnableExplanation;
    QByteArray out;
    appendHeader(out, job, options::kEnableVersion, options::kEnableTime);
    if (explain)
        out += "CMNT activate macro to cassette assignment by using EMCR command;\r\n";
    for (int row = 0; row < rowCount(job.duplex); ++row) {
        if (!job.assignments[static_cast<std::size_t>(slotOfRow(row, job.duplex))].isAssigned())
            continue;
        if (explain) {
            for (const QByteArray& line : explanations(job, row))
                out += line + "\r\n";
        }
        out += command(job, row) + "\r\n";
    }
    if (job.duplex) {
        if (explain)
            out += job.longEdge ? "CMNT duplex command - long edge binding;\r\n"
                                : "CMNT duplex command - short edge binding;\r\n";
        out += job.longEdge ? "DUPX 1;\r\n" : "DUPX 2;\r\n";
    }
    out += "EXIT;";
    return out;
}

QByteArray disableFileBytes(const EmcrCommandJob& job)
{
    QByteArray out;
    appendHeader(out, job, options::kDisableVersion, options::kDisableTime);
    if (job.optionMask & options::kDisableExplanation)
        out += "CMNT disable command for EMCR;\r\n";
    out += "RES;EMCR D;\r\n";
    out += "EXIT;";
    return out;
}

bool writeCommandFile(const QByteArray& bytes, const QString& path)
{
    return qrl::toolfile::writeFile(path, bytes);
}

} // namespace qrl::emcr

namespace {

bool refuseAssignments(const EmcrCommandJob& job)
{
    const qrl::emcr::TextError error = qrl::emcr::checkAssignments(job);
    if (error == qrl::emcr::TextError::None)
        return false;
    qrl::ui().message(qrl::text(qrl::emcr::messageOf(error)), qrl::Buttons::Ok, qrl::Icon::Warning);
    return true;
}

} // namespace

bool WriteEmcrEnableFile(const EmcrCommandJob& job, const QString& path)
{
    return !refuseAssignments(job) && qrl::emcr::writeCommandFile(qrl::emcr::enableFileBytes(job), path);
}

bool WriteEmcrDisableFile(const EmcrCommandJob& job, const QString& path)
{
    return qrl::emcr::writeCommandFile(qrl::emcr::disableFileBytes(job), path);
}
