#pragma once

#include <QString>

#include <cstddef>
#include <functional>
#include <span>
#include <vector>

// A resource file opened for a content check or a font-number scan. Its size comes from the file
// system; its bytes are read in one block into memory that the check owns, so every scan works
// on one bounded view of exactly the file's bytes, and a file cut short while it is read (a
// download still running, a file being regenerated) is a refusal, never a fault.
class ResourceCheckFile {
public:
    explicit ResourceCheckFile(const QString& path);
    ResourceCheckFile(const ResourceCheckFile&) = delete;
    ResourceCheckFile& operator=(const ResourceCheckFile&) = delete;

    // False when the file cannot be opened or its bytes cannot be read whole.
    bool ok() const { return m_ok; }
    std::size_t size() const { return m_bytes.size(); }
    std::span<const unsigned char> bytes() const { return m_bytes; }

    // For tests: runs between the size query and the read, so that a test can change the file
    // there. An empty function removes it.
    static void setBeforeRead(std::function<void(const QString& path)> hook);

private:
    std::vector<unsigned char> m_bytes;
    bool m_ok = false;
};
