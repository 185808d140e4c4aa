/* Movable memory blocks shared by the program and the engine library.
 * The blocks live in libvintrel; the program allocates item blocks through the same functions, so
 * both sides use one heap and one handle layout. Plain C, no toolkit. */
#ifndef QRL_MOVABLE_H
#define QRL_MOVABLE_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(QRL_BUILDING_VINTREL)
#define QRL_MOVABLE_API __attribute__((visibility("default")))
#else
#define QRL_MOVABLE_API
#endif

/* An opaque handle; stays valid across any number of lock and unlock calls until freed. */
typedef struct QrlMemBlock* QrlHandle;

/* Allocates a zero-filled block of `size` bytes. Returns NULL when no memory is available. */
QRL_MOVABLE_API QrlHandle QrlGlobalAlloc(size_t size);
/* Locks the block and returns its address (NULL for a NULL handle). */
QRL_MOVABLE_API void* QrlGlobalLock(QrlHandle handle);
/* Unlocks once. Returns the lock count that remains (0 when unlocked or for a NULL handle). */
QRL_MOVABLE_API int QrlGlobalUnlock(QrlHandle handle);
/* Frees the block. Returns NULL on success; a NULL handle is accepted and ignored. */
QRL_MOVABLE_API QrlHandle QrlGlobalFree(QrlHandle handle);
/* The block's size in bytes, 0 for a NULL handle. */
QRL_MOVABLE_API size_t QrlGlobalSize(QrlHandle handle);

#ifdef __cplusplus
}
#endif

#endif
