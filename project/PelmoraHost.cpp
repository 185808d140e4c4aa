#include "PelmoraHost.h"

#include "StringTable.h"
#include "UserInterface.h"

#include <QByteArray>
#include <QString>

namespace {

// The library copies a text at once; it only needs to live until the next call.
QByteArray lastText;

const char* loadString(unsigned id, void*)
{
    lastText = qrl::text(static_cast<int>(id)).toUtf8();
    return lastText.isEmpty() ? nullptr : lastText.constData();
}

int messageBox(const char* text, const char* caption, void*)
{
    qrl::ui().message(QString::fromUtf8(text), qrl::Buttons::Ok, qrl::Icon::Information,
                      QString::fromUtf8(caption ? caption : ""));
    return 1;
}

const PelmoraHost host = {loadString, messageBox, nullptr};

} // namespace

const PelmoraHost* qrl::pelmoraHost()
{
    return &host;
}
