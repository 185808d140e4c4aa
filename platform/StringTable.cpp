#include "StringTable.h"

#include "Replaceable.h"
#include "TextFormat.h"

#include <QByteArray>
#include <QTranslator>

namespace qrl {

namespace {
Replaceable<const QTranslator> currentCatalogue;
} // namespace

void setStringCatalogue(const QTranslator* catalogue)
{
    currentCatalogue.replace(catalogue);
}

QString text(int id)
{
    const char* english = builtInText(id);
    if (!english)
        return {};
    const QString builtIn = QString::fromUtf8(english);
    if (const QTranslator* catalogue = currentCatalogue.get()) {
        const QByteArray key = QByteArray::number(id);
        const QString translated = catalogue->translate(kCatalogueContext, english, key.constData());
        // A translation may reorder words but must take the same arguments; otherwise it would
        // be filled with data it does not expect.
        if (!translated.isEmpty() && formatSignature(translated) == formatSignature(builtIn))
            return translated;
    }
    return builtIn;
}

} // namespace qrl
