// What the build and the document need of a PCL macro item: its id and its body.
#include "CProjItem.h"

#include "FileMessages.h"
#include "ItemScanners.h"
#include "StringTable.h"
#include "UserInterface.h"

#include <QFile>
#include <QSaveFile>

namespace {

// `fileName` with the extension of its last component replaced by ".par" (added when it has none).
QString parFileName(const QString& fileName)
{
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > slash ? fileName.left(dot) : fileName;
    return stem + QStringLiteral(".par");
}

} // namespace

bool CProjItem::VerifyPclMacroId()
{
    const auto data = readFile();
    if (!data) {
        qrl::ui().message(qrl::text(2322) + m_path + qrl::text(2323));
        return false;
    }
    const itemscan::PclMacroId id = itemscan::pclMacroId(itemscan::bytesOf(*data));
    switch (id.result) {
    case itemscan::PclMacroId::Found:
        m_record.resourceId = id.value;
        return true;
    case itemscan::PclMacroId::OutOfRange:
        ShowFileError(2404, 2446, 2401, m_path);
        return false;
    default:
        qrl::ui().message(qrl::text(2214));
        return false;
    }
}

bool CProjItem::WriteParFile(QString& fileName) const
{
    fileName = parFileName(fileName);
    const auto data = readFile();
    if (!data) {
        ShowFileError(2400, 2232, 2407, m_path);
        return false;
    }
    const itemscan::PclMacroBody body = itemscan::pclMacroBody(itemscan::bytesOf(*data));
    // The build goes on only after a message: a macro without its start or end is named here.
    if (!body.start) {
        ShowFileError(2404, 2416, 2407, m_path);
        return false;
    }
    if (!body.end) {
        ShowFileError(2404, 2417, 2407, m_path);
        return false;
    }
    QSaveFile out(fileName);
    const auto length = static_cast<qint64>(*body.end - *body.start);
    const bool written = out.open(QIODevice::WriteOnly) &&
                         out.write(data->constData() + *body.start, length) == length &&
                         out.write("\x1b&f1X", 5) == 5 && out.flush() && out.size() == out.pos() &&
                         out.commit();
    if (!written) {
        ShowFileError(2400, 2232, 2231, fileName);
        return false;
    }
    return true;
}
