// The rows of the one failure table over every writer of a file the user keeps. Each row runs its
// writer for one path, with the writer's boxes answered by the test's scripted user interface.
#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace qrl::test {

struct WriterCase {
    const char* name;
    // Runs the writer so that it writes `path`; true when the writer reports the file written.
    std::function<bool(const QString& path)> write;
    // False for a writer whose failures the program reports elsewhere than in a box.
    bool showsMessage = true;
};

std::vector<WriterCase> projectAndBuildWriters();
std::vector<WriterCase> toolWriters();
std::vector<WriterCase> settingsWriters();

} // namespace qrl::test
