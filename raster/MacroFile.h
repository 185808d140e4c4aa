// The macro file being written. The old file of that name is deleted first; the new text goes to
// a fresh file beside it, which replaces the name only once every byte has reached the disk.
// A file that is not committed is removed, so a failed write never leaves part of a macro behind.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace pelmora {

class MacroFile {
public:
    MacroFile() = default;
    ~MacroFile();
    MacroFile(const MacroFile&) = delete;
    MacroFile& operator=(const MacroFile&) = delete;

    // Deletes `path` and opens the new file that will take its name; false when it cannot be made.
    bool create(const std::string& path);
    // Appends bytes; false once any write has failed.
    bool write(std::string_view bytes);
    bool write(const unsigned char* bytes, std::size_t size);
    // Flushes, syncs and closes the file and gives it its name; false when any step, or any
    // earlier write, failed (the file is then removed).
    bool commit();

private:
    void discard();

    std::FILE* m_file = nullptr;
    std::string m_path;
    std::string m_partPath;
    bool m_failed = false;
};

} // namespace pelmora
