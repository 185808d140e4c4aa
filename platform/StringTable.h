#pragma once

#include <QString>

#include <vector>

class QTranslator;

namespace qrl {

// The built-in English text of a string id, or nullptr when the table has none.
const char* builtInText(int id);
// Every id of the built-in table, ascending (for checks of the table itself).
std::vector<int> builtInIds();

// The text of a string id as the user sees it: from the loaded language catalogue when it has
// the id with the same format conversions as the built-in text, otherwise the built-in text.
// An unknown id gives an empty text.
QString text(int id);

// The language catalogue texts come from; nullptr for the built-in English texts. Not owned.
void setStringCatalogue(const QTranslator* catalogue);

// The context and disambiguation under which a catalogue holds string `id`:
// translate("Quorlyn32", <English text>, "<id>").
inline constexpr const char* kCatalogueContext = "Quorlyn32";

} // namespace qrl
