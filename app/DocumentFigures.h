#pragma once

#include "ProjectFigures.h"

#include <QObject>

class CQuorlyn32Doc;

// The figures of a project document for the frames (capacity pane, Build's enabling). A child
// of the document, so it lives exactly as long as the document does.
class DocumentFigures : public QObject, public ProjectFigures {
public:
    explicit DocumentFigures(CQuorlyn32Doc* doc);

    const CProjSett& settings() const override;
    std::uint32_t itemCount() const override;
    std::uint64_t totalBytes() const override;

private:
    const CQuorlyn32Doc* m_doc;
};
