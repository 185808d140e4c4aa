#include "SlotDelivery.h"

#include "BuildMessages.h"
#include "BuildMonitor.h"
#include "BuildSessionTextIds.h"
#include "DeliverySink.h"
#include "ProjectTextIds.h"
#include "RasterTextIds.h"
#include "Spooler.h"
#include "StringTable.h"
#include "TextFormat.h"
#include "UserInterface.h"
#include "vintrel.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

namespace qrl::build {

namespace {

constexpr int kProgramDataType = 2;

void showBuildFailure()
{
    qrl::ui().message(qrl::text(ids::kFailedToBuild), qrl::Buttons::Ok, qrl::Icon::Warning);
}

} // namespace

SlotDelivery::SlotDelivery(BuildContext& context, const DeliveryOptions& options, BuildMonitor& monitor)
    : m_context(context), m_options(options), m_monitor(monitor),
      m_family(commandFamily(options.target, options.compactFlash, options.tarnwick))
{
}

QString SlotDelivery::slotImageName(int index)
{
    return qrl::formatText(QStringLiteral("SLT%05d.SLT"), {index});
}

bool SlotDelivery::WriteSlotsToPrinter(qrl::Spooler& spooler, const QString& printerName)
{
    m_monitor.setStatusText(qrl::text(ids::kStatusWritingToPrinter));
    SpoolDeliverySink sink(spooler, printerName);
    if (!sink.open()) {
        RemoveSlots(&m_context);
        return false;
    }
    return writeSlots(sink);
}

bool SlotDelivery::WriteSlotsToFile(const QString& path)
{
    m_monitor.setStatusText(qrl::text(ids::kStatusWritingToPrinter));
    FileDeliverySink sink(path);
    if (!sink.open()) {
        RemoveSlots(&m_context);
        return false;
    }
    return writeSlots(sink);
}

bool SlotDelivery::writeSlots(DeliverySink& sink)
{
    bool ok = true;
    const auto slotCount = static_cast<int>(std::min<std::uint32_t>(m_context.slotCount, VINTREL_MAX_BLOCKS));
    for (int i = 0; i < slotCount && ok; ++i)
        ok = writeSlot(sink, i);
    if (ok && !(writeTrailer(sink) && sink.finish())) {
        sink.showWriteFailure();
        ok = false;
    }
    ok = ok && sink.follow(m_monitor);
    // A job or file that failed anywhere is withdrawn whole: nothing of it may print or stay.
    if (!ok)
        sink.abort();
    RemoveSlots(&m_context);
    if (ok)
        m_monitor.stepIt();
    return ok;
}

// One slot: its prefix, its image and the closing command. Every failure is reported here.
bool SlotDelivery::writeSlot(DeliverySink& sink, int index)
{
    m_monitor.stepIt();
    const QString imageName = slotImageName(index);
    QrlHandle block = m_context.slotBlocks[index];
    const auto* record = static_cast<const SlotRecord*>(QrlGlobalLock(block));
    if (!record) {
        showBuildFailure();
        return false;
    }
    const int kind = record->kind;
    const QByteArray name(record->name, static_cast<qsizetype>(strnlen(record->name, sizeof record->name)));
    QrlGlobalUnlock(block);
    if (!QFileInfo(imageName).isFile()) {
        showBuildFailure();
        return false;
    }

    QByteArray prefix;
    const bool disk = m_options.target == BuildTarget::Disk;
    if (index == 0 && m_options.writeProtection == 1 && m_options.ignoreProtection &&
        (disk || m_options.compactFlash))
        prefix = MakeWriteProtectJob(true, disk);
    if (!WriteSlotPrefix(kind, name, index, index == 0 && m_options.format, prefix))
        return false;
    if (!sink.write(prefix)) {
        sink.showWriteFailure();
        return false;
    }
    m_monitor.stepIt();
    if (!sendFile(sink, imageName))
        return false;
    // Sent, the image is needed no more; removed at once it never reaches the disk.
    QFile::remove(imageName);
    if (!sink.write(kSlotEnd, sizeof kSlotEnd - 1)) {
        sink.showWriteFailure();
        return false;
    }
    return true;
}

// The image in blocks; its size comes from the file system, and a read that ends before it is
// a failure, so a slot is never sent cut short.
bool SlotDelivery::sendFile(DeliverySink& sink, const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        showBuildFailure();
        return false;
    }
    const qint64 size = file.size();
    if (m_block.empty())
        m_block.resize(qrl::kSendBlockSize);
    const auto blockSize = static_cast<qint64>(m_block.size());
    char* block = m_block.data();
    for (qint64 sent = 0; sent < size;) {
        const qint64 n = file.read(block, std::min(blockSize, size - sent));
        if (n <= 0) {
            showBuildFailure();
            return false;
        }
        if (!sink.write(block, n)) {
            sink.showWriteFailure();
            return false;
        }
        sent += n;
    }
    return true;
}

// After the last slot: the power-on form and the job that switches write protection on.
bool SlotDelivery::writeTrailer(DeliverySink& sink)
{
    if (!m_options.powerOnForm.isEmpty() && !sink.write(MakePowerOnFormCommand(m_options.powerOnForm)))
        return false;
    const bool disk = m_options.target == BuildTarget::Disk;
    if (m_options.writeProtection != 0 && m_options.protectAfter && (disk || m_options.compactFlash))
        return sink.write(MakeWriteProtectJob(false, disk));
    return true;
}

bool SlotDelivery::WriteSlotPrefix(int kind, const QByteArray& slotName, int index, bool withFormat,
                                   QByteArray& out)
{
    if (kind == kSlotProgramData && ProgramDataSlotType(slotImageName(index)) == 0) {
        qrl::ui().message(qrl::text(ids::kProgramDataStructure), qrl::Buttons::Ok, qrl::Icon::Warning);
        m_monitor.close();
        return false;
    }
    if (checkSlotName(kind, slotName, m_family) != NameCheck::Ok) {
        showNameRefused(slotName);
        return false;
    }
    if (kind == kSlotMacros && isTarnwickFamily(m_family) && !TrimSlotFile(index)) {
        ShowFileError(ids::kFileErrorFormat, ids::kCouldNotAccessFile, ids::kHintCheckFile,
                      QFileInfo(slotImageName(index)).absoluteFilePath());
        return false;
    }
    out += slotPrefix(kind, slotName, m_family, withFormat);
    return true;
}

int SlotDelivery::ProgramDataSlotType(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        qrl::ui().message(qrl::text(ids::kErrorOpeningFile), qrl::Buttons::Ok, qrl::Icon::Warning);
        return 0;
    }
    return kProgramDataType;
}

} // namespace qrl::build
