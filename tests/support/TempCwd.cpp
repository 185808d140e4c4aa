#include "TempCwd.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include <unistd.h>

namespace qrl::test {

TempDirectory::TempDirectory()
{
    const char* env = std::getenv("TMPDIR");
    std::string templ = std::string(env && *env ? env : "/tmp") + "/qrltest-XXXXXX";
    std::vector<char> buf(templ.begin(), templ.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = buf.data();
}

TempDirectory::~TempDirectory()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

TempCwd::TempCwd()
{
    m_previous = std::filesystem::current_path().string();
    std::filesystem::current_path(path());
}

TempCwd::~TempCwd()
{
    std::error_code ec;
    std::filesystem::current_path(m_previous, ec);
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write fixture " + path);
}

std::vector<std::string> filesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace qrl::test
