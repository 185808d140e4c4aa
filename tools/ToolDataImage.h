#pragma once

#include <QByteArray>
#include <QString>

// The whole content of the tool data file, built in memory before it is written at once: the
// three CALL entries first, then the file to send, then the custom macros. Every entry is checked
// so that it reads back exactly as written; an entry that would not is refused and the image is
// left as it was before that call.
class ToolDataImage {
public:
    enum class Refusal {
        None,
        LineBreakInValue, // a one-line value holds a CR or a LF
        PathTooLong,      // the path of the file to send is longer than qrl::tooldata::kMaxPath bytes
        BadName,          // a custom macro name that is too long or holds "]", a CR or a LF
        TagInMacroText,   // a line of a custom macro text begins with a tag of the file
        PastTagWindow,    // the entry's tag would begin where no reader finds it
    };

    // Starts the image afresh with the three CALL entries.
    bool WriteCallBlock(const QByteArray& name, const QByteArray& parameter, const QByteArray& repeat);
    // Appends "[MACRO_FILE]" path CR LF.
    bool AppendMacroFile(const QByteArray& path);
    // Appends "[CUSTOM_MCRO|" name "]" text CR LF; a null `text` writes the tag and the CR LF only.
    bool AppendCustomMacro(const QByteArray& name, const QByteArray* text);

    const QByteArray& bytes() const { return m_bytes; }
    // Why the last refused call was refused, and the value it was about.
    Refusal refusal() const { return m_refusal; }
    const QByteArray& refusedValue() const { return m_refusedValue; }
    // The message shown for the last refusal.
    QString refusalText() const { return refusalText(m_refusal, m_refusedValue); }
    static QString refusalText(Refusal refusal, const QByteArray& value);

private:
    bool refuse(Refusal refusal, const QByteArray& value);
    bool appendLine(const char* tag, const QByteArray& value);

    QByteArray m_bytes;
    Refusal m_refusal = Refusal::None;
    QByteArray m_refusedValue;
};
