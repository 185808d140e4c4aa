#pragma once

#include "BuildDocument.h"

class CQuorlyn32Doc;

namespace qrl::build {

// The build's view of a project document: the snapshot of its items and settings, and the way
// back for the settings the build dialog changes. The document is not owned and must outlive it.
class DocumentBuildSource : public BuildDocument {
public:
    explicit DocumentBuildSource(CQuorlyn32Doc& document);

    BuildProject buildProject() const override;
    void takeSettings(const CProjSett& settings, bool modified) override;

private:
    CQuorlyn32Doc& m_document;
};

} // namespace qrl::build
