#include "CWinPlacement.h"

#include "Profile.h"
#include "TextFormat.h"

#include <array>
#include <charconv>

namespace {

// Reads ten comma-separated decimal numbers the way a scanf of the stored format does: blanks
// before a number are skipped, the first text that is no number ends the read.
int scanNumbers(const QByteArray& text, std::array<long long, 10>& out)
{
    const char* p = text.constData();
    const char* end = p + text.size();
    int count = 0;
    while (count < 10) {
        while (p < end && (*p == ' ' || *p == '\t'))
            ++p;
        if (p < end && *p == '+')
            ++p;
        long long value = 0;
        const auto res = std::from_chars(p, end, value);
        if (res.ec != std::errc())
            break;
        out[count++] = value;
        p = res.ptr;
        if (count < 10) {
            if (p >= end || *p != ',')
                break;
            ++p;
        }
    }
    return count;
}

} // namespace

QString CWinPlacement::placementText(const qrl::WindowPlacement& p)
{
    return qrl::formatText(
        QStringLiteral("%u,%u,%d,%d,%d,%d,%d,%d,%d,%d"),
        {p.flags, p.showCommand, p.minX, p.minY, p.maxX, p.maxY, p.left, p.top, p.right, p.bottom});
}

bool CWinPlacement::parsePlacementText(const QString& text, qrl::WindowPlacement& placement)
{
    if (text.isEmpty())
        return false;
    std::array<long long, 10> n{};
    if (scanNumbers(text.toLatin1(), n) < 10)
        return false;
    qrl::WindowPlacement p;
    p.flags = static_cast<std::uint32_t>(n[0]);
    p.showCommand = static_cast<std::uint32_t>(n[1]);
    p.minX = static_cast<int>(n[2]);
    p.minY = static_cast<int>(n[3]);
    p.maxX = static_cast<int>(n[4]);
    p.maxY = static_cast<int>(n[5]);
    p.left = static_cast<int>(n[6]);
    p.top = static_cast<int>(n[7]);
    p.right = static_cast<int>(n[8]);
    p.bottom = static_cast<int>(n[9]);
    if (p.left == p.right || p.top == p.bottom)
        return false;
    if (p.showCommand != qrl::WindowPlacement::kShowMaximized)
        p.showCommand = qrl::WindowPlacement::kShowNormal;
    placement = p;
    return true;
}

bool CWinPlacement::LoadWindowPlacement(const QString& section, qrl::WindowPlacement& placement) const
{
    return parsePlacementText(qrl::profile().getString(section, QString::fromLatin1(kValueName)), placement);
}

bool CWinPlacement::SaveWindowPlacement(const QString& section, const qrl::WindowPlacement& placement) const
{
    return qrl::profile().setString(section, QString::fromLatin1(kValueName), placementText(placement));
}
