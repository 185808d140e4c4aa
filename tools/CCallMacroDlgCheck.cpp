#include "CCallMacroDlgCheck.h"

#include "PrinterText.h"

#include <algorithm>

namespace callmacro {

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
    if (!printertext::isLatin1(params.macroName) || !printertext::isLatin1(params.parameter))
        return qrl::ids::kNotLatin1;
    return 0;
}

} // namespace callmacro
