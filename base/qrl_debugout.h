/* The engine's debugger-output channel. Lines go to a sink the caller installs; without one they
 * are dropped. Plain C, no toolkit. */
#ifndef QRL_DEBUGOUT_H
#define QRL_DEBUGOUT_H

#ifdef __cplusplus
extern "C" {
#endif

#if defined(QRL_BUILDING_VINTREL)
#define QRL_DEBUGOUT_API __attribute__((visibility("default")))
#else
#define QRL_DEBUGOUT_API
#endif

typedef void (*QrlDebugSink)(const char* line, void* user);

/* Installs the sink (NULL: silent). The sink is called on the caller's thread with each line. */
QRL_DEBUGOUT_API void QrlSetDebugOutputSink(QrlDebugSink sink, void* user);
/* Sends one line (already ending in CR LF where the caller wants it) to the sink. */
QRL_DEBUGOUT_API void QrlOutputDebugString(const char* line);

#ifdef __cplusplus
}
#endif

#endif
