// A file of the working directory that must not outlive the step that uses it: any old file of
// that name is removed when the step begins, and the file is removed again on every way out.
#pragma once

#include <string>

namespace vintrel {

// Removes the file or link `path`, never a folder; true when no file of that name remains (also
// when there was none).
bool removeFile(const std::string& path);

class ScratchFile {
public:
    explicit ScratchFile(std::string path) : m_path(std::move(path)), m_cleared(removeFile(m_path)) {}
    ~ScratchFile() { removeFile(m_path); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& path() const { return m_path; }
    // False when a file of that name was there and could not be removed.
    bool cleared() const { return m_cleared; }

private:
    std::string m_path;
    bool m_cleared;
};

} // namespace vintrel
