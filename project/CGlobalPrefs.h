#pragma once

#include "FileMapEntry.h"
#include "ResourceTypes.h"

#include <QString>

#include <vector>

// The extension map: what kind and type of resource a file is, from its extension. Loaded from the
// profile key "File Mappings" ("Map #0", "Map #1", ... each "ext;TYPEWORD;description"), with ten
// built-in rows when the key holds none.
class CGlobalPrefs {
public:
    explicit CGlobalPrefs(QString fileVersionText = {});
    virtual ~CGlobalPrefs() = default;

    bool Load();
    bool Save() const;

    const FileMapEntry* FindByExtension(const QString& extension) const;
    int SubtypeByExtension(const QString& extension) const;
    ResourceKind KindByExtension(const QString& extension) const;
    QString ExtensionOfSubtype(int subtype) const;
    const FileMapEntry* EntryOfSubtype(int subtype) const;
    QString DescriptionOfSubtype(int subtype) const;
    ResourceKind KindOfSubtype(int subtype) const;

    void Add(const FileMapEntry& entry);
    void RemoveAt(int position);
    void RemoveAll();
    const FileMapEntry& GetAt(int position) const { return m_entries.at(static_cast<std::size_t>(position)); }
    int count() const { return static_cast<int>(m_entries.size()); }

    // True when the text can be stored as a mapping's extension (not empty, no ";" or ",").
    static bool isStorableExtension(const QString& extension);

private:
    bool CheckVersion();
    bool LoadRows();
    void appendRow(const QString& value, int row);

    QString m_fileVersionText;
    std::vector<FileMapEntry> m_entries;
};

// The extension map the project reads: the application's, installed when it has loaded it;
// nullptr when none is. Not owned. Returns the previous one.
CGlobalPrefs* activePrefs();
CGlobalPrefs* setActivePrefs(CGlobalPrefs* prefs);
