// What the one writer's two halves share (WholeFile.cpp, the save by a rename; WholeFileInPlace.cpp,
// the save in place): the names beside a file, the lock a running save holds, folder sync.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace qrl::detail {

// Bytes gathered before each write call, and the block of a copy.
constexpr std::size_t kWriteBlock = 1 << 20;
constexpr mode_t kPrivateMode = 0600;

int errnoOr(int fallback);
std::string folderOf(const std::string& path);
std::string inFolder(const std::string& folder, const std::string& name);
std::string fileNameOf(const std::string& path);
// FNV-1a of `text`.
std::uint64_t nameHash(const std::string& text);

// Marks `fd`, a file this save has just made, as the file of a running save. Other saves see the
// lock and leave the file alone; it goes with the process, so what a dead save left is free. Waits
// while another save's sweep holds it for a moment: the caller then checks that its name still
// names the file (claimDeadFile may have removed it).
void holdSaveLock(int fd);

// Opens the file `name` in the folder `folderFd` and takes its save lock when no running save
// holds it and the name still names the opened file. The descriptor (the lock held), or -1.
int claimDeadFile(int folderFd, const std::string& name);

// The copies a save in place keeps of the earlier content: numbered from 1, beside `target` or,
// where its folder may not be written, in the temporary folder (named after the folder as well).
constexpr int kBackupLimit = 99;
std::string backupPath(const std::string& target, int number, bool inTemp);

// Makes the folder's entries (a rename, a new name) durable. A folder that cannot be opened for
// it (no read right) or a file system without folder sync is left to its own write-back.
void syncFolder(const std::string& folder);

} // namespace qrl::detail
