// The EPROM image exports: the image file "TEMP.BXF" and its three output forms.
#include "vintrel.h"

#include "BlockCopy.h"
#include "ByteOrder.h"
#include "ExportGuard.h"
#include "InputFile.h"
#include "OutputFile.h"
#include "ResourceFiles.h"
#include "ScratchFile.h"
#include "SRecordWriter.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace vintrel {
namespace {

constexpr std::uint32_t kSlotMagic = 0xAE00A002;
constexpr std::size_t kProbeSize = 16;
// A whole number of records, so that records never straddle two chunks.
constexpr std::size_t kChunkSize = SRecordWriter::kBytesPerRecord * 65536;

enum Format : std::uint32_t { kSRecords = 1, kSwapped = 2, kPlain = 3 };

// Removes "TEMP.BXF" and any "TEMP.HEX" on every way out of WriteFileQRL.
struct ImageFileRemover {
    ~ImageFileRemover()
    {
        removeFile(kImageFile);
        removeFile(kSwappedImageFile);
    }
};

bool bin2hex(const std::string& inputPath, const std::string& outputPath)
{
    InputFile input;
    if (!input.open(inputPath) || input.size() < kProbeSize)
        return false;
    unsigned char probe[kProbeSize];
    if (!input.read(probe, sizeof probe))
        return false;
    // The header words as they read after the pair swap of the file.
    using qrl::bytes::getU16LE;
    const std::uint32_t magic = (static_cast<std::uint32_t>(getU16LE(probe)) << 16) | getU16LE(probe + 2);
    const std::uint32_t imageSize = (static_cast<std::uint32_t>(getU16LE(probe + 8)) << 16) | getU16LE(probe + 10);
    if (magic != kSlotMagic || imageSize > input.size())
        return false;

    OutputFile output;
    if (!output.createReplacing(outputPath) || !input.seek(0))
        return false;
    SRecordWriter records(output);
    if (!records.writeHeader())
        return false;
    std::vector<unsigned char> chunk(imageSize < kChunkSize ? imageSize : kChunkSize);
    for (std::uint32_t address = 0; address < imageSize;) {
        const std::size_t n = imageSize - address < chunk.size() ? imageSize - address : chunk.size();
        if (!input.read(chunk.data(), n) || !records.writeData(chunk.data(), n, address))
            return false;
        address += static_cast<std::uint32_t>(n);
    }
    return records.writeTerminator() && output.commit();
}

bool copyImage(InputFile& image, const std::string& outputPath, CopyMode mode)
{
    OutputFile output;
    return output.createReplacing(outputPath) && copyBytes(image, output, image.size(), mode) && output.commit();
}

bool writeFileQrl(const char* outputPath, std::uint32_t format)
{
    const ImageFileRemover removeImage;
    if (!outputPath || format < kSRecords || format > kPlain)
        return false;
    InputFile image;
    if (!image.open(kImageFile))
        return false;
    if (format != kSRecords)
        return copyImage(image, outputPath, format == kSwapped ? CopyMode::SwapPairs : CopyMode::Plain);

    // The swapped image goes straight to the working directory, which may lie on another file
    // system than the output; an old "TEMP.HEX" is removed first so it can never be converted.
    const ScratchFile swapped(kSwappedImageFile);
    OutputFile swappedFile;
    if (!swapped.cleared() || !swappedFile.create(swapped.path()) ||
        !copyBytes(image, swappedFile, image.size(), CopyMode::SwapPairs) || !swappedFile.commit())
        return false;
    return bin2hex(swapped.path(), outputPath);
}

bool createEpromFile()
{
    std::error_code ec;
    if (std::filesystem::copy_file(kFirstSlotImage, kImageFile, std::filesystem::copy_options::overwrite_existing,
                                   ec))
        return true;
    // No old image may stay behind to be exported in place of this build's.
    removeFile(kImageFile);
    return false;
}

} // namespace
} // namespace vintrel

extern "C" {

VINTREL_API int CreateEPROMFile(void)
{
    return vintrel::guardedExport([] { return vintrel::createEpromFile(); });
}

VINTREL_API int WriteFileQRL(const char* outputPath, uint32_t format, BuildContext* /*context*/)
{
    return vintrel::guardedExport([&] { return vintrel::writeFileQrl(outputPath, format); });
}

VINTREL_API int BIN2HEX(const char* inputPath, const char* outputPath)
{
    return vintrel::guardedExport(
        [&] { return inputPath && outputPath && vintrel::bin2hex(inputPath, outputPath); });
}

} // extern "C"
