// The one way a file the user keeps is written: every byte written, counted on disk and synced
// before the file replaces anything. Linux calls only, so that the program and both libraries
// write through the same code.
//
// - A regular file (or a path that does not exist yet) is replaced by a rename where the new file
//   can carry everything the old one had: one link, an owner and group this process may give it,
//   a folder it may write. The new file is unnamed where the file system allows, else named for
//   this save alone (".qrl-<file>-<save>.part") and locked while the save runs, so that a save
//   removes only what dead saves left. It is 0600 until it takes the old mode, owner and group.
// - Any other regular file is written in place, one save at a time: once the new content is whole
//   in a private copy, the earlier content is copied and synced to "<name>.qrl-backup" beside it
//   (privately to the temporary folder where its folder may not be written); then the length is
//   reserved, the file overwritten and synced, and the copy removed. A backup a dead save left
//   goes only when it holds what the file holds, else the next number is taken. The name must
//   still name the file before the first byte and before the answer, else the save fails as
//   Replaced.
// - A symbolic link is written through to its target; the link stays a link.
// - A path that is not a regular file (a device such as /dev/null or a printer port, a named
//   pipe) is written in place as the bytes come: it is never replaced or removed.
// - A directory is refused.
// The run's own scratch files (FileUse::Scratch) take the rename always, replace a link rather
// than follow it, and are not synced: only files the user keeps pay for the sync.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qrl {

// Why a write failed, as far as the user can act on it.
enum class WriteError {
    None,
    DiskFull,       // no space left (ENOSPC, EDQUOT)
    TooLarge,       // the file would exceed what the file system or a limit allows (EFBIG)
    Permission,     // EACCES, EPERM
    ReadOnly,       // EROFS
    NotRegularFile, // a directory, or a path that cannot hold a file
    Replaced,       // the name stopped naming the file written in place (ESTALE)
    Other,
};

// The reason for a C library error number.
WriteError writeErrorFromErrno(int error);

// What a written file is to the run.
enum class FileUse {
    Kept,    // a file the user keeps: its rights stay, the bytes are synced
    Scratch, // a file of the run's working folder: replaced whole, never synced
};

class WholeFileWriter {
public:
    WholeFileWriter() = default;
    // Abandons a file that was not committed.
    ~WholeFileWriter();
    WholeFileWriter(const WholeFileWriter&) = delete;
    WholeFileWriter& operator=(const WholeFileWriter&) = delete;

    // Starts the file for `path`. False with error() set when it cannot be started; nothing is
    // touched then.
    bool open(const std::string& path, FileUse use = FileUse::Kept);
    // Appends bytes. False once any write failed; later writes are refused.
    bool write(const void* data, std::size_t size);
    bool write(std::string_view bytes) { return write(bytes.data(), bytes.size()); }
    // Writes the rest, checks the size on disk, syncs and puts the file in place. False with
    // error() set when any step failed; the earlier file then stays as it was and the new one is
    // gone.
    bool commit();
    // Puts the finished file `source` in place as the whole content (nothing may have been
    // written): moved by a rename where the rule above allows one and `source` lies on the same
    // file system, else copied. `source` is gone after a move and stays after a copy. A
    // `transform` is applied to the bytes in the same pass, in blocks of an even length but the
    // last: to `source` itself before a move, on the way during a copy.
    using BlockTransform = void (*)(unsigned char* data, std::size_t size);
    bool commitFrom(const std::string& source, BlockTransform transform = nullptr);
    // Drops the new file (a device or pipe keeps what it has received).
    void abandon();

    bool isOpen() const { return m_fd >= 0; }
    // True when the path is written in place as the bytes come (a device or a pipe).
    bool isDirect() const { return m_mode == Mode::Direct; }
    std::size_t bytesWritten() const { return m_written; }
    WriteError error() const { return m_error; }
    // The C library error number behind error(), 0 when there is none.
    int errorNumber() const { return m_errno; }

private:
    enum class Mode { Closed, Direct, Rename, InPlace };

    bool fail(int error);
    bool openScratch();
    bool decideRename(nlink_t links);
    bool flushBuffer();
    bool writeOut(const void* data, std::size_t size);
    bool transformInPlace(int fd, std::size_t size, BlockTransform transform);
    bool writeInPlace();
    bool makeBackup();
    bool copyBack(int from, std::size_t size);
    void dropBackup();
    bool stillNamesTarget() const;
    bool putScratchInPlace(int fd);
    void closeAll();

    FileUse m_use = FileUse::Kept;
    Mode m_mode = Mode::Closed;
    int m_fd = -1;       // where write() goes: the device, the new file or the private copy
    int m_targetFd = -1; // the earlier file, written in place
    bool m_targetReadable = false;
    int m_backupFd = -1;
    std::string m_backup; // the earlier content's copy while the file is written in place
    bool m_unnamed = false;
    bool m_hasOld = false;
    uid_t m_oldUid = 0;
    gid_t m_oldGid = 0;
    mode_t m_oldMode = 0;
    std::string m_target;  // the file that is replaced (a link's target)
    std::string m_folder;  // its folder
    std::string m_scratch; // the new file's own name in the folder, while it has one
    std::vector<char> m_buffer;
    std::size_t m_written = 0;
    off_t m_fileOffset = 0; // where the next write lands in m_fd
    bool m_failed = false;
    WriteError m_error = WriteError::None;
    int m_errno = 0;
};

// Writes `size` bytes as the whole content of `path` (see above). On failure `error` (when given)
// receives the reason and `errorNumber` the C library error number.
bool writeWholeFile(const std::string& path, const void* data, std::size_t size, WriteError* error = nullptr,
                    int* errorNumber = nullptr);

// The copies of the earlier content that saves in place of `path` left behind (killed, or failed
// in the middle and unable to put the earlier content back): beside the file or in the temporary
// folder, lowest number first.
std::vector<std::string> backupsOf(const std::string& path);

// Creates `path` as a new regular file of this process, never through a link: whatever stands at
// the path (a file, a link, a pipe) is removed first, then the file is created exclusively.
// A file descriptor, or -1 with errno set. For scratch files in a working folder.
int createExclusive(const std::string& path);

// Writes all `size` bytes to `fd`, retrying short writes. False with errno set.
bool writeAll(int fd, const void* data, std::size_t size);

} // namespace qrl
