#include "CProjItem.h"

#include "AppContext.h"
#include "CGlobalPrefs.h"
#include "CQuorlyn32Doc.h"
#include "FileMessages.h"
#include "RasterTextIds.h"
#include "RecordText.h"
#include "ResourceTypes.h"
#include "UnknownExtensionQuestion.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace {

const char* const kPathTooLong = "The full path of the file is longer than 255 bytes.";

void upperAscii(std::string& text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
}

} // namespace

CProjItem::CProjItem() = default;

CProjItem::CProjItem(const QString& path, std::uint32_t fontId, std::uint32_t typefaceId,
                     const CQuorlyn32Doc* project)
    : m_path(QDir::isRelativePath(path) ? QFileInfo(path).absoluteFilePath() : path)
{
    m_record.resourceId = fontId;
    m_record.typefaceId = typefaceId;
    SplitPath();
    m_serial = qrl::context().nextItemSerial();
    // A path the record cannot hold is refused before the user is asked anything about the file.
    if (!StoreShortPath()) {
        m_pathTooLong = true;
        ShowPathTooLong(m_path);
        return;
    }
    AssignSubtype();
    if (m_cancelled)
        return;
    RefreshFileSize();
    DeriveName();
    AssignFontIds(project ? project : CQuorlyn32Doc::GetActive());
    m_record.automaticFlag = 0;
}

CProjItem::CProjItem(const ItemRecord& record)
    : m_path(qrl::recordtext::pathText(record.path)), m_record(record)
{
    qrl::AppContext& context = qrl::context();
    if (context.logs(9)) {
        context.logText(9, QStringLiteral("INFO\r\n"));
        context.logText(9, QStringLiteral("Because of VISTA x64 problem do not try to long name\r\n"));
    }
    SplitPath();
    RefreshFileSize();
    UpdateKindFromSubtype();
    FixStoredName();
    m_serial = context.nextItemSerial();
}

CProjItem::~CProjItem() = default;

QString CProjItem::GetName() const
{
    return qrl::recordtext::nameText(m_record.name);
}

void CProjItem::SetName(const QString& name)
{
    if (name.isNull())
        return;
    m_record.name = qrl::recordtext::cut(qrl::recordtext::nameBytes(name), ItemRecord::kMaxNameLength);
}

bool CProjItem::SetPath(const QString& path)
{
    if (!FitsPathField(path))
        return false;
    m_path = path;
    SplitPath();
    m_record.path = qrl::recordtext::pathBytes(path);
    return true;
}

bool CProjItem::FitsPathField(const QString& path)
{
    return qrl::recordtext::pathBytes(path).size() <= ItemRecord::kMaxPathLength;
}

void CProjItem::ShowPathTooLong(const QString& path)
{
    ShowFileError(qrl::ids::kFileErrorFormat, QString::fromLatin1(kPathTooLong), qrl::ids::kHintNotInserted,
                  path);
}

QString CProjItem::PathKey(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

QString CProjItem::FileNameOf(const QString& path)
{
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(slash + 1);
}

void CProjItem::SplitPath()
{
    m_fileName = FileNameOf(m_path);
    const qsizetype dot = m_fileName.lastIndexOf(QLatin1Char('.'));
    m_extension = dot >= 0 ? m_fileName.mid(dot + 1) : QString();
    m_pathKey = PathKey(m_path);
}

bool CProjItem::StoreShortPath()
{
    if (!FitsPathField(m_path))
        return false;
    m_record.path = qrl::recordtext::pathBytes(m_path);
    return true;
}

void CProjItem::RefreshFileSize()
{
    if (m_missing)
        return;
    const QFileInfo info(m_path);
    if (!info.exists()) {
        m_sizeOnDisk = 0;
        m_record.fileSize = 0;
        m_missing = true;
        return;
    }
    m_sizeOnDisk = static_cast<std::uint64_t>(info.size());
    m_record.fileSize = static_cast<std::uint32_t>(m_sizeOnDisk);
}

QString CProjItem::TypeWordOfKind(ResourceKind kind)
{
    switch (kind) {
    case kKindFont:
        return QStringLiteral("FONT");
    case kKindMacro:
        return QStringLiteral("MACRO");
    case kKindForm:
        return QStringLiteral("FORM");
    default:
        return QStringLiteral("DATA");
    }
}

ResourceKind CProjItem::KindOfSubtype(int subtype)
{
    if (subtype >= kTrueTypeFont && subtype <= kZentrixBitmapFont)
        return kKindFont;
    if (subtype == kPclMacro || subtype == kTelluradeMacro)
        return kKindMacro;
    if (subtype == kApplicationForm)
        return kKindForm;
    if (subtype == kProgramData)
        return kKindData;
    if (subtype == kSubtypeUnknownDescription)
        return kKindFont;
    return kKindNone;
}

void CProjItem::AssignSubtype()
{
    CGlobalPrefs* prefs = activePrefs();
    // A name without a '.' has no extension, and no mapping can stand for it.
    int type = prefs && !m_extension.isEmpty() ? prefs->SubtypeByExtension(m_extension) : kSubtypeUnmapped;
    if (type == kSubtypeUnmapped) {
        const auto choice = unknownExtensionQuestion().ask(m_path);
        if (!choice || choice->subtype < 0 || choice->subtype >= kSubtypeCount) {
            m_cancelled = true;
            type = kTrueTypeFont;
        } else {
            type = choice->subtype;
            m_record.name.clear();
            // An empty extension or one holding the map's separators would corrupt the stored map:
            // the file is still classified as chosen, but no such mapping is kept.
            if (choice->remember && CGlobalPrefs::isStorableExtension(m_extension))
                m_chosenMapping =
                    FileMapEntry{TypeWordOfKind(KindOfSubtype(type)), m_extension, subtypeName(type), 0};
        }
    }
    m_record.resourceType = static_cast<std::uint8_t>(type);
    m_kind = KindOfSubtype(type);
}

void CProjItem::StoreChosenMapping()
{
    if (!m_chosenMapping)
        return;
    FileMapEntry entry = *std::exchange(m_chosenMapping, std::nullopt);
    CGlobalPrefs* prefs = activePrefs();
    // Another file of the same extension may have been taken since this one was asked about.
    if (!prefs || prefs->SubtypeByExtension(entry.extension) != kSubtypeUnmapped)
        return;
    entry.row = prefs->count();
    prefs->Add(entry);
    prefs->Save();
}

void CProjItem::DeriveName()
{
    const int type = subtype();
    std::string name;
    if (!m_missing) {
        if (type == kTrueTypeFont)
            name = ReadTrueTypeName();
        else if (type == kPclMacro)
            name = ReadPclMacroIdText();
        else if (type == kPclEoFont || type == kPclBitmapPortraitFont)
            name = ReadPclFontName();
    }
    if (name.empty()) {
        const qsizetype dot = m_fileName.indexOf(QLatin1Char('.'));
        name = qrl::recordtext::nameBytes(dot >= 0 ? m_fileName.left(dot) : m_fileName);
    }
    if (type == kTelluradeMacro && !m_missing) {
        if (!ReadMcroName(name))
            name = qrl::recordtext::cut(name, kTelluradeNameLength);
        upperAscii(name);
    }
    m_record.name = qrl::recordtext::cut(name, ItemRecord::kMaxNameLength);
}

void CProjItem::UpdateKindFromSubtype()
{
    m_kind = KindOfSubtype(subtype());
}

void CProjItem::FixStoredName()
{
    m_record.name = qrl::recordtext::storedName(m_record.name);
    // The cut bytes are read once more: a cut can leave only the part of a name that reads as an
    // earlier build's UTF-8, and the next load would read it so.
    if (subtype() == kTelluradeMacro && !m_missing)
        m_record.name =
            qrl::recordtext::storedName(qrl::recordtext::cut(m_record.name, kTelluradeNameLength));
}
