#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>
#include <optional>

class ToolDataImage;

// The tool data file "tooldata.dat" of the printer tools: where it lives, its creation with a
// skeleton when it is missing, one reader per entry and the writing of a whole new content. Every
// operation opens the file, does its work and closes it again; no handle is held between calls.
// Readers and writers show the file's error in a message box when the file cannot be opened,
// read or written, and then fail.
class CToolDataFile {
public:
    // The file read and the file written. They differ when the program's folder holds a copy
    // that cannot be replaced: it is read until the first write puts the user's own copy in place.
    struct Location {
        QString readPath;
        QString writePath;
        // The file read lies beside the program: it is read only while qrl::isTrustedProgramFile
        // holds for it when opened.
        bool readBesideProgram = false;
    };
    // The file beside the program, or in the user's data folder when the program's folder is not
    // writable; a copy in the user's data folder is always the one used. A file beside the program
    // that qrl::isTrustedProgramFile refuses (another user's, or one others may write) is never
    // read: the user's own file is used instead.
    static Location locate(const QString& programDirectory, const QString& userDirectory,
                           bool programDirectoryWritable);
    // The location for this program: its own folder when isOwnWritableFolder(), else the user's
    // application data folder.
    static Location defaultLocation();
    // True for a folder this user may write and owns.
    static bool isOwnWritableFolder(const QString& directory);

    // Locates the file and runs OpenOrCreate; its result goes to `ok`.
    explicit CToolDataFile(bool& ok);
    CToolDataFile(const Location& location, bool& ok);

    // 1 when the constructor had to create the file with the skeleton, else 0.
    int created() const { return m_created; }
    const Location& location() const { return m_location; }

    // Succeeds when the file can be opened for reading; a missing file is created with the
    // skeleton (CreateSkeleton). Any other failure shows its message and fails.
    bool OpenOrCreate();
    // Writes the skeleton and sets the created flag.
    bool CreateSkeleton();

    // The values of "[CALL_MCRO]", "[CALL_PARAM]", "[CALL_RPT]" and "[MACRO_FILE]". A missing
    // tag fails silently and leaves the value unchanged.
    bool ReadCallMacro(QByteArray& value);
    bool ReadCallParam(QByteArray& value);
    bool ReadCallRepeat(QByteArray& value);
    bool ReadMacroFile(QByteArray& path);
    // The next custom macro name at or after `offset` (qrl::tooldata::nextCustomMacroName).
    bool NextCustomMacroName(qint64& offset, QByteArray& name);
    // The text of the named custom macro; fails silently when its tag is not found.
    bool ReadCustomMacro(const QByteArray& name, QByteArray& text);

    // Replaces the file by the image, whole and at once through the one writer: a failed write
    // leaves the previous file as it was and shows why. Later reads read the file written.
    bool Write(const ToolDataImage& image);

private:
    // Opens the file read; shows why and fails when it cannot be opened or may not be read.
    bool open(QFile& file) const;
    bool load(QByteArray& bytes) const;
    // Loads the file and runs `reader` over its bytes; `value` is set when it finds something.
    bool readWith(const std::function<std::optional<QByteArray>(const QByteArray&)>& reader,
                  QByteArray& value);
    bool readTag(const char* tag, QByteArray& value);
    bool commit(const QByteArray& bytes);

    Location m_location;
    int m_created = 0;
};
