// The EPROM image exports: the image file "TEMP.BXF" and its three output forms.
#include "vintrel.h"

#include "BlockCopy.h"
#include "ByteOrder.h"
#include "ExportGuard.h"
#include "InputFile.h"
#include "OutputFile.h"
#include "ResourceFiles.h"
#include "ScratchFile.h"
#include "SlotImageWriter.h"
#include "SRecordWriter.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace vintrel {
namespace {

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
    // Reading each 16-bit word little-endian undoes the pair swap of the big-endian header.
    const auto headerU32 = [&probe](std::size_t offset) {
        return (static_cast<std::uint32_t>(qrl::bytes::getU16LE(probe + offset)) << 16) |
               qrl::bytes::getU16LE(probe + offset + 2);
    };
    const std::uint32_t imageSize = headerU32(kSlotImageSizeOffset);
    if (headerU32(0) != kSlotImageMagic || imageSize > input.size())
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

// Within one file system the image itself becomes the output (swapped in place where asked);
// elsewhere it is copied, swapping on the way. Either way the output changes only when complete.
bool deliverImage(const std::string& outputPath, CopyMode mode)
{
    OutputFile output;
    if (!output.createReplacing(outputPath))
        return false;
    if (output.adopt(kImageFile))
        return (mode == CopyMode::Plain || swapBytePairsInFile(output.path())) && output.commit();
    InputFile image;
    return image.open(kImageFile) && copyBytes(image, output, image.size(), mode) && output.commit();
}

bool writeFileQrl(const char* outputPath, std::uint32_t format)
{
    const ImageFileRemover removeImages;
    std::uint64_t size = 0;
    if (!outputPath || format < kSRecords || format > kPlain || !regularFileSize(kImageFile, size))
        return false;
    if (format != kSRecords)
        return deliverImage(outputPath, format == kSwapped ? CopyMode::SwapPairs : CopyMode::Plain);

    // The swapped image goes straight to "TEMP.HEX" in the working directory, which may lie on
    // another file system than the output; the rename replaces any "TEMP.HEX" of an earlier
    // export, so that is never converted.
    return swapBytePairsInFile(kImageFile) && std::rename(kImageFile, kSwappedImageFile) == 0 &&
           bin2hex(kSwappedImageFile, outputPath);
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
