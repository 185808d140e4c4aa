#include "vintrel.h"

// The library needs no set-up or tear-down when it is loaded or unloaded.
