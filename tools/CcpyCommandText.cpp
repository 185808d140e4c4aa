#include "CcpyCommandText.h"

#include "CcpyOptions.h"
#include "PrinterText.h"
#include "TextFormat.h"

#include <array>

namespace qrl::ccpy {

namespace {

// The resolutions of positions 1 to 7; the command takes the number, whatever the list shows.
constexpr std::array<const char*, 8> kResolutions = {nullptr, "75",  "100", "150",
                                                     "200",   "300", "600", "1200"};
constexpr int kFirstSorterTray = 4;
constexpr char kCall[] = "CALL ";

bool has(const CcpyJob& job, int bit)
{
    return (job.options & bit) != 0;
}

QByteArray duplexLines(const CcpyJob& job)
{
    QByteArray out;
    if (has(job, options::kEnableExplanation))
        out += QByteArray("CMNT duplex command for ") +
               (job.longEdge ? "long edge binding;\r\n" : "short edge binding;\r\n");
    out += job.longEdge ? "DUPX 1;\r\n" : "DUPX 2;\r\n";
    return out;
}

QByteArray versionLine(const CcpyJob& job)
{
    return qrl::formatBytes("CMNT created by Quorlyn version: %s;\r\n", {job.versionText});
}

QByteArray timeLine(const CcpyJob& job)
{
    return "CMNT creation time: " + timeStamp(job.time);
}

} // namespace

QByteArray pageMacroName(int page)
{
    return qrl::formatBytes("S%d", {page});
}

QByteArray timeStamp(const QDateTime& time)
{
    const QDate d = time.date();
    const QTime t = time.time();
    return qrl::formatBytes("[%.4d/%.2d/%.2d - %.2d:%.2d];\r\n",
                            {d.year(), d.month(), d.day(), t.hour(), t.minute()});
}

QByteArray pageMacroText(const CcpyJob& job, int page)
{
    const CcpyPage& p = job.pages.at(static_cast<std::size_t>(page));
    const QByteArray name = pageMacroName(page);
    QByteArray out;
    if (has(job, options::kEnableExplanation))
        out += "CMNT define macro: " + name + ";\r\n";
    out += "MCRO " + name + ";\r\n";
    if (p.resolutionIndex > 0 && p.resolutionIndex < static_cast<int>(kResolutions.size()))
        out += qrl::formatBytes("STR %s;\r\n", {kResolutions[static_cast<std::size_t>(p.resolutionIndex)]});
    if (p.stackIndex >= kFirstSorterTray)
        out += qrl::formatBytes("STAK 3;SSTK %d;\r\n", {p.stackIndex - 3});
    else if (p.stackIndex > 0)
        out += qrl::formatBytes("STAK %d;\r\n", {p.stackIndex});
    if (page == 0 && job.duplex)
        out += duplexLines(job);
    if (p.overlayName != kNoOverlay)
        out += kCall + p.overlayName + ";\r\n";
    out += "ENDM;\r\n";
    return out;
}

QByteArray commandText(const CcpyJob& job)
{
    QByteArray out;
    if (has(job, options::kEnableExplanation))
        out += "CMNT command CCPY;\r\n";
    out += "CCPY E;\r\n";
    for (std::size_t i = 0; i < job.pages.size(); ++i) {
        const CcpyPage& p = job.pages[i];
        out += qrl::formatBytes("PSRC %d;AMCR E,", {p.paperSource}) + pageMacroName(static_cast<int>(i)) +
               qrl::formatBytes(";TERM %d;\r\n", {p.termValue});
    }
    out += "ENDC;\r\n";
    return out;
}

QByteArray enableFileHead(const CcpyJob& job)
{
    QByteArray out = "!R!\r\n";
    if (has(job, options::kEnableVersion))
        out += versionLine(job);
    if (has(job, options::kEnableTime))
        out += timeLine(job);
    if (has(job, options::kEnableExplanation))
        out += "CMNT delete macros, which will be used in CCPY;\r\n";
    for (std::size_t i = 0; i < job.pages.size(); ++i)
        out += "DELM " + pageMacroName(static_cast<int>(i)) + ";\r\n";
    if (has(job, options::kEnableExplanation))
        out += "CMNT definition of the macros which will be used by CCPY command;\r\n";
    return out;
}

QByteArray enableFileDuplex(const CcpyJob& job)
{
    return job.duplex ? duplexLines(job) : QByteArray();
}

QByteArray disableFileText(const CcpyJob& job)
{
    QByteArray out = "!R!\r\n";
    if (has(job, options::kDisableVersion))
        out += versionLine(job);
    if (has(job, options::kDisableTime))
        out += timeLine(job);
    if (has(job, options::kDisableExplanation))
        out += "CMNT disable command for CCPY;\r\n";
    out += "RES;CCPY D;\r\n";
    out += kFileEnd;
    return out;
}

bool isCallableName(const QByteArray& name)
{
    return name.size() + static_cast<qsizetype>(sizeof(kCall)) <= kMaxCommandLength &&
           qrl::printertext::isBareName(name);
}

int firstUncallablePage(const CcpyJob& job)
{
    for (std::size_t i = 0; i < job.pages.size(); ++i) {
        const QByteArray& name = job.pages[i].overlayName;
        if (name != kNoOverlay && !isCallableName(name))
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace qrl::ccpy
