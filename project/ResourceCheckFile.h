#pragma once

#include <QFile>
#include <QString>

#include <cstddef>
#include <span>
#include <vector>

// A resource file opened for a content check or a font-number scan. Its size comes from the file
// system; its bytes are read in one block (large files are mapped), so every scan works on one
// bounded view of exactly the file's bytes.
class ResourceCheckFile {
public:
    explicit ResourceCheckFile(const QString& path);
    ~ResourceCheckFile();
    ResourceCheckFile(const ResourceCheckFile&) = delete;
    ResourceCheckFile& operator=(const ResourceCheckFile&) = delete;

    // False when the file cannot be opened or its bytes cannot be read whole.
    bool ok() const { return m_ok; }
    std::size_t size() const { return m_bytes.size(); }
    std::span<const unsigned char> bytes() const { return m_bytes; }

private:
    QFile m_file;
    std::vector<unsigned char> m_buffer;
    uchar* m_map = nullptr;
    std::span<const unsigned char> m_bytes;
    bool m_ok = false;
};
