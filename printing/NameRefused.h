#pragma once

#include <QByteArray>

namespace qrl::printing {

// A resource name that cannot stand in a printer command (message 2464); control bytes are
// shown as '?'. Shared by the build and the command-file creators.
void showNameRefused(const QByteArray& name);

} // namespace qrl::printing
