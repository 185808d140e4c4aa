// The scans of an item's file for its name and font numbers, and the free ids of a project.
#include "CProjItem.h"
#include "ProjectTextIds.h"

#include "CQuorlyn32Doc.h"
#include "ItemScanners.h"
#include "RecordText.h"
#include "ResourceTypes.h"
#include "SettingsKeys.h"
#include "StringTable.h"
#include "TextFormat.h"
#include "UserInterface.h"

#include <QFile>

#include <algorithm>

namespace {

template <typename Field>
std::uint32_t nextFree(const CQuorlyn32Doc* project, std::uint32_t first, Field field)
{
    if (!project)
        return first;
    // At most 256 items, so the search ends within 257 values.
    for (std::uint32_t id = first;; ++id) {
        bool used = false;
        for (int i = 0; i < project->GetItemCount() && !used; ++i)
            used = field(project->GetItemAt(i)->record()) == id;
        if (!used)
            return id;
    }
}

} // namespace

std::optional<QByteArray> CProjItem::readFile(qint64 limit) const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const qint64 size = file.size();
    QByteArray data = file.read(limit >= 0 ? std::min(limit, size) : size);
    return data;
}

std::uint32_t CProjItem::NextFreeFontId(const CQuorlyn32Doc* project)
{
    return nextFree(project, kFirstFontId, [](const ItemRecord& r) { return r.resourceId; });
}

std::uint32_t CProjItem::NextFreeTypefaceId(const CQuorlyn32Doc* project)
{
    return nextFree(project, kFirstTypefaceId, [](const ItemRecord& r) { return r.typefaceId; });
}

std::uint32_t CProjItem::TypefaceFromFontId(std::uint32_t fontId)
{
    return fontId >= kFirstTypefaceId ? fontId : fontId + kFirstTypefaceId;
}

void CProjItem::AssignFontIds(const CQuorlyn32Doc* project)
{
    if (m_kind != kKindFont)
        return;
    switch (subtype()) {
    case kTrueTypeFont:
        m_record.resourceId = NextFreeFontId(project);
        m_record.typefaceId = NextFreeTypefaceId(project);
        break;
    case kPclEoFont:
        m_record.resourceId = NextFreeFontId(project);
        m_record.typefaceId = ReadPclTypeface();
        break;
    case kPclBitmapPortraitFont:
    case kPclBitmapLandscapeFont:
        m_record.resourceId = ReadPclFontId().value_or(NextFreeFontId(project));
        m_record.typefaceId = FindPclTypeface().value_or(ReadPclTypeface());
        break;
    case kZentrixBitmapFont:
        m_record.resourceId = ReadLdfcFontId();
        m_record.typefaceId = TypefaceFromFontId(m_record.resourceId);
        break;
    default:
        break;
    }
}

std::optional<std::uint32_t> CProjItem::ReadPclFontId() const
{
    const auto data = readFile(static_cast<qint64>(qrl::itemscan::kFontIdWindow));
    return data ? qrl::itemscan::pclFontId(qrl::itemscan::bytesOf(*data)) : std::nullopt;
}

std::uint32_t CProjItem::ReadPclTypeface() const
{
    // The descriptor's typeface lies within the first 98 + 27 bytes.
    const auto data = readFile(static_cast<qint64>(qrl::itemscan::kFontHeaderWindow + 27));
    return data ? qrl::itemscan::pclTypeface(qrl::itemscan::bytesOf(*data)) : qrl::itemscan::kFallbackId;
}

std::optional<std::uint32_t> CProjItem::FindPclTypeface() const
{
    const auto data = readFile();
    return data ? qrl::itemscan::findPclTypeface(qrl::itemscan::bytesOf(*data)) : std::nullopt;
}

std::uint32_t CProjItem::ReadLdfcFontId() const
{
    const auto data = readFile();
    if (!data)
        return qrl::itemscan::kFallbackId;
    // A file without a readable "LDFC" id gets the fallback, as an empty file does.
    std::uint32_t id =
        qrl::itemscan::ldfcFontId(qrl::itemscan::bytesOf(*data)).value_or(qrl::itemscan::kFallbackId);
    if (id < 256 && qrl::read(qrl::settings::kFontIdMessages) != 0) {
        const QString text = QStringLiteral("Font :  ") + m_path + QStringLiteral("\nID :  ") +
                             qrl::formatText(QStringLiteral("%lu"), {id}) +
                             qrl::text(qrl::ids::kFontIdRaised);
        qrl::ui().message(text);
        id += 1000;
    }
    return id;
}

std::string CProjItem::ReadTrueTypeName() const
{
    if (m_record.fileSize <= 100)
        return {};
    const auto data = readFile();
    if (!data)
        return {};
    const qrl::itemscan::TrueTypeName found = qrl::itemscan::trueTypeName(qrl::itemscan::bytesOf(*data));
    switch (found.result) {
    case qrl::itemscan::TrueTypeName::Found:
        return qrl::recordtext::cut(found.name, kMaxTrueTypeNameLength);
    case qrl::itemscan::TrueTypeName::NoRecord:
        return qrl::recordtext::nameBytes(m_fileName);
    default:
        return {};
    }
}

std::string CProjItem::ReadPclFontName() const
{
    // The name ends at descriptor byte 62 behind a 'W' within the first 98 bytes.
    const auto data = readFile(static_cast<qint64>(qrl::itemscan::kFontHeaderWindow + 64));
    return data ? qrl::itemscan::pclFontName(qrl::itemscan::bytesOf(*data)) : std::string();
}

bool CProjItem::ReadMcroName(std::string& name) const
{
    const auto data = readFile();
    if (!data)
        return true;
    const qrl::itemscan::McroName found = qrl::itemscan::mcroName(qrl::itemscan::bytesOf(*data));
    if (found.result == qrl::itemscan::McroName::Found)
        name = found.name;
    return found.result != qrl::itemscan::McroName::Unusable;
}

std::string CProjItem::ReadPclMacroIdText() const
{
    const auto data = readFile();
    return data ? qrl::itemscan::pclMacroIdText(qrl::itemscan::bytesOf(*data)) : std::string();
}
