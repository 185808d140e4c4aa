// The generator's eighteen arguments with the values the program passes, for tests to change
// one at a time.
#pragma once

#include "pelmora.h"

#include <cstddef>
#include <string>

namespace qrl::test {

struct MacroArgs {
    std::string sourcePath;
    std::string outputPath;
    std::string macroName = "LOGO";
    std::string resolution = "Default";
    std::string unit = "Centimeters";
    std::string positionX;
    std::string positionY;
    std::string width = "%1";
    std::string height = "%2";
    int orientation = 0;
    int imageType = 1;
    int sourcePathSize = 260;
};

int callCreateMacro(const MacroArgs& args, const PelmoraHost* host);
int callCreateColorMacro(const MacroArgs& args, const PelmoraHost* host);

// How many entries a folder holds: a call must leave no scratch file behind.
std::size_t entriesIn(const std::string& folder);

} // namespace qrl::test
