#pragma once

namespace qrl::build {

// Connects the engine's debugger output (its "Name(): Error Code 0xNN" lines and font
// diagnostics) to where a person can read it: standard error, the system log at debug level (this
// platform's debugger output), and the program's log from level 3 (details), whichever log the
// context in use holds when a line comes. Every build session connects it.
void connectEngineDebugOutput();

} // namespace qrl::build
