#include "ToolDataImage.h"

#include "SingleByteText.h"
#include "TextFormat.h"
#include "ToolDataText.h"

namespace {

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

bool holdsLineBreak(const QByteArray& value)
{
    return value.contains('\r') || value.contains('\n');
}

// True when a line of `text` after its first begins with a tag: on reading, the macro would end
// there. The first line follows the entry's "]" and is no line start.
bool holdsTagLine(const QByteArray& text)
{
    for (qsizetype lf = text.indexOf('\n'); lf >= 0; lf = text.indexOf('\n', lf + 1)) {
        if (qrl::tooldata::isTagAt(text, lf + 1))
            return true;
    }
    return false;
}

QByteArray entry(const char* tag, const QByteArray& value)
{
    return QByteArray("[").append(tag).append(']').append(value).append(kLineEnd);
}

} // namespace

bool ToolDataImage::refuse(Refusal refusal, const QByteArray& value)
{
    m_refusal = refusal;
    m_refusedValue = value;
    return false;
}

bool ToolDataImage::WriteCallBlock(const QByteArray& name, const QByteArray& parameter,
                                   const QByteArray& repeat)
{
    for (const QByteArray* value : {&name, &parameter, &repeat}) {
        if (holdsLineBreak(*value))
            return refuse(Refusal::LineBreakInValue, *value);
    }
    const QByteArray first = entry(qrl::tooldata::kCallMacroTag, name);
    const QByteArray second = entry(qrl::tooldata::kCallParamTag, parameter);
    if (first.size() + second.size() >= qrl::tooldata::kTagWindow)
        return refuse(Refusal::PastTagWindow, name);
    m_bytes = first + second + entry(qrl::tooldata::kCallRepeatTag, repeat);
    m_refusal = Refusal::None;
    return true;
}

bool ToolDataImage::AppendMacroFile(const QByteArray& path)
{
    if (holdsLineBreak(path))
        return refuse(Refusal::LineBreakInValue, path);
    if (path.size() > qrl::tooldata::kMaxPath)
        return refuse(Refusal::PathTooLong, path);
    return appendLine(qrl::tooldata::kMacroFileTag, path);
}

bool ToolDataImage::AppendCustomMacro(const QByteArray& name, const QByteArray* text)
{
    if (name.size() > qrl::tooldata::kMaxNameWritten || name.contains(']') || holdsLineBreak(name))
        return refuse(Refusal::BadName, name);
    if (text && holdsTagLine(*text))
        return refuse(Refusal::TagInMacroText, name);
    if (m_bytes.size() >= qrl::tooldata::kTagWindow)
        return refuse(Refusal::PastTagWindow, name);
    m_bytes.append(qrl::tooldata::kCustomMacroTag).append(name).append(']');
    if (text)
        m_bytes.append(*text);
    m_bytes.append(kLineEnd);
    m_refusal = Refusal::None;
    return true;
}

bool ToolDataImage::appendLine(const char* tag, const QByteArray& value)
{
    if (m_bytes.size() >= qrl::tooldata::kTagWindow)
        return refuse(Refusal::PastTagWindow, value);
    m_bytes.append(entry(tag, value));
    m_refusal = Refusal::None;
    return true;
}

QString ToolDataImage::refusalText(Refusal refusal, const QByteArray& value)
{
    const char* format = "";
    switch (refusal) {
    case Refusal::None:
        return {};
    case Refusal::LineBreakInValue:
        format = "This value holds a line break and cannot be kept in the tool data file:\n\n%s";
        break;
    case Refusal::PathTooLong:
        format = "The path of the file to send is longer than 260 bytes and cannot be kept in the tool "
                 "data file:\n\n%s";
        break;
    case Refusal::BadName:
        format = "A custom macro name may hold at most 243 bytes and no \"]\" or line break:\n\n%s";
        break;
    case Refusal::TagInMacroText:
        format = "A line of this custom macro begins like an entry of the tool data file (\"[CALL_MCRO]\", "
                 "\"[CUSTOM_MCRO|\"...), so it would not read back as written:\n\n%s";
        break;
    case Refusal::PastTagWindow:
        format = "The tool data file can hold entries only within its first 10000 bytes.\nPlease shorten or "
                 "delete custom macros. The entry that does not fit:\n\n%s";
        break;
    }
    return qrl::formatText(QString::fromLatin1(format), {qrl::singlebyte::fromBytes(value)});
}
