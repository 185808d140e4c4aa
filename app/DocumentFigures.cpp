#include "DocumentFigures.h"

#include "CQuorlyn32Doc.h"

DocumentFigures::DocumentFigures(CQuorlyn32Doc* doc) : QObject(doc), m_doc(doc)
{
}

const CProjSett& DocumentFigures::settings() const
{
    return m_doc->GetProjSett();
}

std::uint32_t DocumentFigures::itemCount() const
{
    return static_cast<std::uint32_t>(m_doc->GetItemCount());
}

std::uint64_t DocumentFigures::totalBytes() const
{
    return m_doc->GetTotalInBytes();
}
