#include "EngineDebugOutput.h"

#include "AppContext.h"
#include "qrl_debugout.h"

#include <QString>

#include <cstdio>
#include <string>

#include <syslog.h>

namespace qrl::build {

namespace {

constexpr int kDetailsLevel = 3;

void toOutputs(const char* line, void*)
{
    // The engine ends its lines in CR LF, as the log keeps them; the terminal and the system log
    // take one line without its end.
    std::string bare(line);
    while (!bare.empty() && (bare.back() == '\n' || bare.back() == '\r'))
        bare.pop_back();
    std::fprintf(stderr, "%s\n", bare.c_str());
    syslog(LOG_USER | LOG_DEBUG, "%s", bare.c_str());
    qrl::context().logText(kDetailsLevel, QString::fromLatin1(line));
}

} // namespace

void connectEngineDebugOutput()
{
    QrlSetDebugOutputSink(&toOutputs, nullptr);
}

} // namespace qrl::build
