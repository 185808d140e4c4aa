// The generator's message boxes, shown through the calling program's host record with texts
// loaded from its string table. Nothing is shown without a host, or when a text is missing.
#pragma once

#include "MessageId.h"
#include "pelmora.h"

#include <initializer_list>
#include <optional>
#include <string>

namespace pelmora {

class HostMessages {
public:
    explicit HostMessages(const PelmoraHost* host) : m_host(host) {}

    // The three-part file message: the file, the error text and the hint "not inserted", under
    // the caption "Quorlyn".
    void showFileMessage(MessageId error, const std::string& fileName) const;
    // One text on its own, under the given caption (the macro file's path).
    void showAlone(MessageId id, const std::string& caption) const;

private:
    // The text of `id`, cut to maxChars bytes, or nothing when the host has none.
    std::optional<std::string> load(MessageId id, std::size_t maxChars) const;
    void show(const std::string& text, const std::string& caption) const;

    const PelmoraHost* m_host;
};

// Fills the "%s" conversions of a loaded format text with args in order ("%%" gives "%"); any
// other "%" is kept as it stands, so a translated text can never read past the arguments.
std::string fillFormat(const std::string& format, std::initializer_list<std::string> args);

} // namespace pelmora
