#include "FontDownloadText.h"

#include "StringTable.h"
#include "TextFormat.h"
#include "ToolsTextIds.h"

namespace qrl::fontdownload {

namespace {

constexpr char kCrLf[] = "\r\n";

const char* deviceName(Medium medium)
{
    return medium == Medium::HardDisk ? "disk0" : "card0";
}

const char* procedureName(Medium medium)
{
    return medium == Medium::HardDisk ? "PFAtoHDD" : "PFAtoCF";
}

} // namespace

Medium mediumFromValue(int value)
{
    return value == static_cast<int>(Medium::HardDisk) ? Medium::HardDisk : Medium::CompactFlash;
}

QByteArray postScriptStringBody(QByteArrayView text)
{
    QByteArray body;
    body.reserve(text.size());
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '(' || c == ')' || c == '\\') {
            body.append('\\');
            body.append(c);
        } else if (b < 0x20 || b >= 0x7F) {
            const char octal[] = {'\\', static_cast<char>('0' + (b >> 6)),
                                  static_cast<char>('0' + ((b >> 3) & 7)), static_cast<char>('0' + (b & 7))};
            body.append(octal, sizeof octal);
        } else {
            body.append(c);
        }
    }
    return body;
}

bool targetPathBytes(const QString& targetPath, QByteArray& bytes)
{
    for (const QChar c : targetPath) {
        if (c.unicode() > 0xFF)
            return false;
    }
    bytes = targetPath.toLatin1();
    return true;
}

QByteArray jobHeader(Medium medium, QByteArrayView targetPath)
{
    const QByteArray procedure(procedureName(medium));
    const QByteArray lines[] = {
        "!R!SEM9;EXIT;%!",
        "%%Creator: Quorlyn32 Vorl Font Downloader 1.0",
        "%%Copyright: (c) Zentrix. All rights reserved.",
        "%%Title: Save Font",
        "%%EndComments",
        "/" + procedure + " { ",
        "(%" + QByteArray(deviceName(medium)) + "%" + postScriptStringBody(targetPath) +
            ") (w) file /wf exch def",
        "/rf currentfile 0 (" + postScriptStringBody(kEndOfDataMarker) + ") /SubFileDecode filter def",
        "/str 4096 string def",
        "  { rf str readstring exch wf exch writestring {}{exit} ifelse } loop",
        "  wf closefile",
        "  rf closefile",
        "} def",
        procedure,
    };
    QByteArray text;
    for (const QByteArray& line : lines)
        text += line + kCrLf;
    return text;
}

QByteArray jobTrailer()
{
    return QByteArray(kEndOfDataMarker) + kCrLf + kEndOfJob;
}

QByteArray fontListJob(Medium medium, bool flstCommand)
{
    if (flstCommand)
        return QByteArrayLiteral("!R! SEM9;FLST O;EXIT;");
    const char* mediumWord = medium == Medium::HardDisk ? "Disk" : "Card";
    QByteArray job = qrl::formatText(qrl::text(qrl::ids::kVorlFileListProgram), {mediumWord}).toLatin1();
    job += "(%" + QByteArray(deviceName(medium)) + "%fonts/*)";
    job += qrl::text(qrl::ids::kVorlFileListLoop).toLatin1();
    job += kEndOfJob;
    return job;
}

} // namespace qrl::fontdownload
