#pragma once

#include "MemoryProfile.h"
#include "Replaceable.h"

namespace qrl::test {

// An in-memory profile installed as the program's profile while the object lives.
class ScopedProfile : public MemoryProfile {
private:
    ScopedReplacement<Profile> m_installed{setProfile, this};
};

// Makes a QCoreApplication exist for tests that need one (timers, file names, translators).
void ensureCoreApplication();

} // namespace qrl::test
