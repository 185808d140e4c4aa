// Fuzz harness of the item scans: every scan over the same input must stay inside it. Built with
// a fuzzing engine (QRL_FUZZING_ENGINE defined, e.g. clang -fsanitize=fuzzer) it is an ordinary
// libFuzzer target; otherwise main() replays the files and directories named on its command line
// (by default the committed corpus), so every input that once crashed stays a regression case.
#include "ImageFileType.h"
#include "ItemScanners.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const qrl::itemscan::Bytes file(data, size);
    static_cast<void>(qrl::itemscan::pclTypeface(file));
    static_cast<void>(qrl::itemscan::findPclTypeface(file));
    static_cast<void>(qrl::itemscan::pclFontId(file));
    static_cast<void>(qrl::itemscan::ldfcFontId(file));
    static_cast<void>(qrl::itemscan::trueTypeName(file));
    static_cast<void>(qrl::itemscan::pclFontName(file));
    static_cast<void>(qrl::itemscan::mcroName(file));
    static_cast<void>(qrl::itemscan::pclMacroIdText(file));
    static_cast<void>(qrl::itemscan::pclMacroId(file));
    const qrl::itemscan::PclMacroBody body = qrl::itemscan::pclMacroBody(file);
    if (body.start && (*body.start > size || (body.end && (*body.end < *body.start || *body.end > size))))
        __builtin_trap();
    static_cast<void>(qrl::imagefile::imageFileType(file, size));
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
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::filesystem::path> args(argv + 1, argv + argc);
    if (args.empty())
        args.emplace_back(QUORLYN_TEST_DATA_DIR "/project/scanners");
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
