// A hook beneath every reader of a file: the test executable's own read() stands in front of the C
// library's for every caller in the process, Qt's file engine among them, so that a test can change
// a file between a reader's size query and its reading, as a download still running or a file being
// regenerated would.
#pragma once

#include <functional>
#include <string>

namespace qrl::test {

// Runs `hook` before every read() at the start of a descriptor open on `path` (so before each
// reader's first read of the file); an empty hook removes it. One file at a time.
void beforeReadingFrom(const std::string& path, std::function<void()> hook);

} // namespace qrl::test
