#include "CGlobalPrefs.h"

#include "Profile.h"
#include "ProjectTextIds.h"
#include "Replaceable.h"
#include "ResourceTypes.h"
#include "SettingsKeys.h"
#include "StringTable.h"
#include "TextFormat.h"
#include "UserInterface.h"

#include <array>

namespace {

const QString kMapSection = qrl::settings::keyText(qrl::settings::kFileMapSection);

constexpr std::array<const char*, 10> kBuiltInRows = {
    "ttf;FONT;True Type Font",
    "sfs;FONT;HP PCL EO Font",
    "sfp;FONT;HP Bitmap Portrait Font",
    "sfl;FONT;HP Bitmap Landscape Font",
    "ldf;FONT;Zentrix Bitmap Font",
    "pcl;MACRO;PCL Macro",
    "tlr;MACRO;Tellurade Macro",
    "mcr;MACRO;Tellurade Macro",
    "prn;FORM;Application Generated Form",
    "prg;DATA;Program Data",
};

ResourceKind kindOfTypeWord(const QString& word, ResourceKind otherWord)
{
    if (word == QLatin1String("FONT"))
        return kKindFont;
    if (word == QLatin1String("MACRO"))
        return kKindMacro;
    if (word == QLatin1String("FORM"))
        return kKindForm;
    if (word == QLatin1String("DATA"))
        return kKindData;
    return otherWord;
}

} // namespace

CGlobalPrefs::CGlobalPrefs(QString fileVersionText) : m_fileVersionText(std::move(fileVersionText))
{
}

bool CGlobalPrefs::Load()
{
    return CheckVersion() && LoadRows();
}

bool CGlobalPrefs::CheckVersion()
{
    qrl::Profile& profile = qrl::profile();
    if (!qrl::isStored(profile, qrl::settings::kVersion)) {
        // A first run: mappings of an earlier installation are dropped.
        if (!profile.removeSection(kMapSection) ||
            !qrl::write(profile, qrl::settings::kVersion, m_fileVersionText)) {
            qrl::ui().message(qrl::text(qrl::ids::kRegistryError), qrl::Buttons::Ok, qrl::Icon::Error);
            return false;
        }
    }
    return true;
}

bool CGlobalPrefs::LoadRows()
{
    const qrl::Profile& profile = qrl::profile();
    m_entries.clear();
    int rows = 0;
    while (profile.contains(kMapSection, qrl::settings::fileMapEntry(rows)))
        ++rows;
    const bool defaults = rows == 0;
    if (defaults)
        rows = static_cast<int>(kBuiltInRows.size());
    for (int row = 0; row < rows; ++row) {
        const QString fallback =
            defaults ? QString::fromLatin1(kBuiltInRows[static_cast<std::size_t>(row)]) : QString();
        const QString value = profile.getString(kMapSection, qrl::settings::fileMapEntry(row), fallback);
        // An empty value would end the map here and lose the rows after it at the next save.
        if (value.isEmpty())
            continue;
        appendRow(value, row);
    }
    return rows > 0;
}

void CGlobalPrefs::appendRow(const QString& value, int row)
{
    FileMapEntry entry;
    entry.row = row;
    const qsizetype first = value.indexOf(QLatin1Char(';'));
    const qsizetype last = value.lastIndexOf(QLatin1Char(';'));
    QString extensions;
    if (first < 0) {
        entry.description = value;
    } else {
        extensions = value.left(first);
        entry.typeWord = first < last ? value.mid(first + 1, last - first - 1) : QString();
        entry.description = value.mid(last + 1);
    }
    qsizetype comma;
    while ((comma = extensions.indexOf(QLatin1Char(','))) >= 0) {
        entry.extension = extensions.left(comma);
        m_entries.push_back(entry);
        extensions = extensions.mid(comma + 1);
    }
    entry.extension = extensions;
    m_entries.push_back(entry);
}

bool CGlobalPrefs::Save() const
{
    qrl::Profile& profile = qrl::profile();
    bool ok = profile.removeSection(kMapSection);
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const FileMapEntry& e = m_entries[i];
        ok = profile.setString(kMapSection, qrl::settings::fileMapEntry(static_cast<int>(i)),
                               e.extension + QLatin1Char(';') + e.typeWord + QLatin1Char(';') +
                                   e.description) &&
             ok;
    }
    return ok;
}

const FileMapEntry* CGlobalPrefs::FindByExtension(const QString& extension) const
{
    const QString key = extension.toLower();
    for (const FileMapEntry& e : m_entries)
        if (e.extension.toLower() == key)
            return &e;
    return nullptr;
}

int CGlobalPrefs::SubtypeByExtension(const QString& extension) const
{
    const FileMapEntry* e = FindByExtension(extension);
    if (!e)
        return kSubtypeUnmapped;
    for (int s = 0; s < kSubtypeCount; ++s)
        if (e->description == QLatin1String(kSubtypeNames[static_cast<std::size_t>(s)]))
            return s;
    return kSubtypeUnknownDescription;
}

ResourceKind CGlobalPrefs::KindByExtension(const QString& extension) const
{
    const FileMapEntry* e = FindByExtension(extension);
    return e ? kindOfTypeWord(e->typeWord, kKindForm) : kKindNone;
}

QString CGlobalPrefs::ExtensionOfSubtype(int subtype) const
{
    const QString name = subtypeName(subtype);
    if (name.isEmpty())
        return {};
    for (const FileMapEntry& e : m_entries)
        if (e.description == name)
            return e.extension;
    return {};
}

const FileMapEntry* CGlobalPrefs::EntryOfSubtype(int subtype) const
{
    const QString extension = ExtensionOfSubtype(subtype);
    return extension.isEmpty() ? nullptr : FindByExtension(extension);
}

QString CGlobalPrefs::DescriptionOfSubtype(int subtype) const
{
    const FileMapEntry* e = EntryOfSubtype(subtype);
    return e ? e->description : QString();
}

ResourceKind CGlobalPrefs::KindOfSubtype(int subtype) const
{
    const FileMapEntry* e = EntryOfSubtype(subtype);
    return e ? kindOfTypeWord(e->typeWord, kKindNone) : kKindNone;
}

void CGlobalPrefs::Add(const FileMapEntry& entry)
{
    m_entries.push_back(entry);
}

void CGlobalPrefs::RemoveAt(int position)
{
    if (position < 0 || position >= count())
        return;
    m_entries.erase(m_entries.begin() + position);
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        m_entries[i].row = static_cast<int>(i);
}

void CGlobalPrefs::RemoveAll()
{
    m_entries.clear();
}

bool CGlobalPrefs::isStorableExtension(const QString& extension)
{
    return !extension.isEmpty() && !extension.contains(QLatin1Char(';')) &&
           !extension.contains(QLatin1Char(','));
}

namespace {
qrl::Replaceable<CGlobalPrefs> installedPrefs;
} // namespace

CGlobalPrefs* activePrefs()
{
    return installedPrefs.get();
}

CGlobalPrefs* setActivePrefs(CGlobalPrefs* prefs)
{
    return installedPrefs.replace(prefs);
}
