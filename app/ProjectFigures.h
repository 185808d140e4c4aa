#pragma once

#include "CProjSett.h"

#include <cstdint>

// What the frames ask of a project: its storage settings, its number of items and the bytes of
// its files. The project document answers; the frames keep no copy of these figures.
class ProjectFigures {
public:
    virtual ~ProjectFigures() = default;

    virtual const CProjSett& settings() const = 0;
    virtual std::uint32_t itemCount() const = 0;
    virtual std::uint64_t totalBytes() const = 0;
};
