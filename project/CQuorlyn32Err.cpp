#include "CQuorlyn32Err.h"

#include "ProjectTextIds.h"
#include "StringTable.h"

std::uint16_t CQuorlyn32Err::FetchError()
{
    const std::uint16_t code = m_code;
    m_code = kAddErrorNone;
    return code;
}

QString CQuorlyn32Err::RefusalMessage(std::uint16_t code, const QString& path)
{
    switch (code) {
    case kAddErrorCapacity:
        return qrl::text(qrl::ids::kNoRoomForFile) + path;
    case kAddErrorDuplicate:
        return path + qrl::text(qrl::ids::kAlreadyInProject);
    default:
        return {};
    }
}

CQuorlyn32Err& GetQuorlyn32Err()
{
    static CQuorlyn32Err holder;
    return holder;
}
