#include "EmcrSources.h"

#include "StringTable.h"
#include "ToolsTextIds.h"

namespace qrl::emcr {

namespace {

constexpr int kCombinedLimit = 236;
constexpr int kManualFeederNumber = 0;
constexpr int kNr4Number = 99;

// The source names are the string ids kCassette1 to kNr4, in source order.
static_assert(qrl::ids::kNr4 - qrl::ids::kCassette1 + 1 == kSourceCount);

} // namespace

QString sourceName(int source)
{
    if (source < 0 || source >= kSourceCount)
        return {};
    return qrl::text(qrl::ids::kCassette1 + source);
}

QString sideName(int side)
{
    return qrl::text(side == 0 ? qrl::ids::kEmcrFront : qrl::ids::kEmcrBack);
}

int sourceNumber(int source)
{
    if (source == kManualFeederSource)
        return kManualFeederNumber;
    if (source == kNr4Source)
        return kNr4Number;
    return source + 1;
}

int lengthLimit(bool duplex, int source)
{
    return kCombinedLimit - (duplex ? 2 : 0) - (source == kNr4Source ? 1 : 0);
}

bool isAllDigits(const QString& text)
{
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

RepeatCount normaliseRepeatCount(const QString& digits)
{
    if (!isAllDigits(digits))
        return {};
    // Leading zeros are dropped before the range test, so no length of zeros overflows it.
    qsizetype first = 0;
    while (first < digits.size() && digits[first] == QLatin1Char('0'))
        ++first;
    const QString significant = digits.mid(first);
    if (significant.size() > 5)
        return {};
    const int value = significant.isEmpty() ? 0 : significant.toInt();
    if (value > kMaxRepeatCount)
        return {};
    if (value <= 1)
        return {true, QString()};
    return {true, QString::number(value)};
}

} // namespace qrl::emcr
