#pragma once

#include <QString>

#include <cstdint>

namespace qrl {

// What the file system says of a file at one moment: enough to tell whether anyone wrote or
// replaced it since (device, inode, size, and the modification time to the nanosecond).
struct FileStamp {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at `path`, followed through links; `exists` is false when its status
// cannot be read.
FileStamp fileStamp(const QString& path);
// The stamp of an open file descriptor.
FileStamp fileStamp(int fd);

// True when both paths name one file: the same canonical path, or the same device and inode (a
// hard link). False when either is empty or cannot be read.
bool sameFile(const QString& a, const QString& b);

} // namespace qrl
