// A 256-item card project built into a command file, timed beside cat of the same bytes.
//
//     build_bench [items [kilobytes]]      (default: 256 macros of 64 KB)
//
// Prints the time of the whole build, of its delivery stage alone, of cat copying the command
// file, and the peak memory of the process, so runs with different sizes show whether memory
// grows with the project.
#include "BuildMonitor.h"
#include "BuildSession.h"

#include "StringTable.h"
#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <chrono>
#include <cstdio>
#include <cstdlib>
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
    void showResult(int, int) override
    {
        deliveryEnd = Clock::now();
        close();
    }

    Clock::time_point deliveryStart;
    Clock::time_point deliveryEnd;
};

QByteArray macroSource(int index, int kilobytes)
{
    const QByteArray name = QByteArray::number(1000 + index).prepend('M');
    QByteArray source = "!R! MCRO " + name + "; UNIT C;\r\n";
    const QByteArray line = "TEXT 'The quick brown fox jumps over the lazy dog 0123456789';\r\n";
    while (source.size() < kilobytes * 1024 - 16)
        source += line;
    source += "ENDM; EXIT;\r\n";
    return source;
}

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv)
{
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
        QFile file(item.path);
        const QByteArray source = macroSource(i, kilobytes);
        if (!file.open(QIODevice::WriteOnly) || file.write(source) != source.size())
            return 2;
        item.kind = kKindMacro;
        item.record.resourceType = kTelluradeMacro;
        item.record.name = "M" + std::to_string(1000 + i);
        item.record.fileSize = static_cast<std::uint32_t>(source.size());
        project.items.push_back(item);
    }

    BuildOptions options;
    options.target = kTargetCard;
    options.cardType = QStringLiteral("Compact");
    options.printerName = qrl::text(qrl::ids::kFilePrinter);
    options.outputPath = dir + QStringLiteral("/bench.prn");
    TimingMonitor monitor;
    BuildSession session;
    const Clock::time_point start = Clock::now();
    const bool delivered = session.run(project, options, monitor).delivered;
    const double build = millisecondsSince(start);
    if (!delivered) {
        std::fprintf(stderr, "the build failed\n");
        return 1;
    }
    const double delivery =
        std::chrono::duration<double, std::milli>(monitor.deliveryEnd - monitor.deliveryStart).count();

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
    std::printf("build / cat %.2f, delivery / cat %.2f, delivery / piped cat %.2f; peak memory %ld KB\n",
                build / cat, delivery / cat, delivery / catPiped, peakKilobytes());
    QDir(dir).removeRecursively();
    qrl::removeRunTempDir();
    return 0;
}
