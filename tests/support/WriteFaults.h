// Faults for the file writers, injected beneath them: the test executable's own definitions of the
// C library calls a writer makes (open, write, reserve, sync, rename) stand in front of the real
// ones for every caller in the process, in the program's libraries and in the engine library
// alike. Only the files the user keeps take the faults (what the one writer opens for them through
// openat()), not the scratch files of the run's working folder, nor the test's own files.
#pragma once

#include <cstddef>

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
    Reserve, // posix_fallocate of the length written in place
    Sync,    // fdatasync of the new bytes
    Rename,  // the rename that puts the new file in place
};

// The next and every later call of `step` fails with `error` (posix_fallocate answers it).
void injectStepFault(WriteStep step, int error);

// The process kills itself with SIGKILL, as a power cut would stop it: when a file it writes passes
// `bytes`, or at `step`. For a forked child only.
void killWhenWritten(std::size_t bytes);
void killAtStep(WriteStep step);

// How often the process has called fdatasync and fsync so far.
struct SyncCalls {
    long dataSyncs = 0;
    long fullSyncs = 0;
};
SyncCalls syncCalls();

} // namespace qrl::test
