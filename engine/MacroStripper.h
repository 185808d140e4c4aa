// Strips a printer-language macro source of the command-mode framing the printer would otherwise
// execute when the macro is loaded: the "!R!" start sequences, comments (CMNT), delimiter changes
// (DELM), EXIT commands, and the MCRO header, which becomes a single "%".
//
// Keywords count only at the start of a command (the start of the source, after "!R!", after a
// ";"), so names and parameters that contain them pass unchanged; quoted strings are copied
// verbatim. Raster data that may hold any byte passes unchanged as well: the counted rows
// ("count," and that many bytes) after an RVCL command, and the image bytes after a GRRD command up
// to the last ";ENDG" of the source.
//
// The source is read through a window of bounded size and the stripped text leaves in blocks, so
// a macro of any size strips in the same small memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vintrel {

class MacroStripper {
public:
    // Reads exactly `count` bytes at `offset` of the source into `buffer`; false when it cannot.
    using Reader = std::function<bool(std::uint64_t offset, char* buffer, std::size_t count)>;
    // Takes the next `count` stripped bytes; false when they cannot be kept.
    using Writer = std::function<bool(const char* data, std::size_t count)>;

    static constexpr std::size_t kWindow = std::size_t{256} * 1024;
    // The stripped text leaves in blocks of about this size.
    static constexpr std::size_t kOutBlock = std::size_t{256} * 1024;

    // The stripped text of `source`; never longer than the source.
    static std::string strip(std::string_view source);
    // Strips the `size` bytes that `read` gives, in order into `write`, reading at most `window`
    // bytes at a time. False when a read or a write failed; what was written is then incomplete.
    static bool strip(std::uint64_t size, const Reader& read, const Writer& write,
                      std::size_t window = kWindow);

private:
    MacroStripper(std::uint64_t size, const Reader& read, const Writer& write, std::size_t window);

    bool run();
    bool more(std::uint64_t pos) const { return !m_failed && pos < m_size; }
    std::uint64_t remaining(std::uint64_t pos) const { return more(pos) ? m_size - pos : 0; }
    char at(std::uint64_t pos);
    bool load(std::uint64_t pos);
    void emit(const char* data, std::size_t count);
    void emit(char c)
    {
        m_out.push_back(c);
        if (m_out.size() >= kOutBlock)
            flush();
    }
    void flush();
    void copyRange(std::uint64_t from, std::uint64_t to);
    std::uint64_t find(char c, std::uint64_t from);
    std::uint64_t ordinaryRunEnd(std::uint64_t from);
    std::uint64_t lastImageEnd();
    std::uint64_t findLastImageEnd(std::uint64_t from);
    void fail() { m_failed = true; }

    bool atCommandModeStart();
    bool keywordAt(std::uint64_t pos, std::string_view keyword);
    bool handleCommandStart();
    bool copyRasterRow();
    void copyImageData();
    void copyQuoted();
    void replaceMacroHeader();
    void dropThroughSemicolon();
    void skipFraming();

    const Reader& m_read;
    const Writer& m_write;
    std::uint64_t m_size;
    // Both buffers belong to the thread and serve every strip it runs (see the source).
    std::vector<char>& m_window;
    std::size_t m_windowSize;
    std::uint64_t m_windowStart = 0;
    std::size_t m_windowLength = 0;
    std::string& m_out;
    std::uint64_t m_pos = 0;
    std::uint64_t m_imageEnd = 0;
    bool m_imageEndKnown = false;
    bool m_failed = false;
    bool m_atCommandStart = true;
    bool m_rasterRows = false;   // after RVCL: counted binary rows may follow
    bool m_imageFollows = false; // after GRRD: image bytes follow its ";"
};

} // namespace vintrel
