#include "MacroText.h"

#include <charconv>

namespace pelmora::macro {

namespace {

std::string orZero(const std::string& coordinate)
{
    return coordinate.empty() ? std::string("0") : coordinate;
}

} // namespace

std::string orientation(const MacroRequest& request)
{
    switch (request.orientation) {
    case Orientation::Portrait:
        return ";SPO P";
    case Orientation::Landscape:
        return ";SPO L";
    case Orientation::None:
        break;
    }
    return {};
}

std::string resolution(const MacroRequest& request, std::string_view separator)
{
    if (request.resolution == "Default")
        return {};
    std::string text = ";STR";
    text += separator;
    text += request.resolution;
    return text;
}

std::string unit(const MacroRequest& request)
{
    // An empty unit would put its terminating NUL into the macro; the blank then stands alone.
    std::string text = ";UNIT ";
    if (!request.unit.empty())
        text += request.unit.front();
    return text;
}

bool hasPosition(const MacroRequest& request)
{
    return !request.positionX.empty() || !request.positionY.empty();
}

std::string position(const MacroRequest& request)
{
    if (!hasPosition(request))
        return {};
    return ";MZP " + orZero(request.positionX) + "," + orZero(request.positionY);
}

std::string bitmapHeader(const MacroRequest& request, std::string_view resolutionSeparator,
                         std::string_view rasterBegin)
{
    std::string text(kBegin);
    text += request.macroName;
    text += orientation(request);
    text += kResetGraphics;
    text += resolution(request, resolutionSeparator);
    text += unit(request);
    text += position(request);
    text += rasterBegin;
    return text;
}

std::string decimal(std::uint64_t n)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    return std::string(digits, end);
}

} // namespace pelmora::macro
