#include "NameRefused.h"

#include "StringTable.h"
#include "TextFormat.h"
#include "UserInterface.h"

namespace qrl::printing {

void showNameRefused(const QByteArray& name)
{
    QByteArray shown = name;
    for (char& c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            c = '?';
    }
    // Names are UTF-8 when written here; older projects hold Latin-1.
    const QString text = QString::fromUtf8(shown);
    const QString readable = text.toUtf8() == shown ? text : QString::fromLatin1(shown);
    qrl::ui().message(qrl::formatText(qrl::text(ids::kNameNotSendable), {readable}), qrl::Buttons::Ok,
                      qrl::Icon::Warning);
}

} // namespace qrl::printing
