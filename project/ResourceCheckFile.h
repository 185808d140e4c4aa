#pragma once

#include <QFile>
#include <QString>

#include <cstddef>
#include <span>
#include <vector>

// A resource file opened for a content check or a font-number scan. Its size comes from the file
// system when it is opened; its bytes are read on demand through one window of bounded size, so a
// check holds no more of a file than the window whatever the file's size. A read that brings fewer
// bytes than the size promised (a download still running, a file being regenerated) marks the
// file as not ok, and the check refuses it; it never faults.
class ResourceCheckFile {
public:
    static constexpr std::size_t kWindow = std::size_t{64} * 1024;

    // Opens the file and reads its first window.
    explicit ResourceCheckFile(const QString& path);
    ResourceCheckFile(const ResourceCheckFile&) = delete;
    ResourceCheckFile& operator=(const ResourceCheckFile&) = delete;

    // False when the file cannot be opened or a read so far fell short of its size.
    bool ok() const { return m_ok; }
    std::size_t size() const { return m_size; }
    // The byte at `pos`, or -1 when it lies past the size or cannot be read.
    int at(std::size_t pos)
    {
        if (pos - m_windowStart < m_windowLength)
            return m_window[pos - m_windowStart];
        return load(pos) ? m_window[0] : -1;
    }
    // The bytes from `offset` on, at most `count` of them and only those inside the file; empty
    // when they cannot be read. Valid until the next call.
    std::span<const unsigned char> bytes(std::size_t offset, std::size_t count);

private:
    bool load(std::size_t pos);

    QFile m_file;
    std::vector<unsigned char> m_window;
    std::size_t m_windowStart = 0;
    std::size_t m_windowLength = 0;
    std::size_t m_size = 0;
    bool m_ok = false;
};
