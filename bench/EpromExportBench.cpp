// Times the EPROM image exports against outside references on the same image: the S-record form
// against GNU objcopy, the swapped and plain forms against a plain file copy, and that copy with
// the sync every kept file gets. The exports run into a
// folder on the working directory's file system and, where /dev/shm is another file system, into a
// folder there. Prints the peak memory after each size, which must not grow with the image.
//
// Usage: eprom_export_bench [megabytes ...]   (default: 16 128)
#include "vintrel.h"

#include "ByteOrder.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
constexpr int kRuns = 5;

// The best of kRuns runs of `work`, in seconds. Before each run, untimed: `prepare`, the removal of
// the file the work writes (so that no run pays for deleting the one before) and a sync, so that no
// run waits for the write-back of another's data.
double bestTime(const std::function<void()>& prepare, const std::string& writes,
                const std::function<bool()>& work)
{
    double best = 1e30;
    for (int run = 0; run < kRuns; ++run) {
        prepare();
        fs::remove(writes);
        sync();
        const auto start = std::chrono::steady_clock::now();
        if (!work()) {
            std::fprintf(stderr, "a timed step failed\n");
            std::exit(1);
        }
        best =
            std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

// A slot image of `size` bytes, written in fixed blocks so that the benchmark's own memory does
// not grow with it either.
void writeSlotImage(const std::string& path, std::size_t size)
{
    std::vector<unsigned char> block(1 << 20);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::uint32_t state = 12345;
    for (std::size_t done = 0; done < size;) {
        const std::size_t n = std::min(block.size(), size - done);
        for (std::size_t i = 0; i < n; ++i) {
            state = state * 1103515245u + 12345u;
            block[i] = static_cast<unsigned char>(state >> 24);
        }
        if (done == 0) {
            std::fill(block.begin(), block.begin() + 196, 0);
            qrl::bytes::putU32BE(block.data(), 0xAE00A002);
            qrl::bytes::putU16BE(block.data() + 4, 0x00C0);
            qrl::bytes::putU32BE(block.data() + 8, static_cast<std::uint32_t>(size));
        }
        std::fwrite(block.data(), 1, n, f);
        done += n;
    }
    std::fclose(f);
}

bool run(const std::string& command)
{
    return std::system(command.c_str()) == 0;
}

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::string makePrivateDir(const std::string& parent)
{
    std::string templ = parent + "/eprombench-XXXXXX";
    return mkdtemp(templ.data()) ? templ : std::string();
}

bool sameFileSystem(const std::string& a, const std::string& b)
{
    struct stat sa {
    }, sb{};
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev;
}

void exportsInto(const std::string& folder, const char* label)
{
    const std::string output = folder + "/image.out";
    const std::string copy = folder + "/copy.bin";
    const auto fresh = [] { CreateEPROMFile(); };
    const auto exportAs = [&output](std::uint32_t format) {
        return [&output, format] { return WriteFileQRL(output.c_str(), format, nullptr) == 1; };
    };
    const double srec = bestTime(fresh, output, exportAs(1));
    const double swapped = bestTime(fresh, output, exportAs(2));
    const double plain = bestTime(fresh, output, exportAs(3));
    const double cp = bestTime([] {}, copy, [&copy] { return run("cp SLT00000.SLT '" + copy + "'"); });
    const double copyFile = bestTime([] {}, copy, [&copy] { return fs::copy_file("SLT00000.SLT", copy); });
    // A kept file is synced before it replaces anything: cp with the same sync shows what that costs.
    const double cpSynced = bestTime(
        [] {}, copy, [&copy] { return run("cp SLT00000.SLT '" + copy + "' && sync --data '" + copy + "'"); });

    std::printf("  into %s\n", label);
    std::printf("    S-record export        %7.3f s\n", srec);
    std::printf("    swapped binary export  %7.3f s   %.2fx of cp (%.3f s), %.2fx of copy_file (%.3f s)\n",
                swapped, swapped / cp, cp, swapped / copyFile, copyFile);
    std::printf("    plain binary export    %7.3f s   %.2fx of cp, %.2fx of copy_file\n", plain, plain / cp,
                plain / copyFile);
    std::printf("    cp and sync --data     %7.3f s   (the sync alone about %.3f s)\n", cpSynced,
                cpSynced - cp);
    fs::remove(output);
    fs::remove(copy);
}

void benchmark(std::size_t megabytes, const std::string& otherFileSystem)
{
    writeSlotImage("SLT00000.SLT", megabytes << 20);
    CreateEPROMFile();
    WriteFileQRL("swapped.bin", 2, nullptr);
    const double objcopy = bestTime([] {}, "objcopy.srec",
                                    [] { return run("objcopy -I binary -O srec swapped.bin objcopy.srec"); });
    const double objcopyS3 = bestTime(
        [] {}, "objcopy.srec",
        [] {
            return run("objcopy -I binary -O srec --srec-forceS3 --srec-len=15 swapped.bin objcopy.srec");
        });

    std::printf("%zu MB image: objcopy -O srec %.3f s, with --srec-forceS3 --srec-len=15 %.3f s\n", megabytes,
                objcopy, objcopyS3);
    exportsInto("user", "a folder on the working directory's file system");
    if (!otherFileSystem.empty())
        exportsInto(otherFileSystem, "a folder on another file system (/dev/shm)");
    std::printf("  peak memory so far: %ld KB\n", peakKilobytes());
    for (const char* f : {"SLT00000.SLT", "swapped.bin", "objcopy.srec"})
        fs::remove(f);
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::size_t> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::strtoul(argv[i], nullptr, 10));
    if (sizes.empty())
        sizes = {16, 128};

    const char* tmp = std::getenv("TMPDIR");
    const std::string work = makePrivateDir(tmp && *tmp ? tmp : "/tmp");
    if (work.empty()) {
        std::perror("mkdtemp");
        return 1;
    }
    std::string other = fs::is_directory("/dev/shm") && !sameFileSystem(work, "/dev/shm")
                            ? makePrivateDir("/dev/shm")
                            : std::string();
    const fs::path previous = fs::current_path();
    fs::current_path(work);
    fs::create_directory("user");
    for (std::size_t megabytes : sizes)
        benchmark(megabytes, other);
    fs::current_path(previous);
    fs::remove_all(work);
    if (!other.empty())
        fs::remove_all(other);
    return 0;
}
