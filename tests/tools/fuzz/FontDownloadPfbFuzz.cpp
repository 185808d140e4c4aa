// Fuzz harness of the font downloader's PFB reader: the check, the name scan and the conversion
// must stay inside the input, and the conversion may never write more than the input allows.
// With -fsanitize=fuzzer it is an ordinary libFuzzer target; the test links the shared replay
// main() and runs it over the committed corpus, so every input that once crashed stays a case.
#include "FontDownloadPfb.h"
#include "FontDownloadText.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    static_cast<void>(qrl::fontdownload::isPfbStart(bytes));
    {
        QBuffer in(&bytes);
        in.open(QIODevice::ReadOnly);
        const std::optional<QByteArray> name = qrl::fontdownload::scanFontName(in);
        if (name && (name->isEmpty() || name->size() > qrl::fontdownload::kMaxFontNameLength))
            __builtin_trap();
    }
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    QByteArray pfa;
    QBuffer out(&pfa);
    out.open(QIODevice::WriteOnly);
    static_cast<void>(qrl::fontdownload::convertPfbToPfa(in, out, qrl::fontdownload::kEndOfDataMarker));
    // Two digits per byte and at most one line end per byte.
    if (static_cast<std::size_t>(pfa.size()) > 3 * size)
        __builtin_trap();
    return 0;
}
