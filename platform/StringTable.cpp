#include "StringTable.h"

#include "TextFormat.h"

#include <QByteArray>
#include <QTranslator>

namespace qrl {

namespace {
const QTranslator* currentCatalogue = nullptr;
} // namespace

void setStringCatalogue(const QTranslator* catalogue)
{
    currentCatalogue = catalogue;
}

QString text(int id)
{
    const char* english = builtInText(id);
    if (!english)
        return {};
    const QString builtIn = QString::fromUtf8(english);
    if (currentCatalogue) {
        const QByteArray key = QByteArray::number(id);
        const QString translated = currentCatalogue->translate(kCatalogueContext, english, key.constData());
        // A translation may reorder words but must take the same arguments; otherwise it would
        // be filled with data it does not expect.
        if (!translated.isEmpty() && formatSignature(translated) == formatSignature(builtIn))
            return translated;
    }
    return builtIn;
}

} // namespace qrl
