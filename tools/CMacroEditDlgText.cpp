#include "CMacroEditDlgText.h"

namespace macroedit {

QString editorText(const QByteArray& stored)
{
    QString text = QString::fromLatin1(stored);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

std::optional<QByteArray> storedText(const QString& edited)
{
    QByteArray bytes;
    bytes.reserve(edited.size() + edited.count(u'\n'));
    for (const QChar c : edited) {
        if (c.unicode() > 0xFF)
            return std::nullopt;
        if (c == u'\n')
            bytes.append("\r\n", 2);
        else
            bytes.append(static_cast<char>(c.unicode()));
    }
    return bytes;
}

} // namespace macroedit
