// MakeResource: the resource file of a macro, form or program-data item.
#include "vintrel.h"

#include "BlockCopy.h"
#include "ByteOrder.h"
#include "ContextAccess.h"
#include "ExportGuard.h"
#include "InputFile.h"
#include "MacroStripper.h"
#include "OutputFile.h"
#include "Progress.h"
#include "ResourceFiles.h"
#include "ScratchFile.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace vintrel {
namespace {

constexpr std::size_t kMacroHeaderSize = 32;
constexpr std::size_t kPlainHeaderSize = 20;
constexpr std::size_t kNameFieldSize = 16;
constexpr std::uint16_t kEpromStorage = 2;
constexpr std::uint16_t kCardStorage = 3;
constexpr std::uint16_t kPclMacroLanguage = 1;
constexpr std::uint16_t kPrinterMacroLanguage = 0;

// Where the header fields stand: the size word leads every header; a macro's six words follow it,
// then its name, where any other header has the name at once.
constexpr std::size_t kTotalSizeOffset = 0;
constexpr std::size_t kPlainNameOffset = 4;
constexpr std::size_t kHeaderLengthOffset = 4;
constexpr std::size_t kPaddingOffset = 6;
constexpr std::size_t kStorageOffset = 8;
constexpr std::size_t kMacroLanguageOffset = 10;
constexpr std::size_t kAutomaticOffset = 12;
constexpr std::size_t kNameLengthOffset = 14;
constexpr std::size_t kMacroNameOffset = 16;
static_assert(kMacroNameOffset + kNameFieldSize == kMacroHeaderSize);
static_assert(kPlainNameOffset + kNameFieldSize == kPlainHeaderSize);

struct ResourceRequest {
    std::uint8_t type;
    std::string name;
    bool automatic;
    std::uint8_t medium;
    bool headerFlag;
    const BuildContext* context;
};

bool isMacro(std::uint8_t type)
{
    return type == VINTREL_PCL_MACRO || type == VINTREL_PRINTER_MACRO;
}

// The size word, for macros the six header words, and the name field: its first 16 characters
// in upper case, zero-filled.
std::vector<unsigned char> resourceHeader(const ResourceRequest& request, std::uint32_t totalSize,
                                          std::uint16_t padding)
{
    using namespace qrl::bytes;
    const bool macro = isMacro(request.type);
    std::vector<unsigned char> header(macro ? kMacroHeaderSize : kPlainHeaderSize, 0);
    putU32BE(header.data() + kTotalSizeOffset, totalSize);
    unsigned char* nameField = header.data() + kPlainNameOffset;
    if (macro) {
        putU16BE(header.data() + kHeaderLengthOffset, static_cast<std::uint16_t>(kMacroHeaderSize));
        putU16BE(header.data() + kPaddingOffset, padding);
        putU16BE(header.data() + kStorageOffset,
                 request.medium == VINTREL_EPROM ? kEpromStorage : kCardStorage);
        putU16BE(header.data() + kMacroLanguageOffset,
                 request.type == VINTREL_PCL_MACRO ? kPclMacroLanguage : kPrinterMacroLanguage);
        putU16BE(header.data() + kAutomaticOffset, request.automatic ? 1 : 0);
        putU16BE(header.data() + kNameLengthOffset, static_cast<std::uint16_t>(request.name.size()));
        nameField = header.data() + kMacroNameOffset;
    }
    for (std::size_t i = 0; i < request.name.size() && i < kNameFieldSize; ++i) {
        const char c = request.name[i];
        nameField[i] = static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    return header;
}

bool writeResource(const std::string& sourcePath, const std::string& outputPath,
                   const ResourceRequest& request)
{
    InputFile source;
    if (!source.open(sourcePath))
        return false;
    const std::uint64_t size = source.size();
    const bool plainCopy = !isMacro(request.type) && request.medium != VINTREL_EPROM && !request.headerFlag;
    const auto padding = static_cast<std::uint16_t>((4 - size % 4) % 4);
    const std::uint64_t total =
        plainCopy ? size : size + padding + (isMacro(request.type) ? kMacroHeaderSize : kPlainHeaderSize);
    // The slot image counts every resource in 32 bits.
    if (total > std::numeric_limits<std::uint32_t>::max()) {
        noteWriteFailure(EFBIG);
        return false;
    }
    OutputFile output;
    if (!output.create(outputPath))
        return false;
    if (plainCopy)
        return copyBytes(source, output, size) && output.commit();

    reportProgress(request.context, kResourceStep);
    reportProgress(request.context, kResourceStep);
    const auto header = resourceHeader(request, static_cast<std::uint32_t>(total), padding);
    if (!output.write(header.data(), header.size()))
        return false;
    reportProgress(request.context, kResourceStep);
    if (!copyBytes(source, output, size) || !output.writeZeros(padding))
        return false;
    reportProgress(request.context, kResourceStep);
    return output.commit();
}

// Puts the header of a resource in place once its size is known: its first bytes, which the
// resource file held zero until then.
bool patchHeader(const std::string& path, const std::vector<unsigned char>& header)
{
    std::FILE* file = std::fopen(path.c_str(), "r+b");
    if (!file) {
        noteWriteFailure(errno);
        return false;
    }
    const bool written = std::fwrite(header.data(), 1, header.size(), file) == header.size();
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        noteWriteFailure(written ? errno : writeError);
        return false;
    }
    return true;
}

// The resource of a printer-language macro: the macro is stripped straight into the resource
// file, behind room for the header, which needs the stripped size and follows when it is known.
bool writeStrippedResource(const std::string& sourcePath, const std::string& outputPath,
                           const ResourceRequest& request)
{
    InputFile source;
    if (!source.open(sourcePath))
        return false;
    OutputFile output;
    if (!output.create(outputPath))
        return false;
    reportProgress(request.context, kResourceStep);
    reportProgress(request.context, kResourceStep);
    const std::vector<unsigned char> room(kMacroHeaderSize, 0);
    if (!output.write(room.data(), room.size()))
        return false;
    reportProgress(request.context, kResourceStep);
    std::uint64_t size = 0;
    const MacroStripper::Reader read = [&source](std::uint64_t offset, char* buffer, std::size_t count) {
        return source.readAt(offset, reinterpret_cast<unsigned char*>(buffer), count);
    };
    const MacroStripper::Writer write = [&output, &size](const char* data, std::size_t count) {
        size += count;
        return output.write(data, count);
    };
    if (!MacroStripper::strip(source.size(), read, write))
        return false;
    const auto padding = static_cast<std::uint16_t>((4 - size % 4) % 4);
    const std::uint64_t total = size + padding + kMacroHeaderSize;
    // The slot image counts every resource in 32 bits.
    if (total > std::numeric_limits<std::uint32_t>::max()) {
        noteWriteFailure(EFBIG);
        return false;
    }
    if (!output.writeZeros(padding))
        return false;
    reportProgress(request.context, kResourceStep);
    return output.commit() &&
           patchHeader(outputPath, resourceHeader(request, static_cast<std::uint32_t>(total), padding));
}

bool makeResource(const char* sourcePath, const char* name, std::uint32_t itemIndex, std::uint32_t resourceId,
                  std::uint32_t type, std::uint32_t automatic, std::uint32_t medium, std::uint32_t headerFlag,
                  const BuildContext* context)
{
    if (!sourcePath || type < VINTREL_PCL_MACRO || type > VINTREL_PROGRAM_DATA)
        return false;
    const auto engineType = static_cast<std::uint8_t>(type);
    const ResourceRequest request{
        engineType,
        engineType == VINTREL_PCL_MACRO ? std::to_string(resourceId) : boundedText(name, kItemNameMax),
        automatic != 0,
        static_cast<std::uint8_t>(medium & 0xFF),
        headerFlag != 0,
        context,
    };
    const std::string outputPath = indexedName(resourceTypeOf(engineType)->slotFiles.front().stem, itemIndex);
    // No file of an earlier build may stay behind under the name when this one fails.
    removeFile(outputPath);
    if (engineType != VINTREL_PRINTER_MACRO)
        return writeResource(sourcePath, outputPath, request);

    // Earlier builds stripped into a scratch file of their own; none of theirs may stay behind.
    return removeFile(indexedName(kStrippedMacro, itemIndex)) &&
           writeStrippedResource(sourcePath, outputPath, request);
}

} // namespace
} // namespace vintrel

extern "C" VINTREL_API int MakeResource(const char* sourcePath, const char* name, uint32_t itemIndex,
                                        uint32_t resourceId, uint32_t type, uint32_t automatic,
                                        uint32_t medium, uint32_t headerFlag, BuildContext* context)
{
    return vintrel::guardedExport([&] {
        return vintrel::makeResource(sourcePath, name, itemIndex, resourceId, type, automatic, medium,
                                     headerFlag, context);
    });
}
