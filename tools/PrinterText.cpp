#include "PrinterText.h"

namespace qrl::printertext {

QuoteReading readQuotes(QByteArrayView text)
{
    char open = 0;
    for (const char c : text) {
        if (open != 0) {
            if (c == open)
                open = 0;
            else if (c == ';')
                return QuoteReading::SemicolonInString;
        } else if (c == '\'' || c == '"') {
            open = c;
        }
    }
    return open != 0 ? QuoteReading::OpenAtEnd : QuoteReading::Closed;
}

bool isBareName(QByteArrayView name)
{
    if (name.isEmpty())
        return false;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F || c == '\'' || c == '"' || c == ';' || c == ',')
            return false;
    }
    return true;
}

} // namespace qrl::printertext
