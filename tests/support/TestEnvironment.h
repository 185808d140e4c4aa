#pragma once

#include "MemoryProfile.h"

namespace qrl::test {

// An in-memory profile installed as the program's profile while the object lives.
class ScopedProfile : public MemoryProfile {
public:
    ScopedProfile() : m_previous(setProfile(this)) {}
    ~ScopedProfile() override { setProfile(m_previous); }

private:
    Profile* m_previous;
};

// Makes a QCoreApplication exist for tests that need one (timers, file names, translators).
void ensureCoreApplication();

} // namespace qrl::test
