/* libvintrel: the resource-image engine. Plain C interface; every export returns 1 on success and
 * 0 on failure unless noted. Files without a path argument are read and written in the current
 * working directory. Not re-entrant: one build, one call at a time. */
#ifndef VINTREL_H
#define VINTREL_H

#include "qrl_debugout.h"
#include "qrl_movable.h"

#ifdef __cplusplus
extern "C" {
#endif

#if defined(QRL_BUILDING_VINTREL)
#define VINTREL_API __attribute__((visibility("default")))
#else
#define VINTREL_API
#endif

/* The engine's build exports are declared here as they are built. */

#ifdef __cplusplus
}
#endif

#endif
