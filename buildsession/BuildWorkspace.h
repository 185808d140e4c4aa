#pragma once

#include <QString>

namespace qrl::build {

// What one build leaves behind, cleaned up on every road: the private directory the build works
// in (made with qrl::makeJobDir("build") and made the current directory, since the engine names
// its files relative to it). On destruction the previous current directory comes back and the
// directory is removed with every file left in it. The output file the user chose is no part of
// it: its writer replaces it only when complete, so a failed build leaves it as it was.
class BuildWorkspace {
public:
    BuildWorkspace() = default;
    ~BuildWorkspace();
    BuildWorkspace(const BuildWorkspace&) = delete;
    BuildWorkspace& operator=(const BuildWorkspace&) = delete;

    // Makes the directory and enters it. False, with nothing changed, when either fails.
    bool enter();
    // The directory's path; empty before enter().
    const QString& path() const { return m_path; }
    // A file's full path in the directory.
    QString file(const QString& name) const;

private:
    QString m_path;
    QString m_previous;
};

} // namespace qrl::build
