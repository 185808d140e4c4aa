#include "AppContext.h"

namespace qrl {

namespace {
AppContext* currentContext = nullptr;
} // namespace

QString ResourceDirectories::forSubtype(int subtype) const
{
    if (subtype >= 0 && subtype <= 4)
        return fonts;
    if (subtype == 5 || subtype == 6)
        return macros;
    if (subtype == 7)
        return forms;
    if (subtype == 8)
        return programs;
    return {};
}

AppContext::AppContext() : m_previous(currentContext)
{
    currentContext = this;
}

AppContext::~AppContext()
{
    if (currentContext == this)
        currentContext = m_previous;
}

AppContext& AppContext::current()
{
    if (currentContext)
        return *currentContext;
    static AppContext fallback;
    return fallback;
}

void AppContext::logText(int level, const QString& text)
{
    if (logs(level))
        m_log.WriteText(text);
}

} // namespace qrl
