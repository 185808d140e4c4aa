// A 256-item card project built into a command file, timed beside cat of the same bytes.
//
//     build_bench [items [kilobytes]]      (default: 256 macros of 64 KB)
//     build_bench 1 524288                 (one macro of 512 MB)
//     build_bench check [megabytes]        (the content check of a sparse program-data file, 1 GB)
//
// Prints the time of the whole build and of its delivery stage, of cat copying the command file,
// the write calls of the build and the peak memory of the process, so runs with different sizes
// show whether memory grows with the project. A profile (perf) shows where the rest goes.
#include "BuildMonitor.h"
#include "BuildSession.h"
#include "TextIds.h"

#include "ResourceCheck.h"
#include "ResourceTypes.h"
#include "StringTable.h"
#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include <sys/resource.h>

using namespace qrl::build;
using Clock = std::chrono::steady_clock;

namespace {

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Notes when the delivery starts and ends.
class TimingMonitor : public BuildMonitor {
public:
    void setStatusText(const QString& text) override
    {
        BuildMonitor::setStatusText(text);
        if (text == qrl::text(qrl::ids::kStatusWritingToPrinter))
            deliveryStart = Clock::now();
    }
    void showResult(BuildTarget, int) override
    {
        deliveryEnd = Clock::now();
        close();
    }

    Clock::time_point deliveryStart;
    Clock::time_point deliveryEnd;
};

double milliseconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Written line by line, so that the bench holds no item whole either.
qint64 writeMacroSource(const QString& path, int index, int kilobytes)
{
    std::ofstream out(path.toStdString(), std::ios::binary);
    const std::string head = "!R! MCRO M" + std::to_string(1000 + index) + "; UNIT C;\r\n";
    const std::string line = "TEXT 'The quick brown fox jumps over the lazy dog 0123456789';\r\n";
    const std::string tail = "ENDM; EXIT;\r\n";
    const auto body = static_cast<qint64>(kilobytes) * 1024 - 16;
    out << head;
    qint64 size = static_cast<qint64>(head.size());
    for (; size < body; size += static_cast<qint64>(line.size()))
        out << line;
    out << tail;
    out.close();
    return out ? size + static_cast<qint64>(tail.size()) : -1;
}

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The write system calls of this process so far, from /proc/self/io.
long writeCalls()
{
    std::ifstream io("/proc/self/io");
    std::string key;
    long value = 0;
    while (io >> key >> value) {
        if (key == "syscw:")
            return value;
    }
    return -1;
}

class SilentMessages : public ResourceCheckMessages {
public:
    qrl::Answer showFileMessage(int, int, int, const QString&, qrl::Buttons) override
    {
        return qrl::Answer::Ok;
    }
    void showFileError(int, int, int, const QString&) override {}
};

// The content check of a sparse ELF file of `megabytes`: it must look at the header alone.
int benchCheck(long megabytes)
{
    const QString dir = qrl::makeJobDir(QStringLiteral("bench"));
    if (dir.isEmpty() || megabytes < 1)
        return 2;
    const QString path = dir + QStringLiteral("/data.bin");
    {
        std::ofstream out(path.toStdString(), std::ios::binary);
        std::string header(256, '\0');
        std::memcpy(header.data(),
                    "\x7F"
                    "ELF",
                    4);
        out << header;
    }
    QFile::resize(path, static_cast<qint64>(megabytes) * 1024 * 1024);
    SilentMessages messages;
    const Clock::time_point start = Clock::now();
    const bool passed = ValidateItemFile(path, kProgramData, messages);
    const double check = millisecondsSince(start);
    std::printf("content check of %ld MB of program data: %s, %.2f ms; peak memory %ld KB\n", megabytes,
                passed ? "passed" : "refused", check, peakKilobytes());
    QDir(dir).removeRecursively();
    qrl::removeRunTempDir();
    return passed ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "check") == 0)
        return benchCheck(argc > 2 ? std::atol(argv[2]) : 1024);
    const int items = argc > 1 ? std::atoi(argv[1]) : 256;
    const int kilobytes = argc > 2 ? std::atoi(argv[2]) : 64;
    const QString dir = qrl::makeJobDir(QStringLiteral("bench"));
    if (dir.isEmpty() || items < 1 || items > 256 || kilobytes < 1)
        return 2;

    BuildProject project;
    project.title = QStringLiteral("bench.prj");
    project.settings.m_medium = kCompactFlashCard;
    for (int i = 0; i < items; ++i) {
        BuildItem item;
        item.path = dir + QStringLiteral("/m%1.mcr").arg(i);
        const qint64 size = writeMacroSource(item.path, i, kilobytes);
        if (size < 0)
            return 2;
        item.kind = kKindMacro;
        item.record.resourceType = kTelluradeMacro;
        item.record.name = "M" + std::to_string(1000 + i);
        item.record.fileSize = static_cast<std::uint32_t>(size);
        project.items.push_back(item);
    }

    BuildOptions options;
    options.target = BuildTarget::Card;
    options.cardType = QStringLiteral("Compact");
    options.printerName = qrl::text(qrl::ids::kFilePrinter);
    options.outputPath = dir + QStringLiteral("/bench.prn");
    TimingMonitor monitor;
    BuildSession session;
    const long writesBefore = writeCalls();
    const Clock::time_point start = Clock::now();
    const bool delivered = session.run(project, options, monitor).delivered;
    const double build = millisecondsSince(start);
    const long writes = writeCalls() - writesBefore;
    if (!delivered) {
        std::fprintf(stderr, "the build failed\n");
        return 1;
    }
    const double delivery = milliseconds(monitor.deliveryStart, monitor.deliveryEnd);

    const std::string copy =
        "cat '" + options.outputPath.toStdString() + "' > '" + dir.toStdString() + "/copy.prn'";
    const Clock::time_point catStart = Clock::now();
    const int catResult = std::system(copy.c_str());
    const double cat = millisecondsSince(catStart);

    // The same bytes through a pipe, so cat cannot copy them inside the kernel.
    const std::string piped =
        "cat '" + options.outputPath.toStdString() + "' | cat > '" + dir.toStdString() + "/piped.prn'";
    const Clock::time_point pipedStart = Clock::now();
    const int pipedResult = std::system(piped.c_str());
    const double catPiped = millisecondsSince(pipedStart);

    const double megabytes = static_cast<double>(QFileInfo(options.outputPath).size()) / (1024.0 * 1024.0);
    std::printf("%d items of %d KB: %.1f MB command file\n", items, kilobytes, megabytes);
    std::printf("build %.1f ms, of it delivery %.1f ms; cat %.1f ms, cat through a pipe %.1f ms%s\n", build,
                delivery, cat, catPiped, catResult == 0 && pipedResult == 0 ? "" : " (cat failed)");
    std::printf("write calls of the build %ld\n", writes);
    std::printf("build / cat %.2f, delivery / cat %.2f, delivery / piped cat %.2f; peak memory %ld KB\n",
                build / cat, delivery / cat, delivery / catPiped, peakKilobytes());
    QDir(dir).removeRecursively();
    qrl::removeRunTempDir();
    return 0;
}
