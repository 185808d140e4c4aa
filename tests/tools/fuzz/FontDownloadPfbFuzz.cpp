// Fuzz harness of the font downloader's PFB reader: the check, the name scan and the conversion
// must stay inside the input, and the conversion may never write more than the input allows.
// Built with a fuzzing engine (QRL_FUZZING_ENGINE defined, e.g. clang -fsanitize=fuzzer) it is an
// ordinary libFuzzer target; otherwise main() replays the files and directories named on its
// command line (by default the committed corpus), so every input that once crashed stays a case.
#include "tools/FontDownloadPfb.h"
#include "tools/FontDownloadText.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    static_cast<void>(fontdownload::isPfbStart(bytes));
    {
        QBuffer in(&bytes);
        in.open(QIODevice::ReadOnly);
        const std::optional<QByteArray> name = fontdownload::scanFontName(in);
        if (name && (name->isEmpty() || name->size() > fontdownload::kMaxFontNameLength))
            __builtin_trap();
    }
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    QByteArray pfa;
    QBuffer out(&pfa);
    out.open(QIODevice::WriteOnly);
    static_cast<void>(fontdownload::convertPfbToPfa(in, out, fontdownload::kEndOfDataMarker));
    // Two digits per byte and at most one line end per byte.
    if (static_cast<std::size_t>(pfa.size()) > 3 * size)
        __builtin_trap();
    return 0;
}

#ifndef QRL_FUZZING_ENGINE
namespace {

int replay(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return 1;
    }
    // An exact-size heap copy, so a read one byte past the end shows under ASan.
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::filesystem::path> args(argv + 1, argv + argc);
    if (args.empty())
        args.emplace_back(QUORLYN_TEST_DATA_DIR "/tools/pfb");
    int failures = 0;
    int inputs = 0;
    for (const std::filesystem::path& arg : args) {
        if (std::filesystem::is_directory(arg)) {
            for (const auto& entry : std::filesystem::directory_iterator(arg)) {
                if (entry.is_regular_file()) {
                    failures += replay(entry.path());
                    ++inputs;
                }
            }
        } else {
            failures += replay(arg);
            ++inputs;
        }
    }
    std::printf("replayed %d inputs\n", inputs);
    return failures == 0 && inputs > 0 ? 0 : 1;
}
#endif
