#include "WrappedImageMacro.h"

#include "FileByteSource.h"
#include "MacroText.h"
#include "RasterTextIds.h"
#include "WholeFile.h"

#include <algorithm>
#include <vector>

namespace pelmora {

namespace {

constexpr std::size_t kCopyBlock = 64 * 1024;
constexpr std::string_view kGraphicsEnd = ";ENDG;ENDM;EXIT,E;";

std::string header(const MacroRequest& request)
{
    std::string text(macro::kBegin);
    text += request.macroName;
    // A macro sized by its caller ("CALL name width,height;") declares its parameters.
    if (request.width == "%1")
        text += " %";
    text += macro::resolution(request, " ");
    text += macro::orientation(request);
    if (macro::hasPosition(request)) {
        text += macro::unit(request);
        text += macro::position(request);
    }
    text += ";GRRD ";
    text += static_cast<ImageType>(request.imageType) == ImageType::Jpeg ? "J" : "T";
    text += "," + request.width + "," + request.height + ";";
    return text;
}

enum class CopyResult { Copied, ReadFailed, WriteFailed };

// Copies the whole file, as long as the file system says it is, in large blocks.
CopyResult copyFile(const ByteSource& source, qrl::WholeFileWriter& file)
{
    std::vector<unsigned char> block(
        static_cast<std::size_t>(std::min<std::uint64_t>(kCopyBlock, source.size())));
    for (std::uint64_t at = 0; at < source.size(); at += block.size()) {
        const auto length =
            static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), source.size() - at));
        if (!source.readAt(at, length, block.data()))
            return CopyResult::ReadFailed;
        if (!file.write(block.data(), length))
            return CopyResult::WriteFailed;
    }
    return CopyResult::Copied;
}

} // namespace

int createWrappedImageMacro(const MacroRequest& request)
{
    const HostMessages& messages = request.messages;
    qrl::WholeFileWriter file;
    if (!file.open(request.outputPath)) {
        messages.showAlone(qrl::ids::kErrorCreatingFile, request.outputPath);
        return 0;
    }
    if (!file.write(header(request))) {
        messages.showFileMessage(qrl::ids::kErrorWritingFile, request.outputPath);
        return 0;
    }
    FileByteSource source;
    if (!source.open(request.sourcePath)) {
        messages.showFileMessage(qrl::ids::kFileCannotBeOpened, request.sourcePath);
        return 0;
    }
    switch (copyFile(source, file)) {
    case CopyResult::ReadFailed:
        messages.showFileMessage(qrl::ids::kFileCannotBeOpened, request.sourcePath);
        return 0;
    case CopyResult::WriteFailed:
        messages.showFileMessage(qrl::ids::kErrorWritingFile, request.outputPath);
        return 0;
    case CopyResult::Copied:
        break;
    }
    if (!file.write(kGraphicsEnd) || !file.commit()) {
        messages.showFileMessage(qrl::ids::kErrorWritingFile, request.outputPath);
        return 0;
    }
    return 1;
}

} // namespace pelmora
