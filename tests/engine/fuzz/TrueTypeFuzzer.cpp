// Fuzz entry for the TrueType conversion: any bytes as a font file must convert or be refused
// without a crash; a conversion writes three resources whose size fields match their files, and a
// refusal writes none of them.
#include "vintrel.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

namespace {

const char* const kOutputs[] = {"TTH00001.HDR", "TTD00001.RSC", "TTI00001.RSC"};

std::string& workDirectory()
{
    static std::string dir;
    return dir;
}

void removeWorkDirectory()
{
    std::error_code ec;
    std::filesystem::remove_all(workDirectory(), ec);
}

// A private working directory for the whole run, removed at its end: the conversion writes into
// the current directory.
void enterWorkDirectory()
{
    if (!workDirectory().empty())
        return;
    std::string dir = (std::filesystem::temp_directory_path() / "qrl-ttf-fuzz-XXXXXX").string();
    if (!mkdtemp(dir.data()) || chdir(dir.c_str()) != 0)
        std::abort();
    workDirectory() = dir;
    std::atexit(removeWorkDirectory);
}

std::uint64_t sizeField(const char* path)
{
    unsigned char b[4] = {};
    std::FILE* f = std::fopen(path, "rb");
    if (!f)
        std::abort();
    const bool read = std::fread(b, 1, 4, f) == 4;
    std::fclose(f);
    if (!read)
        std::abort();
    return (std::uint64_t{b[0]} << 24) | (std::uint64_t{b[1]} << 16) | (std::uint64_t{b[2]} << 8) | b[3];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    enterWorkDirectory();
    std::FILE* font = std::fopen("fuzz.ttf", "wb");
    if (!font || std::fwrite(data, 1, size, font) != size || std::fclose(font) != 0)
        std::abort();
    for (std::uint32_t symbolSet : {0u, 6u, 31u}) {
        const int result = MakeTTFResource("fuzz.ttf", "Fuzz", 1, 1, 1, symbolSet);
        for (const char* name : kOutputs) {
            std::error_code ec;
            const bool exists = std::filesystem::exists(name, ec);
            if (exists != (result == 1))
                std::abort();
            if (exists && sizeField(name) != std::filesystem::file_size(name))
                std::abort();
        }
    }
    return 0;
}
