// The library is standard C++ only: no toolkit header and no operating-system header may be
// included anywhere under raster/.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

TEST(RasterSources, IncludeNoToolkitHeader)
{
    const std::filesystem::path root = std::filesystem::path(QUORLYN_TEST_DATA_DIR) / ".." / ".." / "raster";
    ASSERT_TRUE(std::filesystem::is_directory(root)) << root;
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file())
            continue;
        ++files;
        std::ifstream in(entry.path());
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            for (const char* header :
                 {"#include <Q", "#include <unistd.h>", "#include <fcntl.h>", "#include <sys/"})
                EXPECT_EQ(line.find(header), std::string::npos) << entry.path() << ":" << number;
        }
    }
    EXPECT_GT(files, 0);
}

} // namespace
