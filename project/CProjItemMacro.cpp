// What the build and the document need of a PCL macro item: its id and its body.
#include "CProjItem.h"
#include "ProjectTextIds.h"
#include "RasterTextIds.h"

#include "FileMessages.h"
#include "FileSave.h"
#include "ItemScanners.h"
#include "StringTable.h"
#include "UserInterface.h"

#include <QFile>

#include <string_view>

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
        qrl::ui().message(qrl::text(qrl::ids::kCouldNotOpenPclMacro) + m_path +
                          qrl::text(qrl::ids::kToObtainMacroId));
        return false;
    }
    const qrl::itemscan::PclMacroId id = qrl::itemscan::pclMacroId(qrl::itemscan::bytesOf(*data));
    switch (id.result) {
    case qrl::itemscan::PclMacroId::Found:
        m_record.resourceId = id.value;
        return true;
    case qrl::itemscan::PclMacroId::OutOfRange:
        ShowFileError(qrl::ids::kFileFailureFormat, qrl::ids::kPclMacroIdOutOfRange,
                      qrl::ids::kHintNotInserted, m_path);
        return false;
    default:
        qrl::ui().message(qrl::text(qrl::ids::kPclMacroIdNotFound));
        return false;
    }
}

bool CProjItem::WriteParFile(QString& fileName) const
{
    fileName = parFileName(fileName);
    const auto data = readFile();
    if (!data) {
        ShowFileError(qrl::ids::kFileErrorFormat, qrl::ids::kCouldNotAccessFile, qrl::ids::kHintCheckFile,
                      m_path);
        return false;
    }
    const qrl::itemscan::PclMacroBody body = qrl::itemscan::pclMacroBody(qrl::itemscan::bytesOf(*data));
    // The build goes on only after a message: a macro without its start or end is named here.
    if (!body.start) {
        ShowFileError(qrl::ids::kFileFailureFormat, qrl::ids::kPclMacroStartMissing, qrl::ids::kHintCheckFile,
                      m_path);
        return false;
    }
    if (!body.end) {
        ShowFileError(qrl::ids::kFileFailureFormat, qrl::ids::kPclMacroEndMissing, qrl::ids::kHintCheckFile,
                      m_path);
        return false;
    }
    static constexpr std::string_view kMacroEnd = "\x1b&f1X";
    qrl::WholeFileWriter out;
    const bool written = out.open(qrl::nativePath(fileName)) &&
                         out.write(data->constData() + *body.start, *body.end - *body.start) &&
                         out.write(kMacroEnd) && out.commit();
    if (!written) {
        ShowWriteFailure(out.error(), fileName);
        return false;
    }
    return true;
}
