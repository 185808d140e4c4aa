#pragma once

#include <QByteArrayView>

// How the printer reads the parameters of a command: left to right, a ' or a " opens a string
// that only the same quote closes; the other quote and a blank or a comma inside it are the
// string's own characters. A ';' outside a string ends the command.
namespace qrl::printertext {

enum class QuoteReading {
    Closed,            // every string that opens also closes
    OpenAtEnd,         // a string is still open after the last byte: it swallows the rest of the job
    SemicolonInString, // a ';' stands inside a string
};

QuoteReading readQuotes(QByteArrayView text);

// Whether a name can stand bare in a command ("CALL name;", "EMCR E,1,name;"): not empty, and no
// quote (it would open a string), no ';' or ',' (they would end the name), no blank and no
// control byte.
bool isBareName(QByteArrayView name);

} // namespace qrl::printertext
