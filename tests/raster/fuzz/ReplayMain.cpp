// Replays fuzz inputs through the harness without a fuzzing engine: every file named on the
// command line (a folder: every file in it), or the committed corpus when none is named. A
// crash or a sanitizer report fails the run.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> inputsUnder(const std::filesystem::path& path)
{
    std::vector<std::filesystem::path> inputs;
    if (std::filesystem::is_directory(path)) {
        for (const auto& entry : std::filesystem::directory_iterator(path))
            if (entry.is_regular_file())
                inputs.push_back(entry.path());
    } else if (std::filesystem::is_regular_file(path)) {
        inputs.push_back(path);
    }
    return inputs;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::filesystem::path> inputs;
    if (argc > 1) {
        for (int i = 1; i < argc; ++i) {
            const auto found = inputsUnder(argv[i]);
            inputs.insert(inputs.end(), found.begin(), found.end());
        }
    } else {
        inputs = inputsUnder(std::filesystem::path(QUORLYN_TEST_DATA_DIR) / "raster" / "bmp");
    }
    if (inputs.empty()) {
        std::fprintf(stderr, "no fuzz inputs found\n");
        return 1;
    }
    for (const auto& input : inputs) {
        std::ifstream in(input, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("replayed %zu inputs\n", inputs.size());
    return 0;
}
