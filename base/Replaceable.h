#pragma once

#include <utility>

namespace qrl {

// One program-wide service that tests (and the program at start-up) can swap: it holds a pointer
// it does not own, nullptr while nothing is installed. Constant-initialised, so it can be used
// from other static objects' constructors and destructors.
template <class T>
class Replaceable {
public:
    constexpr Replaceable() noexcept = default;
    Replaceable(const Replaceable&) = delete;
    Replaceable& operator=(const Replaceable&) = delete;

    // The installed one, or nullptr.
    T* get() const noexcept { return m_current; }
    // The installed one, or `fallback` while none is.
    T& getOr(T& fallback) const noexcept { return m_current ? *m_current : fallback; }
    // Installs `next` (nullptr uninstalls); returns the one it replaces.
    T* replace(T* next) noexcept { return std::exchange(m_current, next); }

private:
    T* m_current = nullptr;
};

// Installs a service through its setter (one returning the previous one) for the life of the
// object, then puts the previous one back.
template <class T>
class ScopedReplacement {
public:
    using Setter = T* (*)(T*);

    ScopedReplacement(Setter set, T* next) : m_set(set), m_previous(set(next)) {}
    ~ScopedReplacement() { m_set(m_previous); }
    ScopedReplacement(const ScopedReplacement&) = delete;
    ScopedReplacement& operator=(const ScopedReplacement&) = delete;

private:
    Setter m_set;
    T* m_previous;
};

} // namespace qrl
