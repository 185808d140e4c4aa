#include "ToolDataText.h"

#include <array>

namespace qrl::tooldata {

namespace {

constexpr std::array<QByteArrayView, 5> kTags = {
    QByteArrayView("[CALL_MCRO]"),  QByteArrayView("[CALL_PARAM]"),  QByteArrayView("[CALL_RPT]"),
    QByteArrayView("[MACRO_FILE]"), QByteArrayView(kCustomMacroTag),
};

// The first line start at or after `from`; -1 when there is none before the end of the file.
qsizetype lineStartFrom(const QByteArray& file, qsizetype from)
{
    if (from <= 0)
        return 0;
    if (from > file.size())
        return -1;
    if (file[from - 1] == '\n')
        return from;
    const qsizetype lf = file.indexOf('\n', from);
    return lf < 0 ? -1 : lf + 1;
}

// The line start after the one at `lineStart`; -1 at the last line.
qsizetype nextLineStart(const QByteArray& file, qsizetype lineStart)
{
    const qsizetype lf = file.indexOf('\n', lineStart);
    return lf < 0 ? -1 : lf + 1;
}

bool startsAt(const QByteArray& file, qsizetype offset, QByteArrayView pattern)
{
    return offset >= 0 && offset <= file.size() && QByteArrayView(file).sliced(offset).startsWith(pattern);
}

qsizetype lineEnd(const QByteArray& file, qsizetype from)
{
    qsizetype end = from;
    while (end < file.size() && file[end] != '\r' && file[end] != '\n')
        ++end;
    return end;
}

} // namespace

std::optional<qsizetype> FindSection(const QByteArray& file, QByteArrayView text, qsizetype from,
                                     bool bracket)
{
    QByteArray pattern;
    if (bracket)
        pattern.append('[').append(text).append(']');
    else
        pattern.append(text);
    if (pattern.isEmpty() || pattern.size() > file.size())
        return std::nullopt;
    const qsizetype last = file.size() - pattern.size();
    for (qsizetype pos = lineStartFrom(file, from); pos >= 0 && pos < kTagWindow && pos <= last;
         pos = nextLineStart(file, pos)) {
        if (startsAt(file, pos, pattern))
            return pos + pattern.size();
    }
    return std::nullopt;
}

bool isTagAt(const QByteArray& file, qsizetype offset)
{
    for (QByteArrayView tag : kTags) {
        if (startsAt(file, offset, tag))
            return true;
    }
    return false;
}

std::optional<QByteArray> readValue(const QByteArray& file, const char* tag)
{
    const std::optional<qsizetype> after = FindSection(file, tag, 0, true);
    if (!after)
        return std::nullopt;
    return file.sliced(*after, lineEnd(file, *after) - *after);
}

bool nextCustomMacroName(const QByteArray& file, qint64& offset, QByteArray& name)
{
    const QByteArrayView key(kCustomMacroTag);
    for (qsizetype pos = lineStartFrom(file, offset); pos >= 0; pos = nextLineStart(file, pos)) {
        if (!startsAt(file, pos, key))
            continue;
        const qsizetype nameStart = pos + key.size();
        qsizetype end = nameStart;
        while (end < file.size() && file[end] != ']' && file[end] != '\r' && file[end] != '\n')
            ++end;
        // A name that does not close on its own line, or that no reader could hold, is no entry.
        if (end == file.size() || file[end] != ']' || end - nameStart > kMaxNameRead)
            continue;
        name = file.sliced(nameStart, end - nameStart);
        offset = nameStart;
        return true;
    }
    return false;
}

std::optional<QByteArray> readCustomMacro(const QByteArray& file, const QByteArray& name)
{
    const std::optional<qsizetype> after = FindSection(file, QByteArray(kCustomMacroKey) + name, 0, true);
    if (!after)
        return std::nullopt;
    // The text ends at the next entry of any kind, wherever it lies: a tag beyond the window still
    // ends the text before it, so one macro never swallows the entries after it.
    qsizetype end = file.size();
    for (qsizetype pos = nextLineStart(file, *after); pos >= 0; pos = nextLineStart(file, pos)) {
        if (isTagAt(file, pos)) {
            end = pos;
            break;
        }
    }
    QByteArray text = file.sliced(*after, end - *after);
    // Only a line end that is there is taken off: an entry cut short keeps all of its bytes.
    if (text.endsWith('\n'))
        text.chop(text.endsWith("\r\n") ? 2 : 1);
    return text;
}

} // namespace qrl::tooldata
