#pragma once

#include "CProjItem.h"
#include "CProjSett.h"
#include "FileStamp.h"
#include "ProjectFile.h"
#include "ResourceTypes.h"
#include "UserInterface.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class QIODevice;

// A project: its items in project order (at most 256) and its storage settings. AddFile and
// AddItem are the only ways in; they guard the item limit, uniqueness, the medium's capacity and
// the resource checks, and leave the reason of a refusal in CQuorlyn32Err. Core class: messages go
// through qrl::ui(), the modified flag is announced by modifiedChanged().
class CQuorlyn32Doc : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxItems = kMaxProjectItems;
    // The largest file an item can hold: the record keeps the size in 32 bits.
    static constexpr std::uint64_t kMaxFileSize = 0xFFFFFFFFu;

    // How an add ended, beside its BOOL: Added (TRUE), Skipped (a file not found, and the user
    // chose OK: TRUE), Cancelled (not found, Cancel: FALSE), Refused (FALSE; the code in
    // CQuorlyn32Err says why, or the reason was shown).
    enum class AddOutcome { Added, Skipped, Cancelled, Refused };

    // What the bitmap-to-macro dialog works on for an image that is added.
    struct BitmapToMacroRequest {
        QString path; // in: the image; out: the macro file to write
        QString macroName, resolution, unit, positionX, positionY, width, height;
        int colour = 0;
        int orientation = 1;
        int imageType = 0;
    };

    explicit CQuorlyn32Doc(QObject* parent = nullptr);
    ~CQuorlyn32Doc() override;

    // The project of the main frame's active child window; the frames set it. Cleared when that
    // document goes away.
    static CQuorlyn32Doc* GetActive();
    static void SetActive(CQuorlyn32Doc* doc);

    // Items by position and by serial. Accessors given an unknown serial answer an empty value.
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    CProjItem* GetItemAt(int index) const;
    int GetItemIndex(int serial) const;
    CProjItem* GetItem(int serial) const;
    ResourceKind GetItemKind(int serial) const;
    int GetItemSubtype(int serial) const;
    std::uint32_t GetItemID(int serial) const;
    void SetItemID(int serial, std::uint32_t id);
    void SetTypefaceID(int serial, std::uint32_t id);
    int GetSymbolSet(int serial) const;
    void SetSymbolSet(int serial, int index);
    int GetItemFlag(int serial) const;
    void SetItemFlag(int serial, int flag);
    bool IsItemMissing(int serial) const;
    // Renames the item. A TrueType font name longer than 31 bytes is cut after message
    // kFontNameTooLong; any other name longer than its 32 bytes, and a name with a character that
    // has no single byte, is refused after a message (false, the name stays).
    bool SetItemName(int serial, const QString& name);
    QString GetItemPath(int serial) const;
    QString GetItemTypeLabel(int serial) const;
    QString GetItemName(int serial) const;
    QString GetItemSizeText(int serial) const;

    CProjSett& GetProjSett() { return *m_settings; }
    const CProjSett& GetProjSett() const { return *m_settings; }
    // The sum of the items' file sizes, in 64 bits so that no number of items wraps it.
    std::uint64_t GetTotalInBytes() const;
    // Bytes of a storage-size index (999: the project's own); 0 for the custom index.
    std::uint32_t GetCapacityInBytes(int index) const;
    // The serial of the first item of the given item's group (forms, or macros) whose automatic
    // flag is set; -1 when none.
    int FindFlaggedItem(int serial) const;

    // Adds a file by path. `kind` receives the new item's kind, and only when it was added.
    bool AddFile(const QString& path, ResourceKind& kind, AddOutcome* outcome = nullptr);
    // Adds an item built elsewhere; the document owns it from here on and deletes it on refusal.
    bool AddItem(std::unique_ptr<CProjItem> item, ResourceKind& kind, AddOutcome* outcome = nullptr);
    // Adds an item rebuilt from a stored record (the project file reader and the import). A
    // refused record is dropped after its message and the project is marked modified, so a load
    // goes on with the next record; only `Cancelled` asks the reader to stop. The added item or
    // nullptr.
    CProjItem* AddItemFromRecord(const ItemRecord& record, AddOutcome* outcome = nullptr);
    bool RemoveItem(int serial);

    QString SetDocumentDirectory(const QString& directory);
    QString GetDocumentDirectory() const { return m_directory; }

    // The three-part file message in a box of the given buttons; while the show-messages flag is 0
    // nothing is shown and the answer is OK.
    qrl::Answer ShowFileMessage(int formatId, int errorId, int hintId, const QString& fileName,
                                qrl::Buttons buttons = qrl::Buttons::Ok);
    int GetShowMessages() const { return m_showMessages; }
    void SetShowMessages(int show) { m_showMessages = show; }
    bool isFileAvailable(const QString& path) const;
    // Looks for the file at its path, then in the general and the subtype's resource directory;
    // `path` receives the place where it was found.
    bool FindResourceFile(QString& path, int subtype) const;
    // True (after message kMacroNameInProject) when a Tellurade macro of the project has this name.
    bool CheckMacroNameClash(const QString& name) const;
    // 1 BMP, 2 JPEG, 3 TIFF, 0 anything else or an unreadable file.
    int GetImageFileType(const QString& path) const;
    // The bitmap-to-macro dialog for an added image (the one installed with
    // setBitmapToMacroRunner); false when it was not confirmed.
    bool RunBitmapToMacroDlg(BitmapToMacroRequest& request);

    // The framework's document duties.
    QString GetPathName() const { return m_pathName; }
    void SetPathName(const QString& path) { m_pathName = path; }
    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true);
    bool OnNewDocument();
    bool OnOpenDocument(const QString& path);
    // Writes the project whole through the one file writer: the old file is replaced only by a
    // complete one. A failed save is reported with its cause and leaves the document modified.
    bool OnSaveDocument(const QString& path);
    bool OnFileSave();
    bool OnFileSaveAs();

    // A save onto the project's own file asks first when the file was written or replaced since
    // this project read or saved it (by another program, say), and a save onto the file of
    // another open project asks too; No saves nothing.
    // The open project, other than `except`, whose file `path` names; nullptr when there is none.
    static CQuorlyn32Doc* FindOpenDocument(const QString& path, const CQuorlyn32Doc* except = nullptr);

    // The project file format: reading, writing and the import of older projects. `path` names
    // the file in messages.
    int GetProjectFileKind(QIODevice& file);
    bool ReadProjectFile(QIODevice& file, const QString& path);
    bool ImportDosProject(QIODevice& file, const QString& path);
    // Opening: an unknown file is refused with its message, an older one imported, a current one read.
    bool LoadDocumentFile(QIODevice& file, const QString& path);
    // Writes the header and the records; false when the device refuses any of it.
    virtual bool WriteProjectFile(QIODevice& file);
    // The content check of a resource file before it enters the project.
    virtual bool ValidateItemFile(const QString& path, int subtype);

    // An imported older project stays untitled: its first save asks for a name, proposing the
    // old file's, so the older project is never overwritten without a question.
    void SetImportedFrom(const QString& oldPath) { m_importedFrom = oldPath; }
    QString GetImportedFrom() const { return m_importedFrom; }
    // The message that the project holds the most items it can have.
    void ShowItemLimitMessage() const;

signals:
    void modifiedChanged(bool modified);

private:
    bool refreshCapacity(std::uint64_t bytesToAdd) const;
    // The question before a save onto `path` overwrites what another program or window wrote;
    // true when the save may go on.
    bool maySaveOver(const QString& path) const;

    std::unique_ptr<CProjSett> m_settings;
    std::vector<std::unique_ptr<CProjItem>> m_items;
    QString m_directory;
    int m_showMessages = 1;
    QString m_pathName;
    QString m_importedFrom;
    // The project file as this project last read or wrote it.
    qrl::FileStamp m_fileStamp;
    bool m_modified = false;
};
