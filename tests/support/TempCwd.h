#pragma once

#include <string>
#include <vector>

namespace qrl::test {

// A fresh private directory under $TMPDIR (or /tmp), removed with everything in it at the end.
class TempDirectory {
public:
    TempDirectory();
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// A fresh directory that is the current directory while the object lives; the previous current
// directory comes back at the end.
class TempCwd : public TempDirectory {
public:
    TempCwd();
    ~TempCwd();

private:
    std::string m_previous;
};

// The names in a folder, sorted: what a failed write may not add to.
std::vector<std::string> filesIn(const std::string& folder);

// Whole-file helpers for fixtures.
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

} // namespace qrl::test
