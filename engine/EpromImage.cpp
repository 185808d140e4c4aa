// The EPROM image exports: the image file "TEMP.BXF" and its three output forms.
#include "vintrel.h"

#include "BlockCopy.h"
#include "ByteOrder.h"
#include "ExportGuard.h"
#include "InputFile.h"
#include "OutputFile.h"
#include "PairSwap.h"
#include "ResourceFiles.h"
#include "SRecordWriter.h"
#include "ScratchFile.h"
#include "SlotImageWriter.h"

#include <string>
#include <vector>

namespace vintrel {
namespace {

constexpr std::size_t kProbeSize = 16;
// A whole number of records, so that records never straddle two chunks; even, so that no byte
// pair does either.
constexpr std::size_t kChunkSize = SRecordWriter::kBytesPerRecord * 65536;
static_assert(kChunkSize % 2 == 0);

// How an image file holds the slot image: as the slot image writer wrote it, or with every byte
// pair swapped, as the S-record text wants it.
enum class ImageOrder { AsWritten, PairsSwapped };

// Removes "TEMP.BXF" on every way out of WriteFileQRL, and a "TEMP.HEX" that an earlier export
// may have left: the S-record text is made from the image on the way.
struct ImageFileRemover {
    ~ImageFileRemover()
    {
        removeFile(kImageFile);
        removeFile(kSwappedImageFile);
    }
};

bool writeSRecordFile(InputFile& input, ImageOrder order, const std::string& outputPath)
{
    const bool swapOnTheWay = order == ImageOrder::AsWritten;
    unsigned char probe[kProbeSize];
    if (input.size() < kProbeSize || !input.read(probe, sizeof probe))
        return false;
    if (swapOnTheWay)
        qrl::bytes::swapBytePairs(probe, sizeof probe);
    // Reading each 16-bit word little-endian undoes the pair swap of the big-endian header.
    const auto headerU32 = [&probe](std::size_t offset) {
        return (static_cast<std::uint32_t>(qrl::bytes::getU16LE(probe + offset)) << 16) |
               qrl::bytes::getU16LE(probe + offset + 2);
    };
    const std::uint32_t imageSize = headerU32(kSlotImageSizeOffset);
    if (headerU32(kSlotMagicOffset) != kSlotImageMagic || imageSize > input.size())
        return false;

    OutputFile output;
    if (!input.seek(0) || !output.createKept(outputPath))
        return false;
    SRecordWriter records(output);
    if (!records.writeHeader())
        return false;
    std::vector<unsigned char> chunk((imageSize < kChunkSize ? imageSize : kChunkSize) + 1);
    for (std::uint32_t address = 0; address < imageSize;) {
        const std::size_t n = imageSize - address < kChunkSize ? imageSize - address : kChunkSize;
        // An image that ends on the first byte of a pair still takes that byte from its partner.
        const std::size_t read = swapOnTheWay && n % 2 != 0 && address + n < input.size() ? n + 1 : n;
        if (!input.read(chunk.data(), read))
            return false;
        if (swapOnTheWay)
            qrl::bytes::swapBytePairs(chunk.data(), read);
        if (!records.writeData(chunk.data(), n, address))
            return false;
        address += static_cast<std::uint32_t>(n);
    }
    return records.writeTerminator() && output.commit();
}

void swapPairs(unsigned char* data, std::size_t size)
{
    qrl::bytes::swapBytePairs(data, size);
}

bool bin2hex(const std::string& inputPath, const std::string& outputPath)
{
    InputFile input;
    return input.open(inputPath) && writeSRecordFile(input, ImageOrder::PairsSwapped, outputPath);
}

// The image itself, moved into place where the writer may rename, so no byte is copied, and
// transformed in the same pass where asked (in the image before the move, else on the way into
// the writer's new file).
bool writeImage(const char* outputPath, void (*transform)(unsigned char*, std::size_t))
{
    OutputFile output;
    return output.createKept(outputPath) && output.commitFrom(kImageFile, transform);
}

bool writeSRecords(InputFile& image, const char* outputPath)
{
    return writeSRecordFile(image, ImageOrder::AsWritten, outputPath);
}

bool writeSwapped(InputFile&, const char* outputPath)
{
    return writeImage(outputPath, swapPairs);
}

bool writePlain(InputFile&, const char* outputPath)
{
    return writeImage(outputPath, nullptr);
}

// The writer of each export format.
struct ExportWriter {
    std::uint32_t format;
    bool (*write)(InputFile& image, const char* outputPath);
};
constexpr ExportWriter kExportWriters[] = {
    {VINTREL_EXPORT_SRECORDS, writeSRecords},
    {VINTREL_EXPORT_SWAPPED, writeSwapped},
    {VINTREL_EXPORT_PLAIN, writePlain},
};

bool writeFileQrl(const char* outputPath, std::uint32_t format)
{
    const ImageFileRemover removeImages;
    const ExportWriter* writer = nullptr;
    for (const ExportWriter& candidate : kExportWriters)
        if (candidate.format == format)
            writer = &candidate;
    InputFile image;
    if (!outputPath || !writer || !image.open(kImageFile))
        return false;
    return writer->write(image, outputPath);
}

bool copyFirstSlotImage()
{
    InputFile slot;
    OutputFile image;
    return slot.open(kFirstSlotImage) && image.create(kImageFile) && copyBytes(slot, image, slot.size()) &&
           image.commit();
}

bool createEpromFile()
{
    if (copyFirstSlotImage())
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
