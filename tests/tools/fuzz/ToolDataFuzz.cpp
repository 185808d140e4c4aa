// Fuzz harness of the tool data file reader: every reader over any bytes must stay inside them,
// the custom macro listing must move forward, and whatever the writer accepts of what was read
// must read back exactly. Built with clang's -fsanitize=fuzzer this file alone is a fuzzer; with
// the project's replay main() it replays a corpus.
#include "ToolDataImage.h"
#include "ToolDataText.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

struct Parsed {
    std::optional<QByteArray> callMacro, callParam, callRepeat, macroFile;
    std::vector<QByteArray> names;
    std::vector<QByteArray> texts;

    bool operator==(const Parsed&) const = default;
};

Parsed parse(const QByteArray& file)
{
    Parsed parsed{qrl::tooldata::readValue(file, qrl::tooldata::kCallMacroTag),
                  qrl::tooldata::readValue(file, qrl::tooldata::kCallParamTag),
                  qrl::tooldata::readValue(file, qrl::tooldata::kCallRepeatTag),
                  qrl::tooldata::readValue(file, qrl::tooldata::kMacroFileTag),
                  {},
                  {}};
    qint64 offset = 0;
    QByteArray name;
    while (qrl::tooldata::nextCustomMacroName(file, offset, name)) {
        if (offset <= 0 || offset > file.size())
            __builtin_trap();
        parsed.names.push_back(name);
        // A text that cannot be read is written back without one, which reads as an empty text.
        parsed.texts.push_back(qrl::tooldata::readCustomMacro(file, name).value_or(QByteArray()));
    }
    return parsed;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Over the caller's bytes, not a copy: a read past their end shows under ASan.
    const QByteArray file =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Parsed first = parse(file);

    ToolDataImage image;
    bool kept =
        image.WriteCallBlock(first.callMacro.value_or(QByteArray()), first.callParam.value_or(QByteArray()),
                             first.callRepeat.value_or(QByteArray())) &&
        image.AppendMacroFile(first.macroFile.value_or(QByteArray()));
    for (std::size_t i = 0; kept && i < first.names.size(); ++i)
        kept = image.AppendCustomMacro(first.names[i], &first.texts[i]);
    if (!kept)
        return 0;
    Parsed again = parse(image.bytes());
    Parsed expected = first;
    for (auto* value : {&expected.callMacro, &expected.callParam, &expected.callRepeat, &expected.macroFile})
        *value = value->value_or(QByteArray());
    if (!(again == expected))
        __builtin_trap();
    return 0;
}
