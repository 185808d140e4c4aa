#include "CallMacroCommand.h"

#include "PlatformTextIds.h"
#include "PrinterText.h"
#include "ProjectTextIds.h"
#include "SingleByteText.h"
#include "StringTable.h"
#include "ToolsTextIds.h"
#include "UserInterface.h"

#include <algorithm>

namespace {

const char* const kValuesNotAcceptable =
    "The CALL macro's repeat count may hold digits only, and its parameter value no \";\", no "
    "unpaired quote and no control character.";
const char* const kCommandTooLong =
    "The CALL command would be longer than 255 bytes.\nPlease shorten the macro name or the parameter value.";

bool isControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

bool allDigits(const QByteArray& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

bool acceptableCallParameter(const QByteArray& parameter)
{
    return std::none_of(parameter.begin(), parameter.end(),
                        [](char c) { return isControl(c) || c == ';'; }) &&
           qrl::printertext::readQuotes(parameter) == qrl::printertext::QuoteReading::Closed;
}

CallMacroProblem buildCallMacroCommand(const CallMacroParams& params, QByteArray& command)
{
    if (params.macroName.isEmpty())
        return CallMacroProblem::NoName;
    for (const QString* value : {&params.macroName, &params.parameter, &params.repeatCount})
        if (!qrl::singlebyte::fits(*value))
            return CallMacroProblem::NotLatin1;
    const QByteArray name = qrl::singlebyte::toBytes(params.macroName);
    const QByteArray parameter = qrl::singlebyte::toBytes(params.parameter);
    const QByteArray repeat = qrl::singlebyte::toBytes(params.repeatCount);
    if (!qrl::printertext::isBareName(name))
        return CallMacroProblem::BadName;
    if (!allDigits(repeat) || !acceptableCallParameter(parameter))
        return CallMacroProblem::BadValues;

    QByteArray text("!R! CALL ");
    if (!repeat.isEmpty())
        text.append(repeat).append(' ');
    text.append(name);
    if (!parameter.isEmpty())
        text.append(", ").append(parameter).append(' ');
    text.append("; EXIT;");
    if (text.size() > kMaxCommandBytes)
        return CallMacroProblem::TooLong;
    command = text;
    return CallMacroProblem::None;
}

bool BuildCallMacroCommand(const CallMacroParams& params, QByteArray& command)
{
    switch (buildCallMacroCommand(params, command)) {
    case CallMacroProblem::None:
        return true;
    case CallMacroProblem::NoName:
        qrl::ui().message(qrl::text(qrl::ids::kNoCallMacroName));
        break;
    case CallMacroProblem::BadName:
        qrl::ui().message(qrl::text(qrl::ids::kMacroNameNotAcceptable), qrl::Buttons::Ok, qrl::Icon::Warning);
        break;
    case CallMacroProblem::BadValues:
        qrl::ui().message(QString::fromLatin1(kValuesNotAcceptable), qrl::Buttons::Ok, qrl::Icon::Warning);
        break;
    case CallMacroProblem::NotLatin1:
        qrl::ui().message(qrl::text(qrl::ids::kNotLatin1), qrl::Buttons::Ok, qrl::Icon::Warning);
        break;
    case CallMacroProblem::TooLong:
        qrl::ui().message(QString::fromLatin1(kCommandTooLong), qrl::Buttons::Ok, qrl::Icon::Warning);
        break;
    }
    return false;
}
