#include "CCallMacroDlgCheck.h"

#include "PlatformTextIds.h"
#include "PrinterText.h"
#include "ProjectTextIds.h"
#include "SingleByteText.h"
#include "ToolsTextIds.h"

#include <algorithm>

namespace qrl::callmacro {

int checkCallMacroParams(const CallMacroParams& params)
{
    const QString& repeat = params.repeatCount;
    if (!std::all_of(repeat.begin(), repeat.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return qrl::ids::kNotANumber;
    // Leading zeros do not make a count larger; only the value counts.
    qsizetype first = 0;
    while (first < repeat.size() && repeat[first] == u'0')
        ++first;
    const QStringView digits = QStringView(repeat).mid(first);
    if (digits.size() > 5 || (!digits.isEmpty() && digits.toInt() > kMaxRepeatCount))
        return qrl::ids::kRepeatCountRange;
    if (!qrl::singlebyte::fits(params.macroName) || !qrl::singlebyte::fits(params.parameter))
        return qrl::ids::kNotLatin1;
    if (!params.macroName.isEmpty() &&
        !qrl::printertext::isBareName(qrl::singlebyte::toBytes(params.macroName)))
        return qrl::ids::kMacroNameNotAcceptable;
    if (!acceptableCallParameter(qrl::singlebyte::toBytes(params.parameter)))
        return qrl::ids::kParametersNotAcceptable;
    return 0;
}

} // namespace qrl::callmacro
