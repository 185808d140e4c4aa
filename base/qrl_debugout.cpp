#include "qrl_debugout.h"

namespace {
QrlDebugSink currentSink = nullptr;
void* currentUser = nullptr;
} // namespace

extern "C" {

void QrlSetDebugOutputSink(QrlDebugSink sink, void* user)
{
    currentSink = sink;
    currentUser = user;
}

void QrlOutputDebugString(const char* line)
{
    if (currentSink && line)
        currentSink(line, currentUser);
}

} // extern "C"
