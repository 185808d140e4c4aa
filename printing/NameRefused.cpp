#include "NameRefused.h"

#include "PrintingTextIds.h"
#include "SingleByteText.h"
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
    qrl::ui().message(qrl::formatText(qrl::text(ids::kNameNotSendable), {singlebyte::fromBytes(shown)}),
                      qrl::Buttons::Ok, qrl::Icon::Warning);
}

} // namespace qrl::printing
