// Strips a printer-language macro source of the command-mode framing the printer would otherwise
// execute when the macro is loaded: the "!R!" start sequences, comments (CMNT), delimiter changes
// (DELM), EXIT commands, and the MCRO header, which becomes a single "%".
//
// Keywords count only at the start of a command (the start of the source, after "!R!", after a
// ";"), so names and parameters that contain them pass unchanged; quoted strings are copied
// verbatim. Raster data that may hold any byte passes unchanged as well: the counted rows
// ("count," and that many bytes) after an RVCL command, and the image bytes after a GRRD command up
// to the last ";ENDG" of the source.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vintrel {

class MacroStripper {
public:
    // The stripped text of `source`; never longer than the source.
    static std::string strip(std::string_view source);

private:
    explicit MacroStripper(std::string_view source) : m_in(source) {}

    std::string run();
    bool atCommandModeStart() const;
    bool keywordAt(std::size_t pos, std::string_view keyword) const;
    bool handleCommandStart();
    bool copyRasterRow();
    void copyImageData();
    void copyQuoted();
    void replaceMacroHeader();
    void dropThroughSemicolon();
    void skipFraming();

    std::string_view m_in;
    std::size_t m_pos = 0;
    std::string m_out;
    bool m_atCommandStart = true;
    bool m_rasterRows = false;   // after RVCL: counted binary rows may follow
    bool m_imageFollows = false; // after GRRD: image bytes follow its ";"
};

} // namespace vintrel
