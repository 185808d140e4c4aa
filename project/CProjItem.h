#pragma once

#include "FileMapEntry.h"
#include "ItemRecord.h"
#include "ResourceTypes.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>

class CQuorlyn32Doc;

// One project item: a resource file with its persistent 306-byte record (stored in the project
// file, copied into the build) and what lives only while the program runs (file name, extension,
// kind, serial, comparison key, missing flag). Every scan opens the file read-only and closes it
// before it answers. The document owns its items.
class CProjItem {
public:
    static constexpr std::size_t kMaxTrueTypeNameLength = 31;
    static constexpr std::size_t kTelluradeNameLength = 4;
    static constexpr std::uint32_t kFirstFontId = 1000;
    static constexpr std::uint32_t kFirstTypefaceId = 10000;

    // An empty item: empty texts, no file.
    CProjItem();
    // A new item from a file: classifies it through the extension map (asking the user when the
    // extension is unmapped), scans it for a name and, for fonts, the font and typeface ids, which
    // are kept free of the ids of `project`, the project the item joins (nullptr: the active one).
    // A cancelled question or a path too long for the record (message shown) leaves an item that
    // the document refuses.
    CProjItem(const QString& path, std::uint32_t fontId, std::uint32_t typefaceId,
              const CQuorlyn32Doc* project = nullptr);
    // An item rebuilt from a stored record; the stored name and numbers are kept.
    explicit CProjItem(const ItemRecord& record);
    ~CProjItem();
    CProjItem(const CProjItem&) = delete;
    CProjItem& operator=(const CProjItem&) = delete;

    QString GetPath() const { return m_path; }
    // The record's name as text (Latin-1 when the stored bytes are not UTF-8).
    QString GetName() const;
    // Stores the name, cut to 32 bytes on a character boundary; a null text changes nothing.
    void SetName(const QString& name);
    // Moves the item to another path: the path, the file name, the extension, the comparison key
    // and the record's path field. False, with nothing changed, when the path does not fit the record.
    bool SetPath(const QString& path);
    // Reads the file's size again unless the file is already known to be missing; a file whose
    // status cannot be read gets size 0 and the missing flag.
    void RefreshFileSize();

    // Reads a PCL macro's id into the record's resource id; FALSE after its message.
    bool VerifyPclMacroId();
    // Writes the body of the PCL macro, closed by ESC & f 1 X, into a ".par" file: `fileName`'s
    // extension is replaced by ".par" and names the file written. FALSE after its message.
    bool WriteParFile(QString& fileName) const;

    // The smallest font id from 1000 (typeface id from 10000) that no item of `project` uses.
    static std::uint32_t NextFreeFontId(const CQuorlyn32Doc* project);
    static std::uint32_t NextFreeTypefaceId(const CQuorlyn32Doc* project);
    static std::uint32_t TypefaceFromFontId(std::uint32_t fontId);
    // The one kind rule of both roads: the font, macro, form and data subtypes give their kind, an
    // extension with its own description (99) a font, any other type byte kKindNone.
    static ResourceKind KindOfSubtype(int subtype);
    // The type word of a kind in an extension mapping: "FONT", "MACRO", "FORM", otherwise "DATA".
    static QString TypeWordOfKind(ResourceKind kind);
    // The key by which items are compared: the canonical path of an existing file, else the
    // cleaned absolute path.
    static QString PathKey(const QString& path);
    static bool FitsPathField(const QString& path);
    // The part of a path after its last separator ('/' or, in paths written on Windows, '\\').
    static QString FileNameOf(const QString& path);
    // The message for a path that does not fit the record.
    static void ShowPathTooLong(const QString& path);

    const ItemRecord& record() const { return m_record; }
    ItemRecord& record() { return m_record; }
    int subtype() const { return m_record.resourceType; }
    ResourceKind kind() const { return m_kind; }
    std::int32_t serial() const { return m_serial; }
    QString fileName() const { return m_fileName; }
    QString extension() const { return m_extension; }
    QString pathKey() const { return m_pathKey; }
    bool isMissing() const { return m_missing; }
    void setMissing(bool missing) { m_missing = missing; }
    // Whether the document is to check a PCL macro's id when it adds the item.
    bool verifyMacroId() const { return m_verifyMacroId; }
    void setVerifyMacroId(bool verify) { m_verifyMacroId = verify; }
    // The unknown-extension question was cancelled.
    bool isCancelled() const { return m_cancelled; }
    // Keeps the extension mapping the user chose for this file in the unknown-extension question
    // (when the answer asked for it to be kept) in the extension map and saves the map. The
    // document calls it once it has taken the item: a file it refuses leaves the map as it was.
    void StoreChosenMapping();
    // The path did not fit the record; the message was shown.
    bool isPathTooLong() const { return m_pathTooLong; }
    // The size the file system gave at the last refresh (the record holds its low 32 bits).
    std::uint64_t fileSizeOnDisk() const { return m_sizeOnDisk; }

private:
    void SplitPath();
    void AssignSubtype();
    bool StoreShortPath();
    void DeriveName();
    void AssignFontIds(const CQuorlyn32Doc* project);
    void UpdateKindFromSubtype();
    void FixStoredName();

    // The file's bytes (the first `limit` when limit >= 0); nothing when it cannot be read.
    std::optional<QByteArray> readFile(qint64 limit = -1) const;
    std::optional<std::uint32_t> ReadPclFontId() const;
    std::uint32_t ReadPclTypeface() const;
    std::optional<std::uint32_t> FindPclTypeface() const;
    std::uint32_t ReadLdfcFontId() const;
    std::string ReadTrueTypeName() const;
    std::string ReadPclFontName() const;
    bool ReadMcroName(std::string& name) const;
    std::string ReadPclMacroIdText() const;

    QString m_fileName;
    QString m_extension;
    ResourceKind m_kind = kKindFont;
    std::int32_t m_serial = -1;
    QString m_path;
    QString m_pathKey;
    ItemRecord m_record;
    bool m_missing = false;
    bool m_verifyMacroId = true;
    bool m_cancelled = false;
    bool m_pathTooLong = false;
    std::uint64_t m_sizeOnDisk = 0;
    std::optional<FileMapEntry> m_chosenMapping;
};
