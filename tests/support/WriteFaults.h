// Faults for the file writers, injected beneath them: the test executable's own definitions of the
// C library calls a writer makes (open, write, reserve, truncate, sync, rename, unlink) stand in front of the
// real ones for every caller in the process, in the program's libraries and in the engine library alike. Only
// the files the user keeps take the faults (what the one writer opens for them through openat()), not the
// scratch files of the run's working folder, nor the test's own files.
#pragma once

#include <cstddef>
#include <functional>

namespace qrl {

// Makes the writers fail. A write that would take a file past `afterBytes` writes up to it and
// then fails with `error`; every open for writing fails at once with `openError` when it is not 0. Cleared by
// clearInjectedWriteFault(), which clears the step faults below as well.
void injectWriteFault(std::size_t afterBytes, int error, int openError = 0);
void clearInjectedWriteFault();

} // namespace qrl

namespace qrl::test {

// The steps after the bytes, each of which can be made to fail.
enum class WriteStep {
    Reserve,  // posix_fallocate of the length written in place
    Sync,     // fdatasync of the new bytes (a save in place syncs its backup copy first)
    Rename,   // the rename that puts the new file in place
    Remove,   // unlink, as of a save in place's backup copy
    Truncate, // ftruncate, as of a file written in place to its new length before its sync
};

// The next and every later call of `step` fails with `error` (posix_fallocate answers it); with
// `onlyCall`, only that call (1 for the next) fails.
void injectStepFault(WriteStep step, int error, int onlyCall = 0);

// The process kills itself with SIGKILL, as a power cut would stop it: when a file it writes passes
// `bytes`, when a file it writes in place (one it opened without creating it) passes `bytes`, or at
// the `call`th call of `step` from now. For a forked child only.
void killWhenWritten(std::size_t bytes);
void killWhenWrittenInPlace(std::size_t bytes);
void killAtStep(WriteStep step, int call = 1);

// Runs `action` once, at the `call`th call of `step` from now, before the call goes on: another
// program meddling with the file at that moment.
void atStep(WriteStep step, int call, std::function<void()> action);

// Unnamed files (O_TMPFILE) are refused as vfat, exFAT, NFS and most FUSE file systems refuse them.
void refuseUnnamedFiles(bool refuse);

// How often the process has called fdatasync and fsync so far; inPlace counts either call on a
// file written in place.
struct SyncCalls {
    long dataSyncs = 0;
    long fullSyncs = 0;
    long inPlace = 0;
};
SyncCalls syncCalls();

} // namespace qrl::test
