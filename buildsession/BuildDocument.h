#pragma once

#include "BuildProject.h"

class CProjSett;

namespace qrl::build {

// The project document as the build dialog needs it: a snapshot of the project to build, and
// the way back for the settings that the dialog's target switches and the build change.
class BuildDocument {
public:
    virtual ~BuildDocument() = default;

    // The project's items in order, its settings, title and totals as they are now.
    virtual BuildProject buildProject() const = 0;
    // Takes over the storage settings (medium, extra settings value, size index); `modified`
    // marks the document modified.
    virtual void takeSettings(const CProjSett& settings, bool modified) = 0;
};

} // namespace qrl::build
