#pragma once

#include <QString>

namespace qrl::build {

// What one build leaves behind, cleaned up on every road: the private directory the build works
// in (made with qrl::makeJobDir("build") and made the current directory, since the engine names
// its files relative to it) and the output file the user chose. On destruction the previous
// current directory comes back, the directory is removed with every file left in it, and the
// output file is removed unless the build kept it.
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

    // The output file chosen for the build (created empty by the output dialog): removed at the
    // end unless keepOutput() was called. Only a regular file is ever removed.
    void guardOutput(const QString& path) { m_output = path; }
    void keepOutput() { m_output.clear(); }

private:
    QString m_path;
    QString m_previous;
    QString m_output;
};

} // namespace qrl::build
