#include "CMacroEditDlgText.h"

#include "SingleByteText.h"

namespace qrl::macroedit {

QString editorText(const QByteArray& stored)
{
    QString text = qrl::singlebyte::fromBytes(stored);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

std::optional<QByteArray> storedText(const QString& edited)
{
    if (!qrl::singlebyte::fits(edited))
        return std::nullopt;
    return qrl::singlebyte::toBytes(edited).replace('\n', "\r\n");
}

} // namespace qrl::macroedit
