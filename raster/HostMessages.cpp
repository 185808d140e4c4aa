#include "HostMessages.h"

#include "RasterTextIds.h"

#include <cstring>

namespace pelmora {

namespace {

constexpr const char* kFileMessageCaption = "Quorlyn";
// The sizes of the text buffers the messages are loaded into, less the terminating NUL.
constexpr std::size_t kFileMessagePartChars = 255;
constexpr std::size_t kAloneMessageChars = 79;

} // namespace

std::optional<std::string> HostMessages::load(MessageId id, std::size_t maxChars) const
{
    if (!m_host || !m_host->loadString)
        return std::nullopt;
    const char* text = m_host->loadString(static_cast<unsigned>(id), m_host->user);
    if (!text || !*text)
        return std::nullopt;
    return std::string(text, strnlen(text, maxChars));
}

void HostMessages::show(const std::string& text, const std::string& caption) const
{
    if (m_host && m_host->messageBox)
        m_host->messageBox(text.c_str(), caption.c_str(), m_host->user);
}

void HostMessages::showFileMessage(MessageId error, const std::string& fileName) const
{
    const auto format = load(qrl::ids::kFileErrorFormat, kFileMessagePartChars);
    const auto errorText = load(error, kFileMessagePartChars);
    const auto hint = load(qrl::ids::kHintNotInserted, kFileMessagePartChars);
    if (!format || !errorText || !hint)
        return;
    show(fillFormat(*format, {fileName, *errorText, *hint}), kFileMessageCaption);
}

void HostMessages::showAlone(MessageId id, const std::string& caption) const
{
    if (const auto text = load(id, kAloneMessageChars))
        show(*text, caption);
}

std::string fillFormat(const std::string& format, std::initializer_list<std::string> args)
{
    std::string out;
    auto next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            if (format[i + 1] == 's') {
                if (next != args.end())
                    out += *next++;
                ++i;
                continue;
            }
            if (format[i + 1] == '%') {
                out += '%';
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}

} // namespace pelmora
