// Faults and a count for the movable memory blocks, injected beneath the engine library: the test
// executable's own QrlGlobalAlloc, QrlGlobalLock and QrlGlobalFree stand in front of the library's
// for every caller, inside the library too, and reach the real ones behind them.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

/* Number of blocks allocated and not yet freed since the process started. */
long QrlGlobalLiveBlocks(void);
/* The n-th following allocation (1 = the next) fails, likewise the m-th following lock of a
 * block; 0 switches the fault off. */
void QrlGlobalSetFaults(int failAllocAt, int failLockAt);

#ifdef __cplusplus
}
#endif
